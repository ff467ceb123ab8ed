#!/usr/bin/env python3
"""Render the desktop backdrop: a dim storage hall with rows of roller doors.

Pure standard-library ray caster. Each pixel casts one jittered ray into a
box-shaped corridor (floor, ceiling, two walls of roller doors, far wall),
shades it with a handful of ceiling lamps, adds a glossy floor reflection
(walls traced once more, the lamp tubes as a soft streak), fog, tone
mapping, vignette and film grain, and writes a binary PPM. make-all.sh turns that into the JPEG (bloom + encoding).

Usage: backdrop.py OUT.ppm [WIDTH HEIGHT]
Output is deterministic: all randomness comes from fixed-seed tables and
integer hashes of the pixel position.
"""

import math
import os
import random
import sys
from multiprocessing import Pool

from procnoise import fbm, ihash, uhash

# ---------------------------------------------------------------- scene ----
HALL_HALF_W = 2.6        # walls at x = -2.6 and x = +2.6
HALL_H = 3.7             # ceiling height
HALL_END = 78.0          # far wall
DOOR_PERIOD = 3.1        # one unit per 3.1 m along the wall
DOOR_W = 2.55
DOOR_H = 2.45
SLAT = 0.095             # corrugation pitch of the roller doors
LAMP_Z = [2.2 + 7.75 * i for i in range(10)]
LAMP_DEAD = {3}          # one tube is out - halls are never perfect
LAMP_DIM = {6: 0.4}      # and one is failing
LIFTED = {(-1, 3): 0.62, (1, 5): 0.28}   # (wall side, unit) -> raised by m

CAM = (0.55, 1.58, -1.2)
YAW = math.radians(-7.0)     # look slightly towards the left wall
PITCH = math.radians(1.5)
HFOV = math.radians(68.0)

# albedos (linear)
COL_DOOR_A = (0.42, 0.16, 0.055)     # rust orange
COL_DOOR_B = (0.36, 0.145, 0.05)
COL_WALL = (0.19, 0.19, 0.20)
COL_PILLAR = (0.13, 0.135, 0.14)
COL_FLOOR = (0.30, 0.29, 0.27)
COL_LINE = (0.55, 0.42, 0.08)
COL_CEIL = (0.12, 0.12, 0.13)
COL_END = (0.20, 0.21, 0.23)
LAMP_RGB = (1.0, 0.84, 0.64)        # warm, slightly sodium-tinted tubes
DIRECT_RGB = (1.0, 0.88, 0.72)      # their light on surfaces
FOG_RGB = (0.010, 0.012, 0.016)
AMBIENT = (0.010, 0.0115, 0.0145)   # cool bounce light

# --------------------------------------------------------------- noise -----
_grain_rng = random.Random(77)
_GRAIN = [_grain_rng.gauss(0.0, 1.0) for _ in range(1 << 16)]
_hash = ihash
_unit_hash = uhash


# ------------------------------------------------------------ lighting -----
def _lamps():
    out = []
    for idx, z in enumerate(LAMP_Z):
        if idx in LAMP_DEAD:
            continue
        s = LAMP_DIM.get(idx, 1.0)
        out.append((0.0, HALL_H - 0.12, z, s))
    return out


LAMPS = _lamps()
LAMP_POWER = 6.5


def irradiance(px, py, pz, nx, ny, nz):
    """Diffuse light arriving at a point with normal n (scalar, white)."""
    e = 0.0
    for lx, ly, lz, s in LAMPS:
        dz = lz - pz
        if dz > 26.0 or dz < -26.0:
            continue
        dx = lx - px
        dy = ly - py
        d2 = dx * dx + dy * dy + dz * dz + 0.05
        inv = 1.0 / math.sqrt(d2)
        cos_s = (dx * nx + dy * ny + dz * nz) * inv
        if cos_s <= 0.0:
            continue
        # lamps shine downwards with a broad cosine lobe
        down = dy * inv
        if down <= 0.0:
            continue
        e += s * cos_s * (0.15 + 0.85 * down * down * down) / d2
    return e * LAMP_POWER


def lit(albedo, e, m):
    """Albedo under warm direct light e (scaled by m) plus cool ambient."""
    return (albedo[0] * (e * m * DIRECT_RGB[0] + AMBIENT[0] * 6),
            albedo[1] * (e * m * DIRECT_RGB[1] + AMBIENT[1] * 6),
            albedo[2] * (e * m * DIRECT_RGB[2] + AMBIENT[2] * 6))


