#!/usr/bin/env python3
"""Checks the headers and export tables of the programs that ship, reading the files:
each is an i386 program that asks for Windows 4.0 (95 and NT 4.0) as operating system and
subsystem; Tipp211.dll names itself and exports exactly the five module functions, and
SorvHelp.dll exactly GetHelpText, by their plain names.

    check_headers.py --programs FILE
FILE names the programs, one a line (the shipped build writes it).
"""
import argparse
import os
import sys

from pe import Image

EXPORTS = {
    "Tipp211.dll": ("Tipp211.dll", ["ModulChanged", "ModulCreate", "ModulFree", "ModulNr", "ModulSaveChanges"]),
    "SorvHelp.dll": ("SorvHelp.dll", ["GetHelpText"]),
}


def faults_of(path):
    image = Image(path)
    name = os.path.basename(path)
    faults = []
    if image.machine != "i686":
        faults.append(f"is built for {image.machine}, not i386")
    if image.os_version != (4, 0):
        faults.append(f"asks for operating system {image.os_version[0]}.{image.os_version[1]}, not 4.0")
    if image.subsystem_version != (4, 0):
        faults.append(f"asks for subsystem {image.subsystem_version[0]}.{image.subsystem_version[1]}, not 4.0")
    if name in EXPORTS:
        library, functions = EXPORTS[name]
        named, exports = image.exports()
        if named != library:
            faults.append(f"export table names the library {named!r}, not {library!r}")
        if sorted(exports) != functions:
            faults.append(f"exports {sorted(exports)}, not {functions}")
    return [f"{name}: {fault}" for fault in faults]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--programs", required=True)
    args = parser.parse_args()
    with open(args.programs, encoding="utf-8") as f:
        programs = [line.strip() for line in f if line.strip()]
    missing = set(EXPORTS) - {os.path.basename(p) for p in programs}
    faults = [f"{name}: not among the programs" for name in sorted(missing)]
    for program in programs:
        faults += faults_of(program)
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f"{len(programs)} programs: i386, Windows 4.0, the exports as they should be")
    return 0


if __name__ == "__main__":
    sys.exit(main())
