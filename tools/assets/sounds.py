#!/usr/bin/env python3
"""Synthesize the game's sound cues as plain 16-bit PCM WAV files.

Usage: sounds.py OUTDIR

  1.wav  rivals raise / countdown tick   short sharp beep
  2.wav  auction closed                   two gavel knocks
  3.wav  the auction room closes          soft descending whoosh and tone
  5.wav  the player bids                  bright rising blip
  6.wav  money in                         cash-register "ka-ching" bell

Every cue is normalised to a -6 dBFS peak, faded in and out so it starts and
ends without a click, and followed by 0.2 s of digital silence (the player
cuts off the last ~110 ms of a file). The wave module writes format tag 1
(WAVE_FORMAT_PCM) with 16-bit samples. Noise comes from fixed seeds, so the
output is byte-for-byte reproducible.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 44100
PEAK = 10 ** (-6.0 / 20.0)      # -6 dBFS
TAIL = 0.2                      # seconds of silence after the sound
TWO_PI = 2.0 * math.pi


def n_samples(seconds):
    return int(round(seconds * RATE))


def silence(seconds):
    return [0.0] * n_samples(seconds)


def mix_into(dst, src, at=0.0, gain=1.0):
    off = n_samples(at)
    need = off + len(src)
    if len(dst) < need:
        dst.extend([0.0] * (need - len(dst)))
    for i, v in enumerate(src):
        dst[off + i] += v * gain
    return dst


def sine_partial(freq, seconds, decay, phase=0.0, attack=0.002):
    """A sine at freq with an exponential decay (time constant in s)."""
    n = n_samples(seconds)
    out = [0.0] * n
    a = n_samples(attack)
    w = TWO_PI * freq / RATE
    for i in range(n):
        env = math.exp(-i / (decay * RATE))
        if i < a:
            env *= i / a
        out[i] = math.sin(w * i + phase) * env
    return out


def sweep(f0, f1, seconds, shape='exp'):
    """Sine whose frequency glides from f0 to f1 (phase-continuous)."""
    n = n_samples(seconds)
    out = [0.0] * n
    ph = 0.0
    for i in range(n):
        x = i / max(1, n - 1)
        if shape == 'exp':
            f = f0 * (f1 / f0) ** x
        else:
            f = f0 + (f1 - f0) * x
        ph += TWO_PI * f / RATE
        out[i] = math.sin(ph)
    return out


def noise(seconds, seed):
    rng = random.Random(seed)
    return [rng.uniform(-1.0, 1.0) for _ in range(n_samples(seconds))]


def bandpass(sig, f_of_i, q):
    """State-variable band-pass; f_of_i(i) gives the centre frequency."""
    low = band = 0.0
    out = [0.0] * len(sig)
    damp = 1.0 / q
    for i, x in enumerate(sig):
        f = 2.0 * math.sin(math.pi * min(f_of_i(i), RATE / 6.0) / RATE)
        high = x - low - damp * band
        band += f * high
        low += f * band
        out[i] = band
    return out


def lowpass(sig, cutoff):
    a = math.exp(-TWO_PI * cutoff / RATE)
    y = 0.0
    out = [0.0] * len(sig)
    for i, x in enumerate(sig):
        y = (1.0 - a) * x + a * y
        out[i] = y
    return out


def envelope(sig, attack, release, hold_shape=None):
    """Linear fade-in over attack s, raised-cosine fade-out over release s."""
    n = len(sig)
    a = max(1, n_samples(attack))
    r = max(1, n_samples(release))
    out = list(sig)
    for i in range(min(a, n)):
        out[i] *= i / a
    for k in range(min(r, n)):
        i = n - 1 - k
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * k / r)
    if hold_shape is not None:
        for i in range(n):
            out[i] *= hold_shape(i / max(1, n - 1))
    return out


def finish(sig):
    """Normalise to the target peak and append the silent tail."""
    peak = max(abs(v) for v in sig) or 1.0
    g = PEAK / peak
    return [v * g for v in sig] + silence(TAIL)


def write_wav(path, sig):
    frames = bytearray()
    for v in sig:
        s = int(round(v * 32767.0))
        s = max(-32768, min(32767, s))
        frames += struct.pack('<h', s)
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


# ------------------------------------------------------------------ cues ----
def cue_tick():
    """1: short sharp tick - a bright beep with a hard transient."""
    dur = 0.15
    sig = [0.0] * n_samples(dur)
    mix_into(sig, sine_partial(1760.0, dur, 0.05, attack=0.001))
    mix_into(sig, sine_partial(3520.0, dur, 0.015, attack=0.001), gain=0.35)
    click = bandpass(noise(0.012, 101), lambda i: 4500.0, 2.0)
    mix_into(sig, envelope(click, 0.0005, 0.008), gain=1.2)
    return envelope(sig, 0.001, 0.03)


def knock(seed):
    """One hardwood gavel strike: damped body modes plus a noisy contact."""
    dur = 0.22
    sig = [0.0] * n_samples(dur)
    modes = [(190.0, 0.060, 1.0), (420.0, 0.040, 0.7),
             (905.0, 0.022, 0.45), (1630.0, 0.012, 0.3), (2710.0, 0.006, 0.2)]
    for f, d, g in modes:
        mix_into(sig, sine_partial(f, dur, d, attack=0.0008), gain=g)
    hit = bandpass(noise(0.03, seed), lambda i: 1800.0, 1.2)
    hit = [v * math.exp(-i / (0.004 * RATE)) for i, v in enumerate(hit)]
    mix_into(sig, hit, gain=2.5)
    return sig


def cue_gavel():
    """2: auction closed - two gavel knocks, the second one firmer."""
    sig = []
    mix_into(sig, knock(201), at=0.0, gain=0.75)
    mix_into(sig, knock(202), at=0.19, gain=1.0)
    return envelope(sig, 0.0008, 0.04)


def cue_room_closes():
    """3: soft descending whoosh with a falling two-note tone under it."""
    dur = 0.6
    n = n_samples(dur)
    air = noise(dur, 301)
    air = bandpass(air, lambda i: 2600.0 * (300.0 / 2600.0) ** (i / n), 3.0)
    air = lowpass(lowpass(air, 3500.0), 3500.0)
    tone = sweep(660.0, 330.0, dur)
    tone2 = sweep(990.0, 495.0, dur)
    sig = [0.0] * n
    mix_into(sig, air, gain=1.0)
    mix_into(sig, tone, gain=0.22)
    mix_into(sig, tone2, gain=0.07)

    def swell(x):
        # rises over the first quarter, then dies away
        return math.sin(math.pi * min(1.0, x / 0.25) * 0.5) * (1.0 - x) ** 1.4

    return envelope(sig, 0.01, 0.05, swell)


def cue_bid():
    """5: bright rising blip - a quick chirp into a short upper note."""
    sig = []
    a = sweep(880.0, 1760.0, 0.09)
    a2 = sweep(1760.0, 3520.0, 0.09)
    first = [x + 0.3 * y for x, y in zip(a, a2)]
    mix_into(sig, envelope(first, 0.003, 0.02))
    second = [0.0] * n_samples(0.12)
    mix_into(second, sine_partial(2217.5, 0.12, 0.05, attack=0.002))   # C#7
    mix_into(second, sine_partial(4435.0, 0.12, 0.025, attack=0.002), gain=0.25)
    mix_into(sig, envelope(second, 0.002, 0.03), at=0.075, gain=0.9)
    return envelope(sig, 0.002, 0.02)


def cue_cash():
    """6: money in - drawer clack followed by a bright bell ding."""
    dur = 0.55
    sig = [0.0] * n_samples(dur)
    # the mechanical "ka": two fast metallic clicks
    for k, at in enumerate((0.0, 0.028)):
        c = bandpass(noise(0.03, 601 + k), lambda i: 3200.0, 3.0)
        c = [v * math.exp(-i / (0.005 * RATE)) for i, v in enumerate(c)]
        mix_into(sig, c, at=at, gain=1.6)
    # the "ching": a small bell, inharmonic partials with staggered decays
    base = 2093.0                                  # C7
    partials = [(1.0, 0.30, 1.0), (2.0, 0.16, 0.35), (2.76, 0.11, 0.45),
                (4.07, 0.06, 0.2), (5.4, 0.04, 0.15)]
    bell = [0.0] * n_samples(dur - 0.05)
    for ratio, d, g in partials:
        mix_into(bell, sine_partial(base * ratio, dur - 0.05, d,
                                    phase=ratio, attack=0.0015), gain=g)
    mix_into(sig, bell, at=0.05, gain=0.8)
    return envelope(sig, 0.001, 0.06)


CUES = {
    '1.wav': cue_tick,
    '2.wav': cue_gavel,
    '3.wav': cue_room_closes,
    '5.wav': cue_bid,
    '6.wav': cue_cash,
}


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, fn in CUES.items():
        write_wav(os.path.join(outdir, name), finish(fn()))


if __name__ == '__main__':
    main()
