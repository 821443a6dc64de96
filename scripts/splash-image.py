#!/usr/bin/env python3
"""Draws the example splash image: a PNG of WIDTH by HEIGHT pixels (a dark blue gradient, a
band of light, a frame, and a bar near the bottom, as an application's splash might have).

    splash-image.py OUT.png [WIDTH HEIGHT]

Only the standard library: the PNG is written with zlib. Used by the screenshots and by the
splash benchmark, so that both show and time an image of ordinary content and size.
"""
import math
import struct
import sys
import zlib


def pixel(x, y, width, height):
    if x < 4 or y < 4 or x >= width - 4 or y >= height - 4:
        return (240, 180, 40)  # the frame
    bar_top = height * 5 // 6
    if bar_top <= y < bar_top + 10 and width // 8 <= x < width * 7 // 8:
        return (240, 180, 40) if x < width * 5 // 8 else (70, 80, 110)  # a progress bar
    fx, fy = x / width, y / height
    wave = 0.5 + 0.5 * math.sin(fx * 9.0 + fy * 4.0) * math.cos(fy * 7.0 - fx * 3.0)
    light = math.exp(-((fy - 0.42 - 0.08 * math.sin(fx * 6.3)) ** 2) / 0.004)
    r = int(20 + 40 * fy + 60 * light + 20 * wave)
    g = int(40 + 60 * fy + 120 * light + 30 * wave)
    b = int(90 + 90 * (1 - fy) + 110 * light + 25 * wave)
    return (min(r, 255), min(g, 255), min(b, 255))


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    width, height = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) == 4 else (800, 600)
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.extend(pixel(x, y, width, height))

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))
    with open(sys.argv[1], 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(bytes(raw), 6)))
        out.write(chunk(b'IEND', b''))


if __name__ == '__main__':
    main()
