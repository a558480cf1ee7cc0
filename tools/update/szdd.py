"""Files in the system's LZ format ("SZDD"), as the compress tool writes them
and LZ32's LZCopy expands them: an LZSS stream over a 4096-byte window that
starts filled with blanks."""

import struct

MAGIC = b"SZDD\x88\xf0\x27\x33"
WINDOW = 4096
MIN_MATCH = 3
MAX_MATCH = 18
CHAIN = 48


def compress(data: bytes, last_char: str) -> bytes:
    """The SZDD file of data; last_char is the character that the expanded
    name has in place of the compressed name's final "_"."""
    out = bytearray(MAGIC)
    out += b"A" + last_char.encode("latin-1")[:1]
    out += struct.pack("<I", len(data))
    n = len(data)
    heads = {}
    i = 0
    while i < n:
        flags = 0
        chunk = bytearray()
        for bit in range(8):
            if i >= n:
                break
            best_len, best_pos = 0, 0
            if i + MIN_MATCH <= n:
                key = data[i:i + MIN_MATCH]
                limit = min(MAX_MATCH, n - i)
                for j in reversed(heads.get(key, ())):
                    # Far enough back that the copy never reads a slot it
                    # has just written.
                    if j <= i - (WINDOW - MAX_MATCH):
                        break
                    length = MIN_MATCH
                    while length < limit and data[j + length] == data[i + length]:
                        length += 1
                    if length > best_len:
                        best_len, best_pos = length, j
                        if length == limit:
                            break
            if best_len >= MIN_MATCH:
                offset = (best_pos + WINDOW - 16) & 0xFFF
                chunk += bytes((offset & 0xFF, ((offset >> 4) & 0xF0) | (best_len - MIN_MATCH)))
                step = best_len
            else:
                flags |= 1 << bit
                chunk.append(data[i])
                step = 1
            for k in range(i, min(i + step, n - MIN_MATCH + 1)):
                chain = heads.setdefault(data[k:k + MIN_MATCH], [])
                chain.append(k)
                if len(chain) > CHAIN:
                    del chain[0]
            i += step
        out.append(flags)
        out += chunk
    return bytes(out)


def expand(blob: bytes) -> bytes:
    """The data of an SZDD file (to check the compressor)."""
    if blob[:8] != MAGIC:
        raise ValueError("not an SZDD file")
    size = struct.unpack("<I", blob[10:14])[0]
    window = bytearray(b" " * WINDOW)
    pos = WINDOW - 16
    out = bytearray()
    i = 14
    while len(out) < size and i < len(blob):
        flags = blob[i]
        i += 1
        for bit in range(8):
            if len(out) >= size or i >= len(blob):
                break
            if flags & (1 << bit):
                b = blob[i]
                i += 1
                out.append(b)
                window[pos] = b
                pos = (pos + 1) & 0xFFF
            else:
                offset = blob[i] | ((blob[i + 1] & 0xF0) << 4)
                length = (blob[i + 1] & 0x0F) + MIN_MATCH
                i += 2
                for k in range(length):
                    b = window[(offset + k) & 0xFFF]
                    out.append(b)
                    window[pos] = b
                    pos = (pos + 1) & 0xFFF
    return bytes(out)
