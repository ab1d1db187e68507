#!/usr/bin/env python3
"""Writes an icon file (.ico) whose entries are the given PNG images unchanged.

    png_to_ico.py OUT.ico IMAGE.png [IMAGE.png ...]

Each PNG becomes one entry of its own width and height (256 is written as 0,
as the format wants); entries keep the order given. Windows Vista and later,
and Wine, read PNG entries as they are.
"""
import struct
import sys


def png_size(data: bytes, name: str) -> tuple[int, int]:
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"png_to_ico: {name} is not a PNG image")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        sys.exit(f"png_to_ico: {name} is {width} x {height}; an icon entry is at most 256 x 256")
    return width, height


def main(argv: list[str]) -> int:
    if len(argv) < 3:
        sys.exit(__doc__)
    images = []
    for name in argv[2:]:
        with open(name, "rb") as file:
            data = file.read()
        images.append((png_size(data, name), data))

    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = b""
    for (width, height), data in images:
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(argv[1], "wb") as file:
        file.write(header + directory + b"".join(data for _, data in images))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
