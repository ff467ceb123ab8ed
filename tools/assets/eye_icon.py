#!/usr/bin/env python3
"""Render the application icon: a close-up of a human eye in warm tones.

Usage: eye_icon.py OUT.png [SIZE]

Draws at SIZE x SIZE (default 1024) as an RGBA PNG written with zlib; the
build script downsamples it to the icon sizes. Everything is procedural:
almond-shaped lid opening, sclera with lid shadow, amber/orange/brown iris
with radial fibres and a dark limbal ring, pupil, corneal highlights,
lashes stamped along curves, and warm skin with a lid crease, on a
rounded-square tile. Deterministic (fixed seed).
"""

import math
import random
import struct
import sys
import zlib

from procnoise import fbm, vnoise

# ------------------------------------------------------------ geometry -----
EYE_W = 0.84                 # half-width of the lid opening (tile is -1..1)
UPPER_AMP = 0.47
LOWER_AMP = 0.35
IRIS_C = (0.03, -0.05)
IRIS_R = 0.41
PUPIL_R = 0.155              # absolute, not relative to the iris
TILE_HALF = 0.97
TILE_RADIUS = 0.30


def corner_line(x):
    # inner (nasal) corner on the left sits a little lower than the outer one
    return 0.03 - 0.05 * (x / EYE_W)


def upper_lid(x):
    t = max(-1.0, min(1.0, x / EYE_W))
    return corner_line(x) - UPPER_AMP * (1.0 - t * t) ** 0.8 * (1.0 - 0.12 * t)


def lower_lid(x):
    t = max(-1.0, min(1.0, x / EYE_W))
    return corner_line(x) + LOWER_AMP * (1.0 - t * t) ** 1.15 * (1.0 + 0.18 * t)


def crease(x):
    # upper-lid fold, wider than the opening
    t = x / (EYE_W * 1.12)
    if abs(t) >= 1.0:
        return corner_line(x) - 0.05
    return corner_line(x) - 0.05 - 0.56 * (1.0 - t * t) ** 0.7


def smooth(e0, e1, v):
    if e0 == e1:
        return 1.0 if v >= e1 else 0.0
    t = min(1.0, max(0.0, (v - e0) / (e1 - e0)))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def mul(a, k):
    return (a[0] * k, a[1] * k, a[2] * k)


# -------------------------------------------------------------- colours ----
SKIN = (0.80, 0.52, 0.34)
SKIN_DARK = (0.42, 0.22, 0.12)
SKIN_EDGE = (0.30, 0.15, 0.08)
SCLERA = (0.95, 0.90, 0.84)
CARUNCLE = (0.80, 0.46, 0.40)
WATERLINE = (0.88, 0.56, 0.48)
IRIS_INNER = (1.00, 0.74, 0.26)      # golden amber near the pupil
IRIS_MID = (0.92, 0.45, 0.10)        # orange
IRIS_OUTER = (0.46, 0.19, 0.05)      # brown
LIMBUS = (0.10, 0.045, 0.02)
PUPIL = (0.015, 0.010, 0.008)
LASH = (0.07, 0.035, 0.02)


def iris_colour(x, y):
    cx, cy = IRIS_C
    dx, dy = x - cx, y - cy
    r = math.sqrt(dx * dx + dy * dy) / IRIS_R
    th = math.atan2(dy, dx)
    a = (th / (2.0 * math.pi)) % 1.0
    # radial fibres: noise stretched along the radius
    fib = fbm(a * 90.0, r * 3.0, 3)
    fine = vnoise(a * 260.0, r * 7.0)
    fine2 = vnoise(a * 520.0 + 31.0, r * 12.0)
    # collarette: a wavy ring between the bright inner and the orange zone
    coll = 0.50 + 0.045 * math.sin(th * 13.0) + 0.05 * (fbm(a * 20.0, 3.0, 2) - 0.5)
    if r < coll:
        c = mix(IRIS_INNER, IRIS_MID, smooth(0.35, coll, r) * 0.55)
    else:
        c = mix(IRIS_MID, IRIS_OUTER, smooth(coll, 0.93, r) ** 0.8)
    # collarette ridge is a little lighter
    c = mul(c, 1.0 + 0.25 * math.exp(-((r - coll) / 0.035) ** 2))
    # fibres brighten and darken in streaks
    c = mul(c, 0.50 + 0.85 * fib + 0.45 * (fine - 0.5) + 0.25 * (fine2 - 0.5))
    # crypts: small dark pits in the mid zone
    cr = vnoise(a * 34.0 + 7.0, r * 5.0 + 2.0)
    if 0.55 < r < 0.88 and cr > 0.74:
        c = mul(c, 1.0 - 0.45 * min(1.0, (cr - 0.74) * 8.0))
    # dark limbal ring
    c = mix(c, LIMBUS, smooth(0.80, 1.0, r) ** 1.2)
    return c, r


