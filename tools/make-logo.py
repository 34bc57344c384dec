#!/usr/bin/env python3
"""Draws the tray icon (modules/img/logo.ico): a dark rounded tile with the N1 stroke."""
import struct, sys

def pixel(x, y, n):
    # Normalised coordinates in 0..1.
    u, v = (x + 0.5) / n, (y + 0.5) / n
    r = 0.18
    cx, cy = min(max(u, r), 1 - r), min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    w = 0.11
    left = 0.24 <= u <= 0.24 + w and 0.22 <= v <= 0.78
    right = 0.76 - w <= u <= 0.76 and 0.22 <= v <= 0.78
    t = (v - 0.22) / 0.56
    diag = 0.22 <= v <= 0.78 and abs(u - (0.24 + w / 2 + t * (0.52 - w))) <= w * 0.7
    if left or right or diag:
        return (0x2e, 0xd3, 0xf0, 0xff)
    return (0x1b, 0x1c, 0x20, 0xff)

def bmp_entry(n):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b''
    for y in reversed(range(n)):
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            rows += bytes((b, g, r, a))
    mask = b'\0' * (((n + 31) // 32) * 4 * n)
    return header + rows + mask

sizes = [16, 32, 48, 64]
images = [bmp_entry(n) for n in sizes]
out = struct.pack('<HHH', 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for n, img in zip(sizes, images):
    out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(img), offset)
    offset += len(img)
out += b''.join(images)
open(sys.argv[1] if len(sys.argv) > 1 else 'modules/img/logo.ico', 'wb').write(out)