def lamp_emission(x, z, soft):
    """Emission of the ceiling tubes at ceiling point (x, z).

    soft > 0 widens the tubes (used for the blurry floor reflection)."""
    e = 0.0
    for idx, lz in enumerate(LAMP_Z):
        if idx in LAMP_DEAD:
            continue
        dz = abs(z - lz)
        if dz > 1.0 + 8.0 * soft:
            continue
        s = LAMP_DIM.get(idx, 1.0)
        hx = 0.09 + soft * 0.6
        hz = 0.75 + soft * 0.9
        ax = abs(x) - hx
        az = dz - hz
        if soft == 0.0:
            if ax < 0.0 and az < 0.0:
                e += 9.0 * s
            else:
                # housing glow just around the tube
                dd = max(ax, 0.0) ** 2 + max(az, 0.0) ** 2
                e += 0.9 * s * math.exp(-dd * 60.0)
        else:
            sx = 0.10 + soft * 0.35
            sz = 0.5 + soft * 2.5
            gx = max(abs(x) - 0.09, 0.0) / sx
            gz = max(dz - 0.75, 0.0) / sz
            e += 2.6 * s * math.exp(-gx * gx - gz * gz)
    return e


# ------------------------------------------------------------- surfaces ----
_FONT = {
    '0': ('111', '101', '101', '101', '111'),
    '1': ('010', '110', '010', '010', '111'),
    '2': ('111', '001', '111', '100', '111'),
    '3': ('111', '001', '111', '001', '111'),
    '4': ('101', '101', '111', '001', '001'),
    '5': ('111', '100', '111', '001', '111'),
    '6': ('111', '100', '111', '101', '111'),
    '7': ('111', '001', '010', '010', '010'),
    '8': ('111', '101', '111', '101', '111'),
    '9': ('111', '101', '111', '001', '111'),
}


def plate_ink(number, sx, sy):
    """True where the stencilled unit number covers plate point (sx, sy).

    sx runs left to right from the plate centre, sy bottom to top (0..0.22)."""
    text = str(number)
    cell = 0.032
    width = len(text) * 4 * cell - cell
    cx = sx + width * 0.5
    cy = 0.185 - sy                    # rows counted from the top
    if cx < 0 or cx >= width or cy < 0.03 or cy >= 0.03 + 5 * cell:
        return False
    col = int(cx / cell)
    ch = col // 4
    sub = col % 4
    if sub == 3:
        return False
    row = int((cy - 0.03) / cell)
    return _FONT[text[ch]][row][sub] == '1'