def shade(x, y, px):
    """Colour (linear-ish RGB in 0..1) at tile point (x, y); px = pixel size."""
    up = upper_lid(x)
    lo = lower_lid(x)
    inside_x = abs(x) < EYE_W
    # coverage of the lid opening (anti-aliased)
    if inside_x:
        open_cov = smooth(-px, px, y - up) * smooth(-px, px, lo - y)
    else:
        open_cov = 0.0

    # ---- skin
    t = x / EYE_W
    n = fbm(x * 6.0 + 11.0, y * 6.0 + 3.0, 4)
    pores = vnoise(x * 90.0, y * 90.0)
    skin = mul(SKIN, 0.86 + 0.22 * n + 0.05 * (pores - 0.5))
    # key light from the upper left
    skin = mul(skin, 1.0 - 0.18 * (x * 0.5 + y * 0.6))
    cr = crease(x)
    # lid sculpting fades out beyond the corners of the eye
    lidk = 1.0 - smooth(0.95, 1.10, abs(t))
    # lid skin between lash line and crease
    if y < up and lidk > 0.0:
        d_cr = y - cr
        f = 1.0 - 0.48 * math.exp(-(d_cr / 0.045) ** 2)
        if y > cr:
            # the lid bulges: lit near the middle, shadowed at the lash line
            k = (y - cr) / max(1e-3, up - cr)
            f *= 1.02 + 0.12 * math.sin(k * math.pi) \
                - 0.35 * k ** 4 * (1.0 - smooth(0.85, 1.0, abs(t)))
        else:
            # brow bone under the lit fold
            f *= 1.0 + 0.10 * smooth(-0.35, -0.05, d_cr) \
                - 0.25 * smooth(0.0, 0.5, -d_cr - 0.3)
        skin = mul(skin, 1.0 + (f - 1.0) * lidk)
    if y > lo and lidk > 0.0:
        d = y - lo
        # puffy lower lid: highlight then the tear-trough shadow
        f = 1.0 + 0.10 * math.exp(-((d - 0.08) / 0.05) ** 2) \
            - 0.28 * math.exp(-((d - 0.22) / 0.07) ** 2)
        skin = mul(skin, 1.0 + (f - 1.0) * lidk)
    # eye corners sink into shadow
    for sx in (-EYE_W, EYE_W):
        dd = (x - sx) ** 2 + (y - corner_line(sx)) ** 2
        skin = mul(skin, 1.0 - 0.35 * math.exp(-dd / 0.012))
    # shadow hugging the lid margins from outside
    if inside_x:
        du = up - y
        dl = y - lo
        if du > 0:
            skin = mix(skin, SKIN_DARK, 0.55 * math.exp(-du / 0.03))
        if dl > 0:
            skin = mix(skin, WATERLINE, 0.65 * math.exp(-(dl / 0.022) ** 2)
                       * (1.0 - abs(t) ** 4))
            skin = mix(skin, SKIN_DARK, 0.25 * math.exp(-((dl - 0.045) / 0.02) ** 2))
    # tile vignette
    rr = max(abs(x), abs(y))
    skin = mix(skin, SKIN_EDGE, smooth(0.55, 1.0, rr) ** 1.6 * 0.75)

    if open_cov <= 0.0:
        return skin

    # ---- eyeball
    du = y - up            # distance below the upper lid
    dl = lo - y            # distance above the lower lid
    ball = SCLERA
    # faint warm veins towards the corners
    vein = fbm(x * 14.0 + 40.0, y * 14.0, 3)
    vein_k = smooth(0.55, 1.0, abs(t)) * max(0.0, 1.0 - abs(vein - 0.5) * 22.0)
    ball = mix(ball, (0.85, 0.45, 0.40), 0.3 * vein_k)
    # roundness and corner shadow
    ball = mul(ball, 1.0 - 0.45 * abs(t) ** 2.5 - 0.12 * (y - IRIS_C[1]) ** 2)
    # caruncle at the inner corner
    dc = ((x + EYE_W - 0.06) / 0.06) ** 2 + ((y - corner_line(-EYE_W)) / 0.055) ** 2
    ball = mix(ball, CARUNCLE, 0.8 * smooth(1.6, 0.3, dc))

    ic, r = iris_colour(x, y)
    iris_cov = smooth(1.0 + px / IRIS_R, 1.0 - px / IRIS_R, r)
    # iris edge blends softly into the sclera
    iris_cov = max(iris_cov, smooth(1.06, 1.0, r) * 0.35)
    col = mix(ball, ic, iris_cov)
    # pupil
    cx, cy = IRIS_C
    pr = math.hypot(x - cx, y - cy)
    pr_edge = PUPIL_R * (1.0 + 0.025 * (vnoise(math.atan2(y - cy, x - cx) * 6.0, 1.5) - 0.5))
    pup = smooth(pr_edge + px * 1.2, pr_edge - px * 1.2, pr)
    col = mix(col, PUPIL, pup)
    # shadow cast by the upper lid and lashes, and a little under the lower lid
    col = mul(col, 1.0 - 0.62 * math.exp(-du / 0.10))
    col = mul(col, 1.0 - 0.25 * math.exp(-dl / 0.04))
    # wet rim on the lower lid edge
    col = mix(col, (1.0, 0.9, 0.85), 0.35 * math.exp(-(dl / 0.008) ** 2) * (1 - abs(t) ** 2))

    # corneal reflections: a window highlight and a small secondary one
    hx, hy = cx - 0.135, cy - 0.125
    hd = ((x - hx) / 0.085) ** 2 + ((y - hy) / 0.068) ** 2
    hl = smooth(1.15, 0.75, hd)
    hd2 = ((x - (cx + 0.12)) / 0.03) ** 2 + ((y - (cy + 0.11)) / 0.025) ** 2
    hl = max(hl, 0.85 * smooth(1.2, 0.6, hd2))
    # broad soft sheen over the cornea
    sheen = 0.10 * math.exp(-((x - hx) ** 2 + (y - hy) ** 2) / 0.03) * (r < 1.05)
    col = (col[0] + sheen, col[1] + sheen, col[2] + sheen)
    col = mix(col, (1.0, 0.98, 0.95), hl)

    return mix(skin, col, open_cov)


