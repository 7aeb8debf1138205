"""Sound effects (WAV) and music (Ogg Vorbis), synthesised with numpy: three
shrieks, steps, a door, a heartbeat, a washboard, a bell, a sigh; and three
loopable music tracks (title, house, dread). Mono, 22050 Hz."""

import os
import subprocess
import sys
import tempfile
import wave
import numpy as np

import common as C

SR = 22050


def t_axis(seconds):
    return np.arange(int(seconds * SR)) / float(SR)


def env_adsr(n, a, d, s, r, sustain_level=0.7):
    """Envelope of n samples; a, d, r in seconds, the rest is sustain."""
    e = np.zeros(n, np.float64)
    ia, idd, ir = int(a * SR), int(d * SR), int(r * SR)
    isus = max(0, n - ia - idd - ir)
    seg = [np.linspace(0, 1, ia, endpoint=False), np.linspace(1, sustain_level, idd, endpoint=False),
           np.full(isus, sustain_level), np.linspace(sustain_level, 0, ir)]
    x = np.concatenate(seg)[:n]
    e[:len(x)] = x
    return e


def noise(n, salt):
    return C.rng(salt).standard_normal(n)


def lowpass(x, cutoff):
    """One-pole low-pass (vectorised through an FFT filter for speed)."""
    X = np.fft.rfft(x)
    f = np.fft.rfftfreq(len(x), 1.0 / SR)
    H = 1.0 / np.sqrt(1.0 + (f / cutoff) ** 4)
    return np.fft.irfft(X * H, len(x))


def bandpass(x, lo, hi):
    X = np.fft.rfft(x)
    f = np.fft.rfftfreq(len(x), 1.0 / SR)
    H = 1.0 / np.sqrt(1.0 + (f / hi) ** 4) * (1.0 - 1.0 / np.sqrt(1.0 + (f / lo) ** 4))
    return np.fft.irfft(X * H, len(x))


def resonator(x, freq, q):
    """Band-pass of width freq / q around freq."""
    X = np.fft.rfft(x)
    f = np.fft.rfftfreq(len(x), 1.0 / SR)
    bw = freq / q
    H = 1.0 / (1.0 + ((f - freq) / bw) ** 2)
    return np.fft.irfft(X * H, len(x))


def reverb(x, seconds=1.8, mix=0.3, salt=1, damp=3000.0):
    n = int(seconds * SR)
    ir = noise(n, salt) * np.exp(-np.arange(n) / (n / 6.0))
    ir = lowpass(ir, damp)
    k = n // 8
    ir[-k:] *= np.linspace(1, 0, k)
    ir[:32] *= np.linspace(0, 1, 32)
    ir /= np.sqrt(np.sum(ir ** 2))
    L = len(x) + n
    size = 1 << (L - 1).bit_length()
    wet = np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(ir, size), size)[:L]
    out = np.zeros(L)
    out[:len(x)] += x * (1 - mix)
    out += wet * mix
    return out


def osc(freq, t, phase=0.0):
    """Sine with a frequency that may vary over time (array)."""
    if np.isscalar(freq):
        return np.sin(2 * np.pi * freq * t + phase)
    ph = 2 * np.pi * np.cumsum(freq) / SR
    return np.sin(ph + phase)


def saw(freq, t):
    if np.isscalar(freq):
        ph = (freq * t) % 1.0
    else:
        ph = (np.cumsum(freq) / SR) % 1.0
    return 2 * ph - 1


def normalise(x, peak=0.89):
    m = np.max(np.abs(x))
    return x if m == 0 else x * (peak / m)


def fade(x, fin=0.005, fout=0.02):
    x = x.copy()
    a, b = int(fin * SR), int(fout * SR)
    if a:
        x[:a] *= np.linspace(0, 1, a)
    if b:
        x[-b:] *= np.linspace(1, 0, b)
    return x


