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


def longest_matches(data):
    """The longest copy each position can make, and its offset (the
    nearest such); length 0 where none of three bytes or more reaches."""
    n = len(data)
    starts = {}  # three-byte prefix -> positions it starts at, in order
    lengths, offsets = [0] * n, [0] * n
    for position in range(n):
        key = bytes(data[position:position + 3])
        if position > 0 and len(key) == 3:
            bits = length_bits(position)
            longest, farthest = (1 << bits) + 2, 1 << (16 - bits)
            for start in reversed(starts.get(key, [])):
                offset = position - start
                if offset > farthest:
                    break
                length = 3
                while (length < longest and position + length < n
                       and data[start + length] == data[position + length]):
                    length += 1
                if length > lengths[position]:
                    lengths[position], offsets[position] = length, offset
                    if length == longest:
                        break
        if len(key) == 3:
            starts.setdefault(key, []).append(position)
    return lengths, offsets


def compress_chunk(data):
    """The cheapest parse of the chunk: a literal costs 9 bits (its byte
    and a flag bit), a copy 17, whatever its length; chosen from the end
    backwards, every copy at a position may be cut to any length of 3 or
    more."""
    n = len(data)
    lengths, offsets = longest_matches(data)
    cost, step = [0] * (n + 1), [1] * (n + 1)
    for at in range(n - 1, -1, -1):
        cost[at], step[at] = 9 + cost[at + 1], 1
        for length in range(3, lengths[at] + 1):
            if 17 + cost[at + length] < cost[at]:
                cost[at], step[at] = 17 + cost[at + length], length
    out = bytearray()
    position = 0
    while position < n:
        flags_at = len(out)
        out.append(0)
        for bit in range(8):
            if position >= n:
                break
            length = step[position]
            if length >= 3:
                token = ((offsets[position] - 1) << length_bits(position)) | (length - 3)
                out += token.to_bytes(2, 'little')
                out[flags_at] |= 1 << bit
            else:
                out.append(data[position])
            position += length
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
