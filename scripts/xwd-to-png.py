#!/usr/bin/env python3
"""Turns an X window dump of a screen of 24-bit colour (xwd -root) into a PNG.

    xwd-to-png.py DUMP.xwd OUT.png [X Y WIDTH HEIGHT]
    xwd-to-png.py DUMP.xwd --centre

The optional rectangle cuts a part of the screen out (clipped to it); --centre prints the
colour at the centre of the screen as RRGGBB instead. Only the standard library: the PNG is
written with zlib.
"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, 'rb').read()
    fields = struct.unpack('>25I', data[:100])
    header_size, _, _, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask, ncolors = fields[14], fields[15], fields[16], fields[19]
    # 24 bits of colour, in pixels of 3 or 4 bytes.
    if bits_per_pixel not in (24, 32) or depth < 24:
        sys.exit('xwd-to-png: only dumps of 24-bit colour are supported')
    size = bits_per_pixel // 8
    pixels = data[header_size + 12 * ncolors:]
    shifts = [mask.bit_length() - 8 for mask in (red_mask, green_mask, blue_mask)]
    big = byte_order != 0

    def row(y, x0, x1):
        start = y * bytes_per_line
        out = bytearray()
        for x in range(x0, x1):
            v = int.from_bytes(pixels[start + size * x:start + size * (x + 1)],
                               'big' if big else 'little')
            out += bytes(((v >> s) & 0xff) for s in shifts)
        return bytes(out)

    return width, height, row


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))
    raw = b''.join(b'\x00' + r for r in rows)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(raw, 9)))
        out.write(chunk(b'IEND', b''))


def main():
    if len(sys.argv) not in (3, 7):
        sys.exit(__doc__)
    width, height, row = read_xwd(sys.argv[1])
    if sys.argv[2] == '--centre':
        print(row(height // 2, width // 2, width // 2 + 1).hex())
        return
    x, y, w, h = (int(v) for v in sys.argv[3:7]) if len(sys.argv) == 7 else (0, 0, width, height)
    x0, y0 = max(x, 0), max(y, 0)
    x1, y1 = min(x + w, width), min(y + h, height)
    write_png(sys.argv[2], x1 - x0, y1 - y0, [row(yy, x0, x1) for yy in range(y0, y1)])


if __name__ == '__main__':
    main()
