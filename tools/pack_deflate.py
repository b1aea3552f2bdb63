#!/usr/bin/env python3
"""pack_deflate.py IN OUT: IN as raw deflate data (RFC 1951, zlib's best
compression), behind its size as four bytes (little-endian), so that the
program carries its language texts at a fraction of their size. The output
depends on IN and the zlib version alone, like the rest of the build on the
toolchain's."""
import sys
import zlib


def main():
    source, target = sys.argv[1:3]
    with open(source, "rb") as f:
        data = f.read()
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    packed = packer.compress(data) + packer.flush()
    with open(target, "wb") as f:
        f.write(len(data).to_bytes(4, "little") + packed)


if __name__ == "__main__":
    main()
