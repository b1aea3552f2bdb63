#!/usr/bin/env python3
"""pack_lznt1.py IN OUT: IN compressed as LZNT1, the format Windows' own
RtlDecompressBuffer reads, behind its size as four bytes (little-endian), so
that the program carries its language texts at a fraction of their size and
unpacks them without code of its own. The output depends on IN alone."""
import sys

CHUNK = 4096


def length_bits(position):
    """Bits of a copy token's length at `position` in the chunk; the rest
    hold the offset, which can reach back at most to the chunk's start."""
    bits, reach = 12, position - 1
    while reach >= 16:
        reach >>= 1
        bits -= 1
    return bits


def compress_chunk(data):
    out = bytearray()
    starts = {}  # three-byte prefix -> positions it starts at
    position = 0

    def remember(at):
        if at + 3 <= len(data):
            starts.setdefault(bytes(data[at:at + 3]), []).append(at)

    while position < len(data):
        flags_at = len(out)
        out.append(0)
        for bit in range(8):
            if position >= len(data):
                break
            best_length = best_offset = 0
            if position > 0:
                bits = length_bits(position)
                longest, farthest = (1 << bits) + 2, 1 << (16 - bits)
                for start in reversed(starts.get(bytes(data[position:position + 3]), [])):
                    offset = position - start
                    if offset > farthest:
                        break
                    length = 0
                    while (length < longest and position + length < len(data)
                           and data[start + length] == data[position + length]):
                        length += 1
                    if length > best_length:
                        best_length, best_offset = length, offset
                        if length == longest:
                            break
            if best_length >= 3:
                token = ((best_offset - 1) << length_bits(position)) | (best_length - 3)
                out += token.to_bytes(2, 'little')
                out[flags_at] |= 1 << bit
                for at in range(position, position + best_length):
                    remember(at)
                position += best_length
            else:
                out.append(data[position])
                remember(position)
                position += 1
    return out


def compress(data):
    out = bytearray(len(data).to_bytes(4, 'little'))
    for begin in range(0, len(data), CHUNK):
        raw = data[begin:begin + CHUNK]
        chunk = compress_chunk(raw)
        # Signature 3, the flag of a compressed chunk, and its size less three;
        # a chunk that would not shrink is kept as it is.
        flag = 0x8000
        if len(chunk) >= len(raw):
            chunk, flag = raw, 0
        out += (flag | 0x3000 | (len(chunk) + 2 - 3)).to_bytes(2, 'little') + chunk
    return bytes(out)


if __name__ == '__main__':
    with open(sys.argv[1], 'rb') as source:
        packed = compress(source.read())
    with open(sys.argv[2], 'wb') as target:
        target.write(packed)
