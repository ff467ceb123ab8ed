#!/usr/bin/env python3
"""Checks what tst_realsound's cues put on a null sink.

Usage: check-recording.py RECORDING SOUND_FOLDER

RECORDING is raw 16-bit mono 44.1 kHz audio from the sink's monitor. The sink
has the cues' own format and nothing else plays but silence, so each cue's
samples come through unchanged: a cue is found by an exact run of its samples
and then compared with the recording sample by sample.

  (a) 5.wav alone: it must be there, loud and complete.
  (b) 1.wav, cut off by 6.wav 50 ms later: once 6.wav sounds, the recording
      must be 6.wav alone, without the rest of 1.wav mixed in, up to the end
      of 6.wav's sound.
"""

import array
import math
import sys
import wave

RATE = 44100
FULL_SCALE = 32768.0


def samples(data):
    values = array.array('h')
    values.frombytes(data)
    if sys.byteorder == 'big':
        values.byteswap()
    return values


def load_cue(folder, name):
    with wave.open(f'{folder}/{name}.wav', 'rb') as w:
        if (w.getnchannels(), w.getsampwidth(), w.getframerate()) != (1, 2, RATE):
            sys.exit(f'{name}.wav is not 16-bit mono {RATE} Hz')
        return samples(w.readframes(w.getnframes()))


def ms(milliseconds):
    return int(milliseconds * RATE / 1000)


# The monitor misses up to a few milliseconds at the start of each new stream,
# so a cue is compared with the recording from this far in.
SKIP = ms(10)


def to_ms(count):
    return count * 1000.0 / RATE


def sound_end(values):
    """Index just past the last non-zero sample."""
    end = len(values)
    while end and values[end - 1] == 0:
        end -= 1
    return end


def energy(values):
    return float(sum(v * v for v in values))


def db(ratio):
    return 10 * math.log10(ratio) if ratio > 0 else -math.inf


def rms_dbfs(values):
    return db(energy(values) / len(values) / FULL_SCALE ** 2) if values else -math.inf


class Recording:
    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        self.values = samples(self.data[:len(self.data) & ~1])

    def find(self, cue, after=0, at=(ms(6), ms(10), ms(15), ms(20))):
        """Where the cue starts, found by a run of 32 of its samples beginning at
        one of the offsets `at`; None if absent."""
        for offset in at:
            key = cue[offset:offset + 32]
            if sys.byteorder == 'big':
                key.byteswap()
            key = key.tobytes()
            pos = self.data.find(key, 2 * after)
            while pos >= 0 and pos % 2:
                pos = self.data.find(key, pos + 1)
            if pos >= 0:
                return pos // 2 - offset
        return None

    def missing_start_ms(self, cue, start):
        """How much of the cue's start is missing from the recording, as text."""
        for lost in range(ms(20)):
            if self.values[start + lost:start + lost + 32] == cue[lost:lost + 32]:
                return f'{to_ms(lost):.1f} ms'
        return 'more than 20 ms'

    def span(self, start, end):
        return self.values[max(start, 0):max(end, 0)]


def residual(rec, start, end, cue, cue_start):
    """Energy of the recording minus the cue over [start, end)."""
    return float(sum((rec.values[t] - cue[t - cue_start]) ** 2 for t in range(start, end)))


def main():
    rec = Recording(sys.argv[1])
    cue1, cue5, cue6 = (load_cue(sys.argv[2], n) for n in ('1', '5', '6'))
    failures = []

    def check(ok, message):
        print(('ok    ' if ok else 'FAIL  ') + message)
        if not ok:
            failures.append(message)

    print(f'recording: {to_ms(len(rec.values)) / 1000:.2f} s')

    # (a) 5.wav alone.
    p5 = rec.find(cue5)
    check(p5 is not None, '(a) 5.wav found in the recording')
    if p5 is None:
        return failures
    end5 = sound_end(cue5)
    heard = rec.span(p5 + SKIP, p5 + end5)
    source = cue5[SKIP:end5]
    print(f'      (a) 5.wav at {to_ms(p5):.0f} ms: {rms_dbfs(heard):.1f} dBFS RMS over its '
          f'{to_ms(end5 - SKIP):.0f} ms of sound (file: {rms_dbfs(source):.1f} dBFS); '
          f'before it {rms_dbfs(rec.span(p5 - ms(100), p5)):.1f} dBFS; '
          f'start missing: {rec.missing_start_ms(cue5, p5)}')
    check(rms_dbfs(heard) > -30, '(a) real audio energy while 5.wav plays')
    miss = db(residual(rec, p5 + SKIP, p5 + end5, cue5, p5) / energy(source))
    check(miss < -30, f'(a) 5.wav played whole and unaltered (difference {miss:.1f} dB)')

    # (b) 1.wav, cut off by 6.wav.
    p6 = rec.find(cue6, after=p5 + end5, at=(ms(300),))
    check(p6 is not None, '(b) 6.wav found in the recording')
    if p6 is None:
        return failures
    end6 = p6 + sound_end(cue6)
    p1 = rec.find(cue1, after=p5 + end5)
    if p1 is None:
        # A cue takes some 25 ms to reach the sink; on a busy machine 1.wav may
        # need more than the 50 ms it had. Reckon it from when it was played.
        p1 = p6 - ms(50)
        print('      (b) 1.wav never reached the sink: cut off before it started')
    else:
        cut = p1 + SKIP
        while cut < p1 + len(cue1) and rec.values[cut] == cue1[cut - p1]:
            cut += 1
        last = len(rec.values)
        while last > p6 and rec.values[last - 1] == 0:
            last -= 1
        print(f'      (b) 6.wav starts {to_ms(p6 - p1):.1f} ms after 1.wav; the recording is '
              f'1.wav for {to_ms(cut - p1):.1f} ms of its {to_ms(sound_end(cue1)):.0f} ms; '
              f'sound lasted {to_ms(last - p1):.0f} ms (6.wav\'s {to_ms(end6 - p6):.0f} ms + '
              f'the delay = {to_ms(end6 - p1):.0f} ms)')
    end1 = p1 + sound_end(cue1)
    start = p6 + SKIP
    if start + ms(20) > end1:
        check(False, '(b) 6.wav started well before the end of 1.wav')
        return failures
    # Where the rest of 1.wav would have sounded: compare with 6.wav alone.
    tail = energy(cue1[start - p1:end1 - p1])
    left = residual(rec, start, end1, cue6, p6)
    print(f'      (b) from {to_ms(SKIP):.0f} ms into 6.wav to the end of 1.wav '
          f'({to_ms(end1 - start):.0f} ms): '
          f'1.wav\'s tail would add {rms_dbfs(cue1[start - p1:end1 - p1]):.1f} dBFS; '
          f'recording minus 6.wav: {db(left / (end1 - start) / FULL_SCALE ** 2):.1f} dBFS; '
          f'start of 6.wav missing: {rec.missing_start_ms(cue6, p6)}')
    check(left < 0.1 * tail, f'(b) 1.wav cut off: recording is 6.wav alone once it sounds '
          f'(what is left of 1.wav\'s tail: {db(left / tail):.1f} dB)')
    miss = db(residual(rec, start, end6, cue6, p6) / energy(cue6[SKIP:end6 - p6]))
    check(miss < -30, f'(b) 6.wav played whole and unaltered (difference {miss:.1f} dB)')
    return failures


if __name__ == '__main__':
    sys.exit(1 if main() else 0)
