#!/usr/bin/env python3
"""Prints "colours=N spread=S" for a PNG written by the game (8-bit RGB or RGBA, not
interlaced): the number of distinct colours and the standard deviation of the brightness, so a
scenario test can tell a drawn scene from a flat or black frame."""
import struct
import sys
import zlib


def pixels(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("%s: not a PNG" % path)
    pos, idat, width, height, channels = 8, b"", 0, 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise SystemExit("%s: only 8-bit RGB(A) images are read" % path)
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(bytes(line))
        previous = line
    for line in rows:
        for x in range(0, stride, channels):
            yield line[x], line[x + 1], line[x + 2]


def main():
    colours, total, squares, count = set(), 0.0, 0.0, 0
    for r, g, b in pixels(sys.argv[1]):
        colours.add((r, g, b))
        value = 0.299 * r + 0.587 * g + 0.114 * b
        total += value
        squares += value * value
        count += 1
    mean = total / max(count, 1)
    spread = max(0.0, squares / max(count, 1) - mean * mean) ** 0.5
    print("colours=%d spread=%.1f" % (len(colours), spread))


if __name__ == "__main__":
    main()
