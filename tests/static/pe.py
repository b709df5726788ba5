"""A reader of the parts of a PE file (a Windows program or library) that the static
checks look at: the file and optional headers, the sections and the export table."""
import struct

MACHINES = {0x14C: "i686", 0x8664: "x86_64"}


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.path = path
        if self.data[:2] != b"MZ":
            raise ValueError(f"{path}: no MZ header")
        nt = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[nt:nt + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE signature")
        (machine, sections, _, _, _, optional_size, self.characteristics) = struct.unpack_from("<HHIIIHH", self.data, nt + 4)
        self.machine = MACHINES.get(machine, hex(machine))
        optional = nt + 24
        magic = struct.unpack_from("<H", self.data, optional)[0]
        self.is_pe32_plus = magic == 0x20B
        if self.is_pe32_plus:
            self.image_base = struct.unpack_from("<Q", self.data, optional + 24)[0]
        else:
            self.image_base = struct.unpack_from("<I", self.data, optional + 28)[0]
        (self.os_version, self.image_version, self.subsystem_version) = [
            struct.unpack_from("<HH", self.data, optional + 40 + 4 * i) for i in range(3)]
        self.size_of_image, self.size_of_headers = struct.unpack_from("<II", self.data, optional + 56)
        self.subsystem = struct.unpack_from("<H", self.data, optional + 68)[0]
        directories = optional + (112 if self.is_pe32_plus else 96)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, rva, raw_size, raw_pointer = struct.unpack_from("<8sIIII", self.data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), rva, vsize, raw_pointer, raw_size))

    def bytes_at(self, rva, size):
        """`size` bytes of the loaded image at `rva` (zeros where a section has no data)."""
        for _, start, vsize, raw_pointer, raw_size in self.sections:
            if start <= rva < start + max(vsize, raw_size):
                offset = rva - start
                chunk = self.data[raw_pointer + offset:raw_pointer + min(raw_size, offset + size)]
                return chunk + b"\0" * (size - len(chunk))
        if rva < self.size_of_headers:
            return self.data[rva:rva + size]
        raise ValueError(f"{self.path}: RVA {rva:#x} lies in no section")

    def string_at(self, rva):
        out = b""
        while b"\0" not in out:
            out += self.bytes_at(rva + len(out), 64)
        return out.split(b"\0")[0].decode("latin-1")

    def exports(self):
        """(library name, {function name: RVA}); (None, {}) without an export table."""
        rva, size = self.directories[0]
        if not rva:
            return None, {}
        fields = struct.unpack_from("<IIHHIIIIIII", self.bytes_at(rva, 40))
        name, count_names = fields[4], fields[7]
        functions, names, ordinals = fields[8], fields[9], fields[10]
        result = {}
        for i in range(count_names):
            name_rva = struct.unpack("<I", self.bytes_at(names + 4 * i, 4))[0]
            ordinal = struct.unpack("<H", self.bytes_at(ordinals + 2 * i, 2))[0]
            result[self.string_at(name_rva)] = struct.unpack("<I", self.bytes_at(functions + 4 * ordinal, 4))[0]
        return self.string_at(name), result

    def loaded(self):
        """The image as the loader lays it out in memory, from its base, without relocation."""
        memory = bytearray(self.size_of_image)
        memory[:self.size_of_headers] = self.data[:self.size_of_headers]
        for _, rva, vsize, raw_pointer, raw_size in self.sections:
            chunk = self.data[raw_pointer:raw_pointer + min(raw_size, vsize or raw_size)]
            memory[rva:rva + len(chunk)] = chunk
        return bytes(memory)