def shade_wall(side, y, z, t, f):
    """Return linear RGB for a wall hit. side = -1 (left) or +1 (right)."""
    x = side * HALL_HALF_W
    nx = -side
    # unit index and position inside the unit
    zu = z + (0.0 if side < 0 else DOOR_PERIOD * 0.5)
    unit = math.floor(zu / DOOR_PERIOD)
    u = zu - unit * DOOR_PERIOD                  # 0..DOOR_PERIOD
    half_pillar = (DOOR_PERIOD - DOOR_W) * 0.5
    in_door_z = half_pillar < u < DOOR_PERIOD - half_pillar
    ao = 1.0
    # ambient occlusion near floor / ceiling edges and at the pillars
    ao *= 1.0 - 0.45 * math.exp(-y * 4.0)
    ao *= 1.0 - 0.35 * math.exp(-(HALL_H - y) * 3.0)

    # how open is this unit's door?  (a couple are partly raised)
    hu = _hash(unit, 7 if side < 0 else 11)
    lift = LIFTED.get((side, unit), 0.0)

    emit = 0.0
    if in_door_z and y < DOOR_H:
        du = u - half_pillar                      # 0..DOOR_W
        if y < lift:
            # dark interior behind a raised door, lit only at the lip
            depth = lift - y
            col = (0.004, 0.0035, 0.003)
            e = irradiance(x, y, z, nx, 0.0, 0.0) * 0.3 * math.exp(-depth * 12.0)
            r, g, b = col[0] + e * 0.1, col[1] + e * 0.08, col[2] + e * 0.06
            return (r * ao, g * ao, b * ao)
        base = COL_DOOR_A if (hu >> 3) & 1 else COL_DOOR_B
        # per-door wear tint
        wear = 0.85 + 0.3 * _unit_hash(unit, side, 3)
        # corrugation: profile along y, band-limited by the pixel footprint
        pitch_px = SLAT * f / max(t, 1e-3)
        k = min(max((pitch_px - 2.0) / 5.0, 0.0), 1.0)
        ph = ((y - lift) / SLAT) % 1.0
        prof = math.sin(ph * 2.0 * math.pi)
        groove = math.exp(-((ph - 0.02) ** 2) * 900.0)
        slat = 1.0 + k * (0.22 * prof - 0.35 * groove)
        # upper-facing slat faces catch more light from above
        ny = 0.35 * k * math.cos(ph * 2.0 * math.pi)
        # grime: darker towards the bottom, streaky
        grime = 0.75 + 0.25 * min(1.0, (y - lift) / 1.2)
        grime *= 0.85 + 0.3 * fbm(z * 1.3 + side * 40.0, y * 0.35, 3)
        # bottom rail and latch
        if (y - lift) < 0.07:
            base = (0.16, 0.16, 0.17)
            slat = 1.0
        elif 0.07 < (y - lift) < 0.22 and abs(du - DOOR_W * 0.5) < 0.09:
            base = (0.30, 0.30, 0.31)
            slat = 1.0
        e = irradiance(x, y, z, nx, ny, 0.0)
        m = slat * grime * wear * ao
        r, g, b = lit(base, e, m)
        # a faint sheen from the lamps on the metal
        sh = 0.04 * k * max(0.0, prof) * e
        return (r + sh, g + sh * 0.9, b + sh * 0.8)

    if not in_door_z and y < DOOR_H + 0.25:
        # pillar / door frame
        edge = min(u, DOOR_PERIOD - u) if u < DOOR_PERIOD * 0.5 else DOOR_PERIOD - u
        col = COL_PILLAR
        e = irradiance(x, y, z, nx, 0.0, 0.0)
        m = ao * (0.9 + 0.2 * fbm(z * 3.0, y * 3.0, 2))
        return lit(col, e, m)

    # header wall above the doors, with a small number plate per unit
    col = COL_WALL
    m = ao * (0.8 + 0.35 * fbm(z * 0.8 + 3.0, y * 2.0 + side * 9.0, 4))
    if in_door_z and y < DOOR_H + 0.25:
        col = (0.08, 0.08, 0.085)             # door box lintel
    elif in_door_z and DOOR_H + 0.33 < y < DOOR_H + 0.55 and \
            abs(u - DOOR_PERIOD * 0.5) < 0.28:
        col = (0.62, 0.60, 0.55)               # number plate
        m = ao
        # reading direction runs along +z on the left wall, -z on the right
        sx = (u - DOOR_PERIOD * 0.5) * (1.0 if side < 0 else -1.0)
        number = 100 + 2 * unit + (0 if side < 0 else 1)
        if plate_ink(number, sx, y - (DOOR_H + 0.33)):
            col = (0.05, 0.05, 0.06)
    # horizontal seam lines of the panel wall
    seam = ((y - DOOR_H) / 0.6) % 1.0
    if seam < 0.03:
        m *= 0.6
    e = irradiance(x, y, z, nx, 0.0, 0.0)
    return lit(col, e, m)


