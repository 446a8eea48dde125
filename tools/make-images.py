#!/usr/bin/env python3
"""Draws the launcher's two images and writes them where the resource script expects them:

  srvsetup/resources/images/banner.bmp    256 x 165, 8 bits per pixel with a palette
  srvsetup/resources/images/launcher.ico  32 x 32, 256 colours, one image

The banner is a dusk over a hill fort whose mast sends out a signal; the icon is a shield with
the same mast. Both are computed from scratch (Python's standard library only) and are
deterministic, so running the script again gives the same bytes. The images are committed, so a
build never needs this script: run it after changing a picture.

    python3 tools/make-images.py [--preview DIR]   # --preview also writes PNGs to look at
"""

import argparse
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGES = os.path.join(ROOT, "srvsetup", "resources", "images")


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def smooth(edge0, edge1, x):
    t = max(0.0, min(1.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


# --- the banner --------------------------------------------------------------------------------

W, H = 256, 165
HORIZON = 112


def ridge(x, base, waves):
    return base + sum(a * math.sin(x * f + p) for a, f, p in waves)


def far_ridge(x):
    return ridge(x, 92, [(7, 0.031, 0.4), (4, 0.077, 1.9), (2, 0.19, 0.3)])


def near_ridge(x):
    # A broad hill whose top, left of centre, carries the fort.
    hill = 118 - 26 * math.exp(-((x - 88) / 58.0) ** 2)
    return hill + 2.5 * math.sin(x * 0.11 + 0.7) + 1.2 * math.sin(x * 0.29)


def in_fort(x, y):
    """The fort's silhouette on the hill: a wall with crenels, a keep, and a mast on the keep."""
    ground = near_ridge(x)
    # Curtain wall with crenels along the top.
    if 56 <= x < 122 and y >= 84 and y < ground + 1:
        if y >= 87 or (int(x) // 4) % 2 == 0:
            return True
    # The keep.
    if 76 <= x < 96 and y >= 68 and y < ground + 1:
        if y >= 71 or (int(x) // 4) % 2 == 1:
            return True
    # The mast, guyed to the keep's roof.
    if 85 <= x < 87 and 40 <= y < 68:
        return True
    for sign in (-1, 1):
        gx = 86 + sign * (y - 48) * 0.45
        if 48 <= y < 68 and abs(x - gx) < 0.5:
            return True
    return False


def in_window(x, y):
    """Lit windows of the keep and one in the wall."""
    return (79 <= x < 81 or 90 <= x < 92) and 75 <= y < 79 or 106 <= x < 108 and 92 <= y < 95


def signal(x, y):
    """Strength of the arcs that the mast's tip sends to the right."""
    dx, dy = x - 86, y - 40
    r = math.hypot(dx, dy)
    if dx <= 0 or r < 6:
        return 0.0
    angle = math.atan2(dy, dx)
    if abs(angle) > 0.55:
        return 0.0
    fade = 1.0 - abs(angle) / 0.55
    best = 0.0
    for ring in (9, 15, 21, 27):
        best = max(best, max(0.0, 1.0 - abs(r - ring) / 1.1) * fade * (1.15 - ring / 40.0))
    return best


def star(x, y):
    h = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return (h >> 16) < 140 and y < 74 and not (x > 150 and y > 44)


def banner_pixel(x, y):
    sky_top, sky_mid, sky_low = (16, 20, 58), (88, 52, 110), (246, 150, 78)
    t = y / float(HORIZON)
    sky = mix(sky_top, sky_mid, smooth(0.0, 0.62, t))
    sky = mix(sky, sky_low, smooth(0.45, 1.0, t))
    # The setting sun and its glow, right of the fort.
    sx, sy, sr = 186.0, 96.0, 17.0
    d = math.hypot(x - sx, (y - sy) * 1.05)
    glow = math.exp(-max(0.0, d - sr) / 26.0) * 0.55
    colour = mix(sky, (255, 200, 120), glow)
    if d < sr:
        colour = mix((255, 236, 170), (255, 196, 110), (y - (sy - sr)) / (2 * sr))
    elif star(x, y):
        colour = mix(colour, (255, 250, 230), 0.8)
    if y >= far_ridge(x):
        depth = (y - far_ridge(x)) / 30.0
        colour = mix((104, 60, 104), (70, 42, 84), min(1.0, depth))
    if y >= near_ridge(x):
        depth = (y - near_ridge(x)) / 40.0
        colour = mix((38, 28, 58), (14, 12, 26), min(1.0, depth))
    if in_fort(x, y):
        colour = (20, 16, 34)
        if in_window(x, y):
            colour = (255, 210, 120)
    s = signal(x, y)
    if s > 0:
        colour = mix(colour, (150, 235, 255), min(1.0, s))
    return tuple(clamp(c) for c in colour)


# --- the icon ----------------------------------------------------------------------------------

def shield_inside(x, y):
    """The shield: straight top, sides curving into a point at the bottom (32 x 32 grid)."""
    cx = 15.5
    if y < 2 or y > 30:
        return False
    if y < 15:
        half = 13.5
    else:
        half = 13.5 * math.sqrt(max(0.0, 1 - ((y - 15) / 15.5) ** 2))
    return abs(x - cx) <= half


def icon_pixel(x, y):
    """Colour of one icon pixel, or None where the icon is transparent."""
    if not shield_inside(x, y):
        return None
    border = not all(shield_inside(x + dx, y + dy) for dx, dy in ((-2, 0), (2, 0), (0, -2), (0, 2)))
    if border:
        return tuple(clamp(c) for c in mix((250, 206, 96), (186, 124, 40), y / 31.0))
    colour = mix((40, 56, 132), (16, 20, 58), y / 31.0)
    # Mast and signal arcs in the shield's field.
    mx, my = 12.0, 9.0
    if 11 <= x <= 12 and 9 <= y <= 25:
        colour = (236, 240, 250)
    if 8 <= x <= 15 and 24 <= y <= 25:
        colour = (236, 240, 250)
    r = math.hypot(x - mx, y - my)
    if x > mx + 1 and abs(math.atan2(y - my, x - mx)) < 0.75:
        for ring in (5.0, 9.0, 13.0):
            if abs(r - ring) < 0.8:
                colour = (150, 235, 255)
    return tuple(clamp(c) for c in colour)


# --- palette and files -------------------------------------------------------------------------

def median_cut(counts, size):
    """A palette of at most `size` colours for a {colour: count} histogram."""
    boxes = [list(counts.items())]
    while len(boxes) < size:
        best, best_score = None, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spread = max(max(c[0][k] for c in box) - min(c[0][k] for c in box) for k in range(3))
            score = spread * sum(n for _, n in box)
            if score > best_score:
                best, best_score = i, score
        if best is None:
            break
        box = boxes.pop(best)
        channel = max(range(3), key=lambda k: max(c[0][k] for c in box) - min(c[0][k] for c in box))
        box.sort(key=lambda c: c[0][channel])
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for j, (_, n) in enumerate(box):
            running += n
            if running * 2 >= total:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(clamp(sum(c[k] * n for c, n in box) / total) for k in range(3)))
    return palette


def indexed(pixels, reserved=()):
    """Maps RGB pixels (None allowed) to a 256-entry palette; returns (palette, indices)."""
    counts = {}
    for p in pixels:
        if p is not None:
            counts[p] = counts.get(p, 0) + 1
    palette = list(reserved) + median_cut(counts, 256 - len(reserved))
    palette += [(0, 0, 0)] * (256 - len(palette))
    nearest = {}

    def index_of(p):
        if p not in nearest:
            nearest[p] = min(range(len(reserved), 256),
                             key=lambda i: sum((palette[i][k] - p[k]) ** 2 for k in range(3)))
        return nearest[p]

    return palette, [0 if p is None else index_of(p) for p in pixels]


def dib(width, height, palette, indices, mask=None):
    """BITMAPINFOHEADER, palette and bottom-up rows; an icon also gets its AND mask."""
    stride = (width + 3) & ~3
    rows = b""
    for y in reversed(range(height)):
        rows += bytes(indices[y * width:(y + 1) * width]) + b"\0" * (stride - width)
    header_height = height * 2 if mask is not None else height
    header = struct.pack("<IiiHHIIiiII", 40, width, header_height, 1, 8, 0, len(rows), 0, 0, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    data = header + colours + rows
    if mask is not None:
        mask_stride = ((width + 31) // 32) * 4
        for y in reversed(range(height)):
            bits = 0
            for x in range(width):
                if mask[y * width + x]:
                    bits |= 1 << (mask_stride * 8 - 1 - x)
            data += bits.to_bytes(mask_stride, "big")
    return data


def write_bmp(path, width, height, palette, indices):
    body = dib(width, height, palette, indices)
    offset = 14 + 40 + 256 * 4
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body)


def write_ico(path, width, height, palette, indices, transparent):
    body = dib(width, height, palette, indices, transparent)
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 8, len(body), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1) + entry + body)


def write_png(path, width, height, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b""
    for y in range(height):
        raw += b"\0" + b"".join(bytes(p if p is not None else (255, 0, 255)) for p in pixels[y * width:(y + 1) * width])
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--preview", metavar="DIR", help="also write PNG previews of what the palettes give")
    args = parser.parse_args()
    os.makedirs(IMAGES, exist_ok=True)

    banner = [banner_pixel(x, y) for y in range(H) for x in range(W)]
    palette, indices = indexed(banner)
    write_bmp(os.path.join(IMAGES, "banner.bmp"), W, H, palette, indices)
    banner_shown = [palette[i] for i in indices]

    icon = [icon_pixel(x, y) for y in range(32) for x in range(32)]
    # Entry 0 is black: what the XOR image holds under the transparent mask.
    icon_palette, icon_indices = indexed(icon, reserved=[(0, 0, 0)])
    write_ico(os.path.join(IMAGES, "launcher.ico"), 32, 32, icon_palette, icon_indices,
              [p is None for p in icon])
    icon_shown = [None if p is None else icon_palette[i] for p, i in zip(icon, icon_indices)]

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        write_png(os.path.join(args.preview, "banner.png"), W, H, banner_shown)
        write_png(os.path.join(args.preview, "launcher-icon.png"), 32, 32, icon_shown)


if __name__ == "__main__":
    main()
