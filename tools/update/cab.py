"""Cabinet files as the system's cabinet library reads them: one folder,
stored or MSZIP-compressed, files with stored dates and folder paths."""

import struct
import zlib

BLOCK = 32768


def dos_date(year, month, day):
    return ((year - 1980) << 9) | (month << 5) | day


def dos_time(hour, minute, second):
    return (hour << 11) | (minute << 5) | (second // 2)


def build(entries, mszip=False):
    """entries: (stored name, bytes, dos date, dos time). The stored name
    may hold folders separated by backslashes."""
    data = b"".join(e[1] for e in entries)
    blocks = [data[i:i + BLOCK] for i in range(0, len(data), BLOCK)] or [b""]
    payloads = []
    for block in blocks:
        if mszip:
            c = zlib.compressobj(9, zlib.DEFLATED, -15)
            payloads.append((b"CK" + c.compress(block) + c.flush(zlib.Z_FINISH), len(block)))
        else:
            payloads.append((block, len(block)))
    header_size = 36
    folder_size = 8
    files = bytearray()
    offset = 0
    for name, content, date, time in entries:
        files += struct.pack("<IIHHHH", len(content), offset, 0, date, time, 0x20)
        files += name.encode("latin-1") + b"\0"
        offset += len(content)
    coff_files = header_size + folder_size
    coff_data = coff_files + len(files)
    data_part = bytearray()
    for payload, raw in payloads:
        data_part += struct.pack("<IHH", 0, len(payload), raw) + payload
    total = coff_data + len(data_part)
    out = bytearray()
    out += b"MSCF" + struct.pack("<IIIIIBBHHHHH", 0, total, 0, coff_files, 0, 3, 1, 1, len(entries), 0, 0x1234, 0)
    out += struct.pack("<IHH", coff_data, len(payloads), 1 if mszip else 0)
    out += files
    out += data_part
    return bytes(out)
