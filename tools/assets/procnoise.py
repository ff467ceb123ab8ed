"""Small deterministic noise helpers shared by the image generators."""

import math
import random

_N = 256
_rng = random.Random(20240611)
_GRID = [_rng.random() for _ in range(_N * _N)]


def vnoise(x, y):
    """Smooth 2-D value noise in [0, 1], period 256 on both axes."""
    xi = math.floor(x)
    yi = math.floor(y)
    fx = x - xi
    fy = y - yi
    fx = fx * fx * (3 - 2 * fx)
    fy = fy * fy * (3 - 2 * fy)
    x0 = xi & 255
    y0 = yi & 255
    x1 = (x0 + 1) & 255
    y1 = (y0 + 1) & 255
    g = _GRID
    a = g[y0 * _N + x0]
    b = g[y0 * _N + x1]
    c = g[y1 * _N + x0]
    d = g[y1 * _N + x1]
    top = a + (b - a) * fx
    bot = c + (d - c) * fx
    return top + (bot - top) * fy


def fbm(x, y, octaves=4):
    """Fractal sum of value noise, roughly in [0, 1]."""
    s = 0.0
    amp = 0.5
    for _ in range(octaves):
        s += amp * vnoise(x, y)
        x = x * 2.03 + 17.1
        y = y * 2.03 + 5.7
        amp *= 0.5
    return s


def ihash(i, j, k=0):
    """32-bit integer hash of up to three integers."""
    h = (i * 374761393 + j * 668265263 + k * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return h ^ (h >> 16)


def uhash(i, j, k=0):
    """Hash of integers mapped to [0, 1)."""
    return (ihash(i, j, k) & 0xFFFFFF) / float(0x1000000)