def write_wav(path, x):
    C.ensure_dir(path)
    data = (np.clip(x, -1, 1) * 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(data.tobytes())


def sfx(name, x):
    write_wav(C.data_path("sfx", name + ".wav"), normalise(fade(x)))


# --------------------------------------------------------------------------
# Effects

def shriek_01():
    """A rising, tearing screech."""
    t = t_axis(1.0)
    f = 1500 + 1100 * (t / t[-1]) ** 0.5 + 60 * np.sin(2 * np.pi * 23 * t)
    x = saw(f, t) * 0.6 + saw(f * 1.503, t) * 0.3
    x = resonator(x, 2600, 3) + 0.3 * bandpass(noise(len(t), 11), 2000, 6000)
    return reverb(x * env_adsr(len(t), 0.02, 0.15, 0.5, 0.35, 0.8), 1.2, 0.25, 12)


def shriek_02():
    """A falling wail with a vowel in it."""
    t = t_axis(1.4)
    f = 1300 * np.exp(-t * 0.85) + 380 + 25 * np.sin(2 * np.pi * 6.5 * t)
    x = sum(saw(f * k, t) / k for k in range(1, 4))
    x = resonator(x, 800, 4) + resonator(x, 1250, 5) * 0.8 + resonator(x, 2600, 6) * 0.4
    x += 0.15 * bandpass(noise(len(t), 21), 1500, 5000)
    return reverb(x * env_adsr(len(t), 0.05, 0.2, 0.7, 0.6, 0.8), 1.5, 0.3, 22)


def shriek_03():
    """A choked rasp: gated noise over a growl."""
    t = t_axis(0.85)
    gate = (np.sin(2 * np.pi * 31 * t) > -0.2).astype(float)
    gate = lowpass(gate, 400)
    f = 900 + 500 * np.sin(2 * np.pi * 1.3 * t)
    x = saw(f, t) * 0.5 + bandpass(noise(len(t), 31), 1200, 7000)
    x = x * gate
    x = resonator(x, 1800, 2.5) + 0.4 * x
    return reverb(x * env_adsr(len(t), 0.01, 0.1, 0.8, 0.3, 0.9), 1.0, 0.25, 32)


def step():
    """A foot on an old floorboard: a thud and a creak."""
    t = t_axis(0.55)
    thud = osc(70 * np.exp(-t * 4), t) * np.exp(-t * 18)
    thud += lowpass(noise(len(t), 41), 300) * np.exp(-t * 25) * 2
    pulses = np.zeros(len(t))
    r = C.rng(42)
    pos = int(0.06 * SR)
    while pos < int(0.4 * SR):
        pulses[pos] = 1.0
        pos += int(SR / (90 + 120 * r.random()))
    creak = resonator(pulses, 520, 8) * 12 + resonator(pulses, 1100, 10) * 6
    creak *= env_adsr(len(t), 0.03, 0.1, 0.6, 0.2, 0.6)
    return reverb(thud + creak * 0.6, 0.7, 0.2, 43)


def door():
    """A slow creaking hinge and the door bumping the wall."""
    t = t_axis(1.6)
    rate = 28 + 70 * (t / t[-1]) + 12 * np.sin(2 * np.pi * 0.9 * t)
    ph = np.cumsum(rate) / SR
    pulses = np.diff(np.floor(ph), prepend=0.0)
    pulses *= 0.6 + 0.4 * C.rng(51).random(len(t))
    creak = resonator(pulses, 700, 12) * 20 + resonator(pulses, 1450, 14) * 12 + resonator(pulses, 320, 6) * 8
    creak *= env_adsr(len(t), 0.05, 0.2, 0.8, 0.3, 0.8) * (t < 1.25)
    bump_t = t - 1.3
    bump = np.where(bump_t > 0, osc(90, np.maximum(bump_t, 0)) * np.exp(-np.maximum(bump_t, 0) * 20), 0)
    bump += np.where(bump_t > 0, lowpass(noise(len(t), 52), 500) * np.exp(-np.maximum(bump_t, 0) * 30), 0)
    return reverb(creak + bump * 1.5, 1.0, 0.25, 53)


def heartbeat():
    t = t_axis(0.75)

    def thump(at, f, amp):
        u = np.maximum(t - at, 0)
        return np.where(t >= at, osc(f * np.exp(-u * 3), u) * np.exp(-u * 22) * amp, 0)
    x = thump(0.0, 62, 1.0) + thump(0.26, 52, 0.75)
    x += lowpass(noise(len(t), 61), 120) * (np.exp(-t * 20) + np.where(t > 0.26, np.exp(-(t - 0.26) * 20), 0)) * 0.6
    return lowpass(x, 400)


def scrub():
    """A brush on a washboard: two strokes."""
    t = t_axis(0.9)
    strokes = np.zeros(len(t))
    for a, b in ((0.0, 0.38), (0.45, 0.85)):
        m = (t >= a) & (t < b)
        u = (t[m] - a) / (b - a)
        strokes[m] = np.sin(np.pi * u) ** 0.7
    ridges = 0.6 + 0.4 * (np.sin(2 * np.pi * 38 * t) > 0)
    x = bandpass(noise(len(t), 71), 900, 5000) * strokes * ridges
    x += 0.4 * resonator(noise(len(t), 72), 300, 3) * strokes
    return reverb(x, 0.8, 0.2, 73)


def bell():
    """A cracked chapel bell, struck once."""
    t = t_axis(3.6)
    f0 = 196.0
    x = np.zeros(len(t))
    for ratio, amp, decay in [(0.5, 0.6, 0.9), (1.0, 1.0, 1.3), (1.19, 0.7, 1.8), (1.5, 0.5, 2.2),
                              (2.0, 0.45, 2.6), (2.51, 0.3, 3.4), (2.66, 0.25, 3.8), (3.01, 0.2, 4.5)]:
        x += amp * osc(f0 * ratio * (1 + 0.0015 * np.sin(2 * np.pi * 4.2 * t)), t) * np.exp(-t * decay)
    x += 0.3 * bandpass(noise(len(t), 81), 800, 4000) * np.exp(-t * 40)
    return reverb(fade(x, 0.002, 0.3), 2.5, 0.35, 82)


def sigh():
    """A long, breathy exhale falling in pitch."""
    t = t_axis(1.8)
    n = bandpass(noise(len(t), 91), 300, 5000)
    f = 420 - 150 * t / t[-1]
    voice = sum(saw(f * k, t) / k for k in (1, 2, 3)) * 0.15
    x = n + voice
    x = resonator(x, 700, 3) + resonator(x, 1100, 4) * 0.7 + resonator(x, 2500, 6) * 0.3
    e = np.sin(np.pi * np.clip(t / t[-1], 0, 1)) ** 1.5
    return reverb(x * e, 2.0, 0.4, 92)


# --------------------------------------------------------------------------
# Music

def note_hz(n):
    """MIDI note number to Hz."""
    return 440.0 * 2 ** ((n - 69) / 12.0)


def piano(f, dur, salt=0):
    t = t_axis(dur)
    x = np.zeros(len(t))
    for k in range(1, 7):
        fk = f * k * np.sqrt(1 + 0.0004 * k * k)
        x += osc(fk, t) * np.exp(-t * (1.2 + 0.9 * k)) / k ** 1.3
    x += 0.02 * lowpass(noise(len(t), salt), 3000) * np.exp(-t * 60)
    return x * env_adsr(len(t), 0.004, 0.05, 0.9, min(0.3, dur * 0.3), 0.9)


def pad(freqs, t, salt, detune=0.003, bright=900):
    x = np.zeros(len(t))
    r = C.rng(salt)
    for f in freqs:
        for d in (-detune, 0, detune):
            x += saw(f * (1 + d), t + r.random())
    return lowpass(x, bright) / (3 * len(freqs))


def place(buf, x, at):
    i = int(at * SR)
    j = min(len(buf), i + len(x))
    if j > i:
        buf[i:j] += x[:j - i]


def loop_seamless(x, length, overlap=2.0):
    """Cuts x to length seconds and folds what comes after onto the start,
    so that the end runs straight into the beginning."""
    n, o = int(length * SR), int(overlap * SR)
    head = x[:n].copy()
    tail = x[n:n + o]
    if len(tail) < o:
        tail = np.concatenate([tail, np.zeros(o - len(tail))])
    ramp = np.linspace(0, 1, o)
    head[:o] = head[:o] * np.sqrt(ramp) + tail * np.sqrt(1 - ramp)
    return head


def music_title():
    """Slow piano in A minor over a low pad; 48 s, 60 beats a minute."""
    L = 48.0
    total = L + 6
    buf = np.zeros(int(total * SR))
    chords = [(57, 60, 64), (53, 57, 60), (55, 59, 62), (52, 56, 59)]   # Am F G E
    melody = [76, 74, 72, 71, 72, 69, 71, 68]
    beat = 1.0
    for bar in range(12):
        ch = chords[bar % 4]
        t0 = bar * 4 * beat
        for k, nn in enumerate([ch[0] - 12, ch[1], ch[2], ch[1]]):
            place(buf, piano(note_hz(nn), 2.5, bar * 10 + k) * 0.5, t0 + k * beat)
        if bar >= 4:
            m = melody[(bar - 4) % len(melody)]
            place(buf, piano(note_hz(m), 3.5, 500 + bar) * 0.45, t0 + 0.5)
            if bar % 2:
                place(buf, piano(note_hz(m - 3), 2.0, 600 + bar) * 0.3, t0 + 2.5)
    t = t_axis(total)
    roots = np.zeros(len(t))
    for bar in range(int(total / 4) + 1):
        ch = chords[bar % 4]
        seg = (t >= bar * 4) & (t < bar * 4 + 4)
        roots[seg] = note_hz(ch[0] - 24)
    drone = lowpass(saw(roots, t), 300) * 0.18 * (0.8 + 0.2 * np.sin(2 * np.pi * t / 8))
    x = reverb(buf + drone, 3.0, 0.4, 1001)
    return loop_seamless(x, L, 2.5)


def music_house():
    """A cold drone in D with far-off music-box notes; 56 s."""
    L = 56.0
    total = L + 5
    t = t_axis(total)
    swell = 0.6 + 0.4 * np.sin(2 * np.pi * t / 14.0) ** 2
    x = pad([note_hz(38), note_hz(45), note_hz(50)], t, 1101, 0.004, 500) * swell
    x += pad([note_hz(53), note_hz(57)], t, 1102, 0.006, 1200) * 0.35 * (0.5 + 0.5 * np.sin(2 * np.pi * t / 28.0 + 1))
    wind = bandpass(noise(len(t), 1103), 200, 900) * 0.05 * (0.5 + 0.5 * np.sin(2 * np.pi * t / 9.3))
    x += wind
    box = np.zeros(len(t))
    notes = [74, 77, 76, 74, 69, 72, 70, 69, 65, 67]
    times = [3, 5, 6.5, 9, 15, 17, 18.5, 21, 30, 33, 34.5, 37, 44, 46, 47.5, 50]
    for i, at in enumerate(times):
        f = note_hz(notes[i % len(notes)])
        tt = t_axis(2.5)
        tone = (osc(f, tt) + 0.4 * osc(f * 3.01, tt) + 0.2 * osc(f * 5.2, tt)) * np.exp(-tt * 2.2)
        place(box, tone * 0.16, at)
    x = reverb(x + reverb(box, 2.5, 0.6, 1104)[:len(x)], 2.5, 0.35, 1105)
    return loop_seamless(x, L, 3.0)


def music_dread():
    """A pulse at 72 beats a minute under dissonant swells; 50 s."""
    L = 50.0
    total = L + 5
    t = t_axis(total)
    x = np.zeros(len(t))
    period = 60.0 / 72
    k = 0
    while k * period < total:
        tt = t_axis(0.6)
        hit = osc(48 * np.exp(-tt * 2), tt) * np.exp(-tt * 9) + 0.5 * osc(41, tt) * np.exp(-tt * 6)
        place(x, hit * (0.55 if k % 2 == 0 else 0.35), k * period)
        k += 1
    cl = pad([note_hz(n) for n in (41, 42, 48)], t, 1201, 0.008, 700)
    x += cl * (0.35 + 0.3 * np.sin(2 * np.pi * t / 10.0) ** 2)
    high = sum(osc(note_hz(n) * (1 + 0.002 * np.sin(2 * np.pi * 5.5 * t + n)), t) for n in (84, 85))
    trem = 0.5 + 0.5 * np.sin(2 * np.pi * 7 * t)
    x += high * trem * 0.04 * (np.sin(2 * np.pi * t / 25.0) ** 4)
    x += bandpass(noise(len(t), 1202), 80, 400) * 0.08
    x = reverb(x, 2.0, 0.3, 1203)
    return loop_seamless(x, L, 2.5)


def write_ogg(name, x, peak):
    path = C.data_path("music", name + ".ogg")
    C.ensure_dir(path)
    with tempfile.TemporaryDirectory() as d:
        wav = os.path.join(d, name + ".wav")
        write_wav(wav, normalise(x, peak))
        # fixed serial number so that the same input gives the same file
        subprocess.check_call(["oggenc", "-Q", "-q", "1", "-s", "20240601", "--discard-comments",
                               "-o", path, wav])


def main():
    sfx("shriek_01", shriek_01())
    sfx("shriek_02", shriek_02())
    sfx("shriek_03", shriek_03())
    sfx("step", step())
    sfx("door", door())
    sfx("heartbeat", heartbeat())
    sfx("scrub", scrub())
    sfx("bell", bell())
    sfx("sigh", sigh())
    # music sits under the effects: the drone of the house quietest
    write_ogg("title", music_title(), 0.7)
    write_ogg("house", music_house(), 0.45)
    write_ogg("dread", music_dread(), 0.6)


if __name__ == "__main__":
    sys.exit(main())
