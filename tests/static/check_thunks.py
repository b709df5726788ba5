#!/usr/bin/env python3
"""Runs the five exports of the 32-bit Tipp211.dll in a CPU emulator (Unicorn), without
Windows: the register-convention thunks must hand the arguments on in order and return
as the host expects.

Each export is entered as a host calls it: ModulCreate with Left, Top and Width in EAX,
EDX and ECX and the seven others pushed in argument order (TippNr next to the return
address). The first call or jump out of the thunk is recorded instead of run: it must be a
plain C function receiving the ten arguments in order. That function's return is played
(a result in EAX, only the return address removed), and the thunk must then come back to
the host with that result, its seven stack arguments removed (28 bytes) and EBX, ESI, EDI
and EBP as they were. The four exports without arguments must do the same with nothing
to remove.

A check that cannot fail proves nothing: the same run against a copy of the library whose
ModulCreate ends in `ret $24` must fail.

    check_thunks.py DLL
"""
import struct
import sys

from unicorn import Uc, UcError, UC_ARCH_X86, UC_MODE_32, UC_HOOK_CODE
from unicorn.x86_const import (UC_X86_REG_EAX, UC_X86_REG_EBP, UC_X86_REG_EBX, UC_X86_REG_ECX,
                               UC_X86_REG_EDI, UC_X86_REG_EDX, UC_X86_REG_EIP, UC_X86_REG_ESI,
                               UC_X86_REG_ESP)

from pe import Image

ARGUMENTS = [101, 102, 103, 104, 105, 106, 0x00C0FFEE, 0x00BADD00, 0x1FF, 211]  # Left .. TippNr
KEPT = {UC_X86_REG_EBX: 0x0B0B0B0B, UC_X86_REG_ESI: 0x51515151, UC_X86_REG_EDI: 0xD1D1D1D1,
        UC_X86_REG_EBP: 0xBEBEBEBE}
NAMES = {UC_X86_REG_EBX: "EBX", UC_X86_REG_ESI: "ESI", UC_X86_REG_EDI: "EDI", UC_X86_REG_EBP: "EBP"}
RESULT = 0x5A5A
HOST = 0x00100000     # the host's return address: a page of its own, never run
STACK = 0x00200000
STACK_SIZE = 0x10000
TRANSFERS = (0xE8, 0xE9, 0xEB)  # call rel32, jmp rel32, jmp rel8


def page(n):
    return (n + 0xFFF) & ~0xFFF


def run(image, memory, export, arguments):
    """Enters `export` as the host does; returns a list of faults."""
    uc = Uc(UC_ARCH_X86, UC_MODE_32)
    uc.mem_map(image.image_base, page(len(memory)))
    uc.mem_write(image.image_base, memory)
    uc.mem_map(HOST, 0x1000)
    uc.mem_map(STACK, STACK_SIZE)

    registers = arguments[:3]
    pushed = arguments[3:]
    esp = STACK + STACK_SIZE - 0x100
    frame = [HOST] + list(reversed(pushed))  # the last argument next to the return address
    uc.mem_write(esp, b"".join(struct.pack("<I", v) for v in frame))
    uc.reg_write(UC_X86_REG_ESP, esp)
    for reg, value in zip((UC_X86_REG_EAX, UC_X86_REG_EDX, UC_X86_REG_ECX), registers):
        uc.reg_write(reg, value)
    for reg, value in KEPT.items():
        uc.reg_write(reg, value)

    state = {"transfer": False, "callee": None, "received": None}

    def on_code(uc, address, size, _):
        if state["transfer"] and state["callee"] is None:
            # The first instruction after a call or jump out: play the C function.
            state["callee"] = address
            sp = uc.reg_read(UC_X86_REG_ESP)
            state["received"] = list(struct.unpack("<10I", uc.mem_read(sp + 4, 40)))
            returns_to = struct.unpack("<I", uc.mem_read(sp, 4))[0]
            uc.reg_write(UC_X86_REG_EAX, RESULT)
            uc.reg_write(UC_X86_REG_ESP, sp + 4)
            uc.reg_write(UC_X86_REG_EIP, returns_to)
            return
        state["transfer"] = uc.mem_read(address, 1)[0] in TRANSFERS

    uc.hook_add(UC_HOOK_CODE, on_code)
    try:
        uc.emu_start(image.image_base + export, HOST, count=10000)
    except UcError as e:
        return [f"stopped at {uc.reg_read(UC_X86_REG_EIP):#x}: {e}"]

    faults = []
    if uc.reg_read(UC_X86_REG_EIP) != HOST:
        return [f"never came back to the host (at {uc.reg_read(UC_X86_REG_EIP):#x})"]
    if state["callee"] is None:
        faults.append("calls no function")
    elif arguments and state["received"] != arguments:
        faults.append(f"hands on {state['received']}, not {arguments}")
    removed = uc.reg_read(UC_X86_REG_ESP) - esp - 4
    if removed != 4 * len(pushed):
        faults.append(f"removes {removed} bytes of arguments, not {4 * len(pushed)}")
    if uc.reg_read(UC_X86_REG_EAX) != RESULT:
        faults.append(f"returns {uc.reg_read(UC_X86_REG_EAX):#x} in EAX, not the function's {RESULT:#x}")
    for reg, value in KEPT.items():
        if uc.reg_read(reg) != value:
            faults.append(f"changes {NAMES[reg]}")
    return faults


def check(image, memory):
    _, exports = image.exports()
    faults = []
    for name in ("ModulCreate", "ModulFree", "ModulSaveChanges", "ModulChanged", "ModulNr"):
        if name not in exports:
            faults.append(f"{name}: not exported")
            continue
        arguments = ARGUMENTS if name == "ModulCreate" else []
        faults += [f"{name}: {fault}" for fault in run(image, memory, exports[name], arguments)]
    return faults


def with_short_return(image, memory):
    """The image with ModulCreate's `ret $28` turned into `ret $24`, or None."""
    start = image.exports()[1]["ModulCreate"]
    at = memory.find(b"\xC2\x1C\x00", start, start + 64)
    if at < 0:
        return None
    return memory[:at] + b"\xC2\x18\x00" + memory[at + 3:]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    image = Image(sys.argv[1])
    if image.machine != "i686":
        sys.exit(f"{sys.argv[1]} is built for {image.machine}: the register convention is i686's")
    memory = image.loaded()
    faults = check(image, memory)
    for fault in faults:
        print(fault)
    planted = with_short_return(image, memory)
    if planted is None:
        faults.append("no `ret $28` in ModulCreate to plant a fault in")
        print(faults[-1])
    elif not check(image, planted):
        faults.append("a ModulCreate that removes 24 bytes passed: the check cannot fail")
        print(faults[-1])
    if faults:
        return 1
    print("the five exports take the register convention and hand their arguments on in order; "
          "a planted `ret $24` is caught")
    return 0


if __name__ == "__main__":
    sys.exit(main())