def shade_floor(x, z, t, f, dx, dy, dz):
    # concrete albedo with blotches, trowel marks and the painted lines
    n = fbm(x * 0.9, z * 0.45, 4)
    n2 = fbm(x * 6.0 + 50.0, z * 3.0, 2)
    alb = 0.75 + 0.45 * n + 0.10 * n2
    # faint trolley-wheel tracks running along the hall
    tr = fbm(x * 7.0 + 3.0, z * 0.08, 2)
    alb *= 1.0 - 0.25 * max(0.0, tr - 0.55) * 4.0 * (1.0 - min(1.0, abs(x) / 2.0))
    col = COL_FLOOR
    line = abs(abs(x) - (HALL_HALF_W - 0.45))
    if line < 0.05:
        worn = fbm(x * 3.0 + 9.0, z * 0.8, 3)
        a = min(max((worn - 0.3) * 5.0, 0.0), 0.9)
        col = (col[0] + (COL_LINE[0] - col[0]) * a,
               col[1] + (COL_LINE[1] - col[1]) * a,
               col[2] + (COL_LINE[2] - col[2]) * a)
    # expansion joints every 6 m across the floor
    jz = z % 6.2
    joint = jz < 0.012 or jz > 6.188
    if abs(x) < 0.004:
        joint = True
    r0, g0, b0 = col[0] * alb, col[1] * alb, col[2] * alb
    if joint:
        r0 *= 0.45
        g0 *= 0.45
        b0 *= 0.45
    ao = 1.0 - 0.5 * math.exp(-(HALL_HALF_W - abs(x)) * 3.0)
    e = irradiance(x, 0.0, z, 0.0, 1.0, 0.0) * ao
    r, g, b = lit((r0, g0, b0), e, 1.0)
    # glossy reflection: mirror the ray, jitter it by the surface roughness
    if dy < 0.0:
        fr = 0.35 + 0.65 * (1.0 + dy) ** 5      # grazing rays reflect more
        k = 0.30 * fr * (1.0 - 0.5 * n)
        qx = int(x * 4000.0)
        qz = int(z * 4000.0)
        jx = (_unit_hash(qx, qz, 21) - 0.5) * 0.06
        jy = (_unit_hash(qx, qz, 22) - 0.5) * 0.03
        rdx, rdy, rdz = dx + jx, -dy + jy, dz
        if rdy < 0.001:
            rdy = 0.001
        rr, rg, rb = reflected(x, z, t, f, rdx, rdy, rdz)
        r += rr * k
        g += rg * k
        b += rb * k

        tc = HALL_H / (-dy)                     # distance to ceiling from floor
        cx = x + dx * tc
        cz = z + dz * tc
        rough = 0.35 + 0.5 * n2
        refl = lamp_emission(cx, cz, rough) * (0.05 + 0.10 * (1.0 - n))
        # Fresnel-ish: grazing rays reflect more
        refl *= fr
        r += refl * LAMP_RGB[0]
        g += refl * LAMP_RGB[1]
        b += refl * LAMP_RGB[2]
    return (r, g, b)


def shade_ceiling(x, z, t, f):
    em = lamp_emission(x, z, 0.0)
    col = COL_CEIL
    # ribbed steel deck (ribs run along the hall), band-limited like the doors
    pitch_px = 0.3 * f / max(t, 1e-3)
    k = min(max((pitch_px - 2.0) / 5.0, 0.0), 1.0)
    ph = (x / 0.3) % 1.0
    m = 1.0 + k * (0.12 * math.sin(ph * 2.0 * math.pi) -
                   0.25 * math.exp(-((ph - 0.5) ** 2) * 400.0))
    # cross beams
    bz = (z + 1.0) % (2.0 * DOOR_PERIOD)
    if bz < 0.22:
        m = 1.6
        col = (0.16, 0.155, 0.15)
    m *= 0.8 + 0.4 * fbm(x * 0.5, z * 0.3, 2)
    # lamp housings
    for lz in LAMP_Z:
        if abs(z - lz) < 0.95 and abs(x) < 0.2:
            col = (0.22, 0.22, 0.22)
            m = 1.4
            break
    # the ceiling only sees light bounced off the floor pools below it
    e = irradiance(x, 0.0, z, 0.0, 1.0, 0.0) * 0.35 + 0.03
    base = lit(col, e, m)
    return (base[0] + em * LAMP_RGB[0], base[1] + em * LAMP_RGB[1],
            base[2] + em * LAMP_RGB[2])


def shade_end(x, y):
    col = COL_END
    e = irradiance(x, y, HALL_END, 0.0, 0.0, -1.0) + 0.02
    r, g, b = col[0] * e, col[1] * e, col[2] * e
    # green exit sign and the faint glow around it
    sx, sy = -1.2, 2.75
    ax = abs(x - sx) - 0.3
    ay = abs(y - sy) - 0.12
    if ax < 0 and ay < 0:
        return (0.05, 0.9, 0.25)
    d = max(ax, 0.0) ** 2 + max(ay, 0.0) ** 2
    gl = 0.25 * math.exp(-d * 6.0)
    return (r + gl * 0.05, g + gl * 0.8, b + gl * 0.3)


# -------------------------------------------------------------- camera -----
def _hit(ox, oy, oz, dx, dy, dz):
    best = 1e30
    kind = 'E'
    if dx < 0:
        t = (-HALL_HALF_W - ox) / dx
        if t < best:
            best, kind = t, 'L'
    elif dx > 0:
        t = (HALL_HALF_W - ox) / dx
        if t < best:
            best, kind = t, 'R'
    if dy < 0:
        t = -oy / dy
        if t < best:
            best, kind = t, 'F'
    elif dy > 0:
        t = (HALL_H - oy) / dy
        if t < best:
            best, kind = t, 'C'
    if dz > 0:
        t = (HALL_END - oz) / dz
        if t < best:
            best, kind = t, 'E'
    return best, kind


