#!/usr/bin/env python3
"""Checks the import tables of the programs that ship against the list of functions that
Windows 95 and Windows NT 4.0 both export by name (the tables of docs/compatibility.md).

Windows refuses to load a program or library that imports a function its DLL lacks, and
Wine offers every function in every version mode, so only the import table tells. Fails
on a function that is not on the list, on an import by ordinal, on a DLL the list does
not name, and on any import from msvcrt.dll, which a Windows 95 as installed lacks.
A DLL given with --import-library is also held to the names that import library imports:
an import, or a row of its table, that the library does not name fails.

    check_imports.py --objdump OBJDUMP --list docs/compatibility.md --programs FILE
                     [--import-library crtdll.dll=libcrtdll.a]
FILE names the programs, one a line (the shipped build writes it).
"""
import argparse
import re
import subprocess
import sys

HEADING = re.compile(r"^###\s+`?([\w.]+)`?\s*$")
ROW = re.compile(r"^\|\s*`([^`]+)`\s*\|")
DLL_NAME = re.compile(r"^\tDLL Name:\s*(\S+)")
MEMBER = re.compile(r"^\t[0-9a-fA-F]+\s+(\d+)\s+(\S+)")
HEX_LINE = re.compile(r"^ [0-9a-f]{4,} ((?:[0-9a-f]{2,8} ?){1,4})")
# DLLs that no shipped 32-bit program may import, with the reason.
REFUSED = {"msvcrt.dll": "which a Windows 95 as installed does not have (crtdll.dll is the system's C runtime)"}


def read_list(path):
    """{dll (lower case): {function}} from the '### dll' headings and their table rows."""
    allowed, dll = {}, None
    with open(path, encoding="utf-8") as doc:
        for line in doc:
            if line.startswith("## "):
                dll = None
            elif (heading := HEADING.match(line)):
                dll = heading.group(1).lower()
                allowed.setdefault(dll, set())
            elif dll and (row := ROW.match(line)):
                allowed[dll].add(row.group(1))
    return allowed


def read_imports(objdump, program):
    """[(dll, function or None for an ordinal, ordinal or hint)] of one program."""
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    start = text.find("The Import Tables")
    if start < 0:
        return []
    imports, dll = [], None
    for line in text[start:].splitlines()[1:]:
        if line and not line[0].isspace():
            break  # the next section begins at the margin
        if (name := DLL_NAME.match(line)):
            dll = name.group(1).lower()
        elif dll and (member := MEMBER.match(line)):
            number, function = member.groups()
            imports.append((dll, None if function == "<none>" else function, number))
    return imports


def read_import_library(objdump, library):
    """{function} that an import library imports: the name in each member's hint/name
    entry (section .idata$6), which is what a program linked with it imports."""
    text = subprocess.run([objdump, "-s", "-j", ".idata$6", library], check=True, capture_output=True, text=True).stdout
    names = set()
    for block in text.split("Contents of section .idata$6:")[1:]:
        data = bytearray()
        for line in block.splitlines()[1:]:
            if not (row := HEX_LINE.match(line)):
                break
            data += bytes.fromhex(row.group(1).replace(" ", ""))
        if (name := data[2:].split(b"\0")[0].decode("ascii")):
            names.add(name)
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--list", required=True)
    parser.add_argument("--programs", required=True)
    parser.add_argument("--import-library", action="append", default=[], metavar="DLL=LIBRARY")
    args = parser.parse_args()

    allowed = read_list(args.list)
    libraries = {}
    for pair in args.import_library:
        dll, _, library = pair.partition("=")
        libraries[dll.lower()] = read_import_library(args.objdump, library)
        if not libraries[dll.lower()]:
            sys.exit(f"the import library {library} names no function")
    with open(args.programs, encoding="utf-8") as f:
        programs = [line.strip() for line in f if line.strip()]
    if not allowed or not programs:
        sys.exit(f"nothing to check: {len(allowed)} DLLs listed, {len(programs)} programs")

    faults, total = [], 0
    for dll, names in libraries.items():
        for function in sorted(allowed.get(dll, set()) - names):
            faults.append(f"{args.list}: lists {function} under {dll}, which its import library does not name")
    for program in programs:
        imports = read_imports(args.objdump, program)
        if not imports:
            faults.append(f"{program}: no import table found")
        total += len(imports)
        for dll, function, number in imports:
            if dll in REFUSED:
                faults.append(f"{program}: imports {function or number} from {dll}, {REFUSED[dll]}")
            elif dll in libraries and function not in libraries[dll]:
                faults.append(f"{program}: imports {function or number} from {dll}, which its import library does not name")
            elif dll not in allowed:
                faults.append(f"{program}: imports from {dll}, which is not a DLL of the list")
            elif function is None:
                faults.append(f"{program}: imports ordinal {number} from {dll}: only names are the same everywhere")
            elif function not in allowed[dll]:
                faults.append(f"{program}: imports {function} from {dll}, which is not on the list")
    for fault in sorted(set(faults)):
        print(fault)
    if faults:
        print(f"{len(set(faults))} imports not on the list of {args.list}")
        return 1
    print(f"{total} imports of {len(programs)} programs, every one on the list")
    return 0


if __name__ == "__main__":
    sys.exit(main())