# --------------------------------------------------------------- lashes ----
def lash_curves(rng):
    """Yield (points, base_width) for every eyelash, in tile coordinates."""
    out = []
    # upper lashes
    count = 64
    for i in range(count):
        s = -0.86 + 1.88 * (i + rng.uniform(-0.35, 0.35)) / count
        x0 = s * EYE_W
        if abs(x0) > EYE_W * 0.98:
            continue
        y0 = upper_lid(x0) - 0.012
        t = x0 / EYE_W
        # direction: up and outwards, leaning towards the outer corner
        ang = math.radians(-90.0 + 52.0 * t + 18.0 + rng.uniform(-8.0, 8.0))
        length = (0.12 + 0.13 * math.sin((t + 1.0) * math.pi * 0.5) ** 1.5) \
            * rng.uniform(0.85, 1.1)
        curl = math.radians(38.0 + rng.uniform(-10.0, 10.0))
        width = 0.010 * rng.uniform(0.8, 1.15)
        pts = []
        steps = 40
        for k in range(steps + 1):
            u = k / steps
            a = ang + curl * u * u * (1.0 if t > -0.25 else -0.6)
            if k == 0:
                x, y = x0, y0
            else:
                x += math.cos(a) * length / steps
                y += math.sin(a) * length / steps
            pts.append((x, y, width * (1.0 - 0.85 * u)))
        out.append(pts)
    # lower lashes: short, sparse, pointing down and out
    for i in range(26):
        s = -0.55 + 1.45 * (i + rng.uniform(-0.3, 0.3)) / 26
        x0 = s * EYE_W
        if abs(x0) > EYE_W * 0.96:
            continue
        y0 = lower_lid(x0) + 0.03
        t = x0 / EYE_W
        ang = math.radians(90.0 - 45.0 * t - 10.0 + rng.uniform(-10.0, 10.0))
        length = 0.05 + 0.05 * max(0.0, t + 0.3) * rng.uniform(0.7, 1.1)
        width = 0.0055 * rng.uniform(0.8, 1.1)
        pts = []
        steps = 16
        for k in range(steps + 1):
            u = k / steps
            a = ang - math.radians(20.0) * u * (1 if t > 0 else -1)
            if k == 0:
                x, y = x0, y0
            else:
                x += math.cos(a) * length / steps
                y += math.sin(a) * length / steps
            pts.append((x, y, width * (1.0 - 0.8 * u)))
        out.append(pts)
    return out