def trace(dx, dy, dz, f):
    ox, oy, oz = CAM
    t, kind = _hit(ox, oy, oz, dx, dy, dz)
    px, py, pz = ox + dx * t, oy + dy * t, oz + dz * t
    if kind == 'L':
        c = shade_wall(-1, py, pz, t, f)
    elif kind == 'R':
        c = shade_wall(1, py, pz, t, f)
    elif kind == 'F':
        c = shade_floor(px, pz, t, f, dx, dy, dz)
    elif kind == 'C':
        c = shade_ceiling(px, pz, t, f)
    else:
        c = shade_end(px, py)
    # atmospheric haze
    fog = math.exp(-t * 0.045)
    return (c[0] * fog + FOG_RGB[0] * (1 - fog),
            c[1] * fog + FOG_RGB[1] * (1 - fog),
            c[2] * fog + FOG_RGB[2] * (1 - fog))


def reflected(x, z, t0, f, dx, dy, dz):
    """What the polished floor at (x, 0, z) mirrors: walls, far wall and the
    unlit ceiling (the tubes themselves are added as a soft term)."""
    t, kind = _hit(x, 0.0, z, dx, dy, dz)
    py, pz = dy * t, z + dz * t
    tt = t0 + t
    if kind == 'L':
        c = shade_wall(-1, py, pz, tt * 2.0, f)
    elif kind == 'R':
        c = shade_wall(1, py, pz, tt * 2.0, f)
    elif kind == 'C':
        c = (COL_CEIL[0] * 0.05, COL_CEIL[1] * 0.05, COL_CEIL[2] * 0.05)
    else:
        c = shade_end(x + dx * t, py)
    fog = math.exp(-t * 0.045)
    return (c[0] * fog, c[1] * fog, c[2] * fog)


def _tonemap(v):
    v = 1.0 - math.exp(-v * EXPOSURE)
    if v <= 0.0:
        return 0.0
    return v ** (1.0 / 2.2)


EXPOSURE = 1.05


def render_rows(args):
    y0, y1, w, h = args
    f = (w * 0.5) / math.tan(HFOV * 0.5)
    cy, sy = math.cos(YAW), math.sin(YAW)
    cp, sp = math.cos(PITCH), math.sin(PITCH)
    out = bytearray()
    grain = _GRAIN
    for j in range(y0, y1):
        for i in range(w):
            jx = _unit_hash(i, j, 1) - 0.5
            jy = _unit_hash(i, j, 2) - 0.5
            vx = (i + 0.5 + jx - w * 0.5)
            vy = -(j + 0.5 + jy - h * 0.5)
            vz = f
            # pitch then yaw
            vy, vz = vy * cp + vz * sp, -vy * sp + vz * cp
            vx, vz = vx * cy + vz * sy, -vx * sy + vz * cy
            inv = 1.0 / math.sqrt(vx * vx + vy * vy + vz * vz)
            r, g, b = trace(vx * inv, vy * inv, vz * inv, f)
            # vignette
            ux = (i - w * 0.5) / (w * 0.5)
            uy = (j - h * 0.5) / (h * 0.5)
            vig = 1.0 - 0.45 * (ux * ux * 0.6 + uy * uy * 0.9)
            r *= vig
            g *= vig
            b *= vig
            r, g, b = _tonemap(r), _tonemap(g), _tonemap(b)
            # film grain, stronger in the shadows
            gn = grain[_hash(i, j, 9) & 0xFFFF]
            amp = 0.012 + 0.010 * (1.0 - (r + g + b) / 3.0)
            r += gn * amp
            g += gn * amp
            b += gn * amp * 1.1
            out.append(min(255, max(0, int(r * 255.0 + 0.5))))
            out.append(min(255, max(0, int(g * 255.0 + 0.5))))
            out.append(min(255, max(0, int(b * 255.0 + 0.5))))
    return y0, bytes(out)


def main():
    path = sys.argv[1]
    w = int(sys.argv[2]) if len(sys.argv) > 2 else 2560
    h = int(sys.argv[3]) if len(sys.argv) > 3 else 1440
    step = 24
    jobs = [(y, min(h, y + step), w, h) for y in range(0, h, step)]
    procs = max(1, min(8, os.cpu_count() or 1))
    with Pool(procs) as pool:
        parts = dict(pool.imap_unordered(render_rows, jobs))
    with open(path, 'wb') as fh:
        fh.write(b'P6\n%d %d\n255\n' % (w, h))
        for y, _, _, _ in jobs:
            fh.write(parts[y])


if __name__ == '__main__':
    main()
