#!/usr/bin/env python3
"""Checks a recording of the null sink against what a test did when.

Usage: sound-windows.py RECORDING.wav SOUND_FOLDER WINDOW...
       sound-windows.py --heard RECORDING.wav SOUND_FOLDER START END

RECORDING is 16-bit mono PCM (parecord's WAV; the header's sizes may be left
unset by a recorder that was killed: everything after the "data" tag is read).
SOUND_FOLDER holds the game's cues, <name>.wav. Each WINDOW is
LABEL:START:END:EXPECT, times in seconds from the recording's first sample,
EXPECT one of
  sound        real audio in the window: a peak above -20 dBFS and at least
               MIN_SOUND_S of 10 ms frames above -50 dBFS (a cue, not a click)
  silence      nothing above -60 dBFS (the null sink gives exact zeros when
               nothing plays)
  cues=REGEX   sound, and the names of the cues that start in the window, in
               order, match REGEX (e.g. cues=^5(1+5)*23$ for "5", then "1"s and
               "5"s, then "2" and "3")
The null sink has the cues' own format and nothing else plays, so a cue's
samples come through unchanged: a cue is found by an exact run of 32 of its
samples a few milliseconds in (the monitor may miss a stream's first ones).
A cue cut off by the next one within those milliseconds is not found.
The sounding stretches and the cues of the whole recording are listed too, to
show what was heard when. Exit status 1 when a window does not hold what it
should. With --heard, only the names of the cues that start between START and
END are printed, in order (e.g. "5115523"), for a test to look at while the
recording goes on.
"""

import glob
import os
import re

import array
import math
import struct
import sys

FRAME_S = 0.010
SOUNDING_DBFS = -50.0
SOUND_PEAK_DBFS = -20.0
SILENCE_DBFS = -60.0
MIN_SOUND_S = 0.15
FULL_SCALE = 32768.0


def dbfs(value):
    return 20 * math.log10(value / FULL_SCALE) if value > 0 else -math.inf


def read_pcm(path):
    """(rate, samples) of a 16-bit mono WAV file."""
    with open(path, 'rb') as f:
        data = f.read()
    if len(data) < 12 or data[:4] != b'RIFF' or data[8:12] != b'WAVE':
        sys.exit(f'{path} is not a WAV file')
    pos, rate = 12, None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack('<I', data[pos + 4:pos + 8])[0]
        body = pos + 8
        if tag == b'fmt ':
            fmt, channels, rate, _, _, bits = struct.unpack('<HHIIHH', data[body:body + 16])
            if (fmt, channels, bits) not in ((1, 1, 16), (0xFFFE, 1, 16)):
                sys.exit(f'{path}: not 16-bit mono PCM (format {fmt}, {channels} ch, {bits} bits)')
        elif tag == b'data':
            if rate is None:
                sys.exit(f'{path}: data before the format chunk')
            pcm = data[body:]
            samples = array.array('h')
            samples.frombytes(pcm[:len(pcm) & ~1])
            if sys.byteorder == 'big':
                samples.byteswap()
            return rate, samples
        pos = body + size + (size & 1)
    sys.exit(f'{path}: no data chunk')


def find_cues(samples, rate, folder):
    """Sorted (seconds, name) of every start of a cue of FOLDER in samples."""
    data = samples.tobytes()
    found = []
    for path in sorted(glob.glob(os.path.join(folder, '*.wav'))):
        name = os.path.splitext(os.path.basename(path))[0]
        try:
            cue_rate, cue = read_pcm(path)
        except SystemExit:
            continue
        if cue_rate != rate:
            continue
        starts = []
        for offset_ms in (6, 10, 15, 20, 30):
            offset = rate * offset_ms // 1000
            key = cue[offset:offset + 32]
            if len(key) < 32 or sum(1 for v in key if abs(v) > 64) < 8:
                continue  # too quiet to be told from other sound
            key = key.tobytes()
            pos = data.find(key)
            while pos >= 0:
                if pos % 2 == 0:
                    start = pos // 2 - offset
                    if all(abs(start - s) > rate // 20 for s in starts):
                        starts.append(start)
                pos = data.find(key, pos + 1)
        found.extend((start / rate, name) for start in starts)
    return sorted(found)


def frame_levels(samples, frame):
    """(rms, peak) of each frame of `frame` samples."""
    levels = []
    for start in range(0, len(samples) - frame + 1, frame):
        chunk = samples[start:start + frame]
        rms = math.sqrt(sum(v * v for v in chunk) / frame)
        peak = max(max(chunk), -min(chunk))
        levels.append((rms, peak))
    return levels


def stretches(levels):
    """(first, last) frame indices of runs of sounding frames, gaps of up to
    50 ms bridged."""
    runs = []
    for i, (rms, _) in enumerate(levels):
        if dbfs(rms) <= SOUNDING_DBFS:
            continue
        if runs and i - runs[-1][1] <= 5:
            runs[-1][1] = i
        else:
            runs.append([i, i])
    return runs


def print_heard(argv):
    rate, samples = read_pcm(argv[2])
    start, end = float(argv[4]), float(argv[5])
    print(''.join(n for t, n in find_cues(samples, rate, argv[3]) if start <= t < end))
    return 0


def main(argv):
    if len(argv) == 6 and argv[1] == '--heard':
        return print_heard(argv)
    if len(argv) < 3:
        sys.exit(__doc__)
    rate, samples = read_pcm(argv[1])
    cues = find_cues(samples, rate, argv[2])
    frame = int(rate * FRAME_S)
    levels = frame_levels(samples, frame)
    total = len(samples) / rate
    print(f'recording: {total:.2f} s at {rate} Hz, peak {dbfs(max(map(abs, samples), default=0)):.1f} dBFS')
    for first, last in stretches(levels):
        peak = max(p for _, p in levels[first:last + 1])
        names = ' '.join(n for t, n in cues if first * FRAME_S - 0.05 <= t < (last + 1) * FRAME_S)
        print(f'  sound {first * FRAME_S:7.2f} s - {(last + 1) * FRAME_S:7.2f} s, peak {dbfs(peak):6.1f} dBFS, '
              f'cues: {names or "none found"}')
    print('cues: ' + ' '.join(f'{n}@{t:.2f}' for t, n in cues))

    failures = 0
    for arg in argv[3:]:
        label, start, end, expect = arg.split(':', 3)
        start, end = max(0.0, float(start)), float(end)
        if end > total + 0.5:
            print(f'FAIL  {label}: the window {start:.2f}-{end:.2f} s ends after the recording ({total:.2f} s)')
            failures += 1
            continue
        window = levels[int(start / FRAME_S):int(end / FRAME_S)]
        peak = max((p for _, p in window), default=0)
        sounding = sum(1 for rms, _ in window if dbfs(rms) > SOUNDING_DBFS) * FRAME_S
        heard = ''.join(n for t, n in cues if start <= t < end)
        loud = dbfs(peak) > SOUND_PEAK_DBFS and sounding >= MIN_SOUND_S
        if expect == 'sound':
            ok = loud
        elif expect.startswith('cues='):
            ok = loud and re.search(expect[5:], heard) is not None
        elif expect == 'silence':
            ok = dbfs(peak) <= SILENCE_DBFS
        else:
            sys.exit(f'unknown expectation {expect!r} in {arg!r}')
        print(f'{"ok  " if ok else "FAIL"}  {label} ({start:.2f}-{end:.2f} s, expect {expect}): '
              f'peak {dbfs(peak):.1f} dBFS, {sounding:.2f} s above {SOUNDING_DBFS:.0f} dBFS, '
              f'cues {heard or "none"}')
        failures += not ok
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