def stamp_lashes(cov, size):
    rng = random.Random(4242)
    scale = size / 2.0
    for pts in lash_curves(rng):
        for x, y, w in pts:
            px = (x + 1.0) * scale
            py = (y + 1.0) * scale
            rad = max(0.6, w * scale * 0.5)
            x0 = int(px - rad - 1)
            x1 = int(px + rad + 2)
            y0 = int(py - rad - 1)
            y1 = int(py + rad + 2)
            for j in range(max(0, y0), min(size, y1)):
                row = j * size
                for i in range(max(0, x0), min(size, x1)):
                    d = math.hypot(i + 0.5 - px, j + 0.5 - py)
                    c = min(1.0, max(0.0, rad + 0.5 - d))
                    if c > cov[row + i]:
                        cov[row + i] = c
    # the dense lash line along the upper lid margin
    for i in range(size):
        x = (i + 0.5) / scale - 1.0
        if abs(x) >= EYE_W:
            continue
        up = upper_lid(x)
        t = x / EYE_W
        thick = (0.028 + 0.012 * max(0.0, t)) * (1.0 - abs(t) ** 6)
        for j in range(size):
            y = (j + 0.5) / scale - 1.0
            d = up - y                      # positive above the lid edge
            if -0.01 < d < thick + 0.01:
                c = smooth(-2.0 / scale, 1.0 / scale, d) * \
                    smooth(thick + 1.0 / scale, thick - 2.0 / scale, d)
                idx = j * size + i
                if c > cov[idx]:
                    cov[idx] = c


# ---------------------------------------------------------------- tile -----
def tile_alpha(x, y, px):
    ax = abs(x) - (TILE_HALF - TILE_RADIUS)
    ay = abs(y) - (TILE_HALF - TILE_RADIUS)
    d = math.hypot(max(ax, 0.0), max(ay, 0.0)) + min(max(ax, ay), 0.0) - TILE_RADIUS
    return smooth(px, -px, d)


def write_png(path, size, rgba):
    raw = bytearray()
    stride = size * 4
    for j in range(size):
        raw.append(0)
        raw += rgba[j * stride:(j + 1) * stride]

    def chunk(tag, data):
        c = struct.pack('>I', len(data)) + tag + data
        return c + struct.pack('>I', zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as fh:
        fh.write(png)


def main():
    path = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 1024
    px = 2.0 / size
    cov = [0.0] * (size * size)
    stamp_lashes(cov, size)
    out = bytearray(size * size * 4)
    for j in range(size):
        y = (j + 0.5) * px - 1.0
        for i in range(size):
            x = (i + 0.5) * px - 1.0
            a = tile_alpha(x, y, px)
            k = (j * size + i) * 4
            if a <= 0.0:
                continue
            c = shade(x, y, px)
            lc = cov[j * size + i]
            if lc > 0.0:
                c = mix(c, LASH, lc * 0.97)
            for ch in range(3):
                v = min(1.0, max(0.0, c[ch])) ** (1.0 / 1.15)
                out[k + ch] = int(v * 255.0 + 0.5)
            out[k + 3] = int(a * 255.0 + 0.5)
    write_png(path, size, out)


if __name__ == '__main__':
    main()
