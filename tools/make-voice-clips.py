#!/usr/bin/env python3
"""Regenerates the 111 Arabic voice clips under resources/voice/.

    python3 tools/make-voice-clips.py [--out DIR] [--list]

Speech comes from espeak-ng (voice "ar"), resampling from sox; everything else
(trimming, loudness, the WAVE layout) is done here with the standard library so the
result does not depend on sox's version. Not part of the build: run it only when the
clips must change, listen to a few, and commit the WAV files.
"""

import argparse
import array
import collections
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

RATE = 24000
TARGET_LUFS = -20.0
PEAK_CEILING_DBFS = -1.0
# Silence detection: 5 ms windows whose RMS stays under this level are silence.
SILENCE_DBFS = -45.0
LEAD_PAD_S = 0.010
TAIL_PAD_S = 0.030
FADE_S = 0.005

# espeak-ng misreads unvowelled words, and its normalisation moves a vowel written
# before a shadda, so the two phrases are spelled out code point by code point.
TADKIRA_TEXT = (
    "\u0627\u0644\u062a\u0651\u064e\u0630\u0652\u0643\u0650\u0631\u064e\u0629\u064f"  # at-tadhkiratu
    " \u0631\u064e\u0642\u0652\u0645"  # raqm
)
WA_TEXT = "\u0648\u064e"  # wa

# These numbers sometimes come out with a stray phoneme; more runs let the clean
# reading win.
UNSTABLE = {14, 17, 19, 44, 47, 49, 74, 77, 79, 94, 97, 99}


def clip_catalogue():
    """(clip name, text given to espeak-ng) for every clip the station looks up."""
    clips = [("TADKIRA", TADKIRA_TEXT)]
    clips += [("FA%d" % n, str(n)) for n in range(0, 101)]
    clips += [("FA%d" % n, str(n)) for n in range(200, 1000, 100)]
    clips.append(("WA", WA_TEXT))
    return clips


def ensure_tools():
    missing = [p for p, exe in (("espeak-ng", "espeak-ng"), ("sox", "sox")) if shutil.which(exe) is None]
    if not missing:
        return
    print("installing", " ".join(missing), file=sys.stderr)
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    subprocess.run(["apt-get", "update", "-qq"], check=True, env=env)
    subprocess.run(["apt-get", "install", "-y", "-qq", "--no-install-recommends"] + missing, check=True, env=env)


def espeak_version():
    out = subprocess.run(["espeak-ng", "--version"], capture_output=True, text=True).stdout
    return out.split("Data at")[0].strip()


def synthesise(text, runs, workdir):
    """Synthesises text `runs` times; returns (phoneme string, wav path) of the reading kept.

    The stray phoneme only ever adds to a reading, so the shortest phoneme string is the
    clean one; among equally short ones the most frequent wins."""
    readings = collections.Counter()
    wav_of = {}
    for i in range(runs):
        wav = os.path.join(workdir, "run%d.wav" % i)
        # -x prints the phonemes of this very run; -q would also silence -w.
        out = subprocess.run(
            ["espeak-ng", "-v", "ar", "-x", "-w", wav, text], capture_output=True, text=True, check=True
        ).stdout.strip()
        readings[out] += 1
        wav_of.setdefault(out, wav)
    best = min(readings, key=lambda p: (len(p), -readings[p]))
    return best, wav_of[best], readings


def resample(wav, workdir):
    raw = os.path.join(workdir, "out.raw")
    subprocess.run(
        ["sox", wav, "-t", "raw", "-e", "signed-integer", "-b", "16", "-c", "1", "-L", raw, "rate", "-v", str(RATE)],
        check=True,
    )
    samples = array.array("h")
    with open(raw, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    return [s / 32768.0 for s in samples]


def trim(x):
    win = RATE // 200
    threshold = 10 ** (SILENCE_DBFS / 20)
    loud = []
    for start in range(0, len(x), win):
        block = x[start : start + win]
        rms = math.sqrt(sum(v * v for v in block) / len(block))
        loud.append(rms >= threshold)
    if not any(loud):
        raise RuntimeError("clip is silent")
    first = loud.index(True) * win
    last = (len(loud) - loud[::-1].index(True)) * win
    begin = max(0, first - int(LEAD_PAD_S * RATE))
    end = min(len(x), last + int(TAIL_PAD_S * RATE))
    y = x[begin:end]
    fade = int(FADE_S * RATE)
    for i in range(min(fade, len(y))):
        g = i / fade
        y[i] *= g
        y[-1 - i] *= g
    return y


def biquad(x, b, a):
    b0, b1, b2 = (v / a[0] for v in b)
    a1, a2 = a[1] / a[0], a[2] / a[0]
    y = [0.0] * len(x)
    x1 = x2 = y1 = y2 = 0.0
    for i, v in enumerate(x):
        out = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, out
        y[i] = out
    return y


def k_weighting(x):
    """The two K-weighting stages of ITU-R BS.1770 designed for RATE."""
    gain_db, q, fc = 3.999843853973347, 0.7071752369554196, 1681.974450955533
    big_a = 10 ** (gain_db / 40)
    w0 = 2 * math.pi * fc / RATE
    alpha = math.sin(w0) / (2 * q)
    cw, sa = math.cos(w0), 2 * math.sqrt(big_a) * alpha
    shelf_b = (
        big_a * ((big_a + 1) + (big_a - 1) * cw + sa),
        -2 * big_a * ((big_a - 1) + (big_a + 1) * cw),
        big_a * ((big_a + 1) + (big_a - 1) * cw - sa),
    )
    shelf_a = ((big_a + 1) - (big_a - 1) * cw + sa, 2 * ((big_a - 1) - (big_a + 1) * cw), (big_a + 1) - (big_a - 1) * cw - sa)
    q, fc = 0.5003270373238773, 38.13547087602444
    w0 = 2 * math.pi * fc / RATE
    alpha = math.sin(w0) / (2 * q)
    cw = math.cos(w0)
    hp_b = ((1 + cw) / 2, -(1 + cw), (1 + cw) / 2)
    hp_a = (1 + alpha, -2 * cw, 1 - alpha)
    return biquad(biquad(x, shelf_b, shelf_a), hp_b, hp_a)


def loudness(x):
    """Integrated loudness in LUFS (BS.1770 gating; a clip shorter than one 400 ms block
    is measured as a single block)."""
    z = [v * v for v in k_weighting(x)]
    block, step = int(0.4 * RATE), int(0.1 * RATE)
    if len(z) <= block:
        powers = [sum(z) / len(z)]
    else:
        powers = [sum(z[s : s + block]) / block for s in range(0, len(z) - block + 1, step)]

    def lufs(p):
        return -0.691 + 10 * math.log10(p) if p > 0 else -math.inf

    gated = [p for p in powers if lufs(p) > -70]
    relative = lufs(sum(gated) / len(gated)) - 10
    gated = [p for p in gated if lufs(p) > relative]
    return lufs(sum(gated) / len(gated))


def info_chunk(fields):
    body = b"INFO"
    for key, value in fields:
        data = value.encode("utf-8") + b"\0"
        if len(data) % 2:
            data += b"\0"
        body += key.encode("ascii") + struct.pack("<I", len(data)) + data
    return b"LIST" + struct.pack("<I", len(body)) + body


def wave_image(samples, fields):
    pcm = array.array("h", samples)
    if sys.byteorder != "little":
        pcm.byteswap()
    data = pcm.tobytes()
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + info_chunk(fields)
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--out", default=os.path.join(here, "..", "resources", "voice"))
    parser.add_argument("--list", action="store_true", help="print the clip names and texts and stop")
    args = parser.parse_args()

    catalogue = clip_catalogue()
    if args.list:
        for name, text in catalogue:
            print(name, text)
        return
    ensure_tools()
    version = espeak_version()
    os.makedirs(args.out, exist_ok=True)

    clips = []
    with tempfile.TemporaryDirectory() as work:
        for name, text in catalogue:
            number = int(name[2:]) if name.startswith("FA") else None
            runs = 15 if number in UNSTABLE else 3
            phonemes, wav, readings = synthesise(text, runs, work)
            x = trim(resample(wav, work))
            clips.append((name, text, phonemes, x, loudness(x)))
            if len(readings) > 1:
                print("%s: kept [%s] out of %s" % (name, phonemes, dict(readings)), file=sys.stderr)

    # One target for all clips, lowered if a clip would otherwise peak above the ceiling.
    target = TARGET_LUFS
    for _, _, _, x, lu in clips:
        peak_db = 20 * math.log10(max(abs(v) for v in x))
        target = min(target, lu + PEAK_CEILING_DBFS - peak_db)

    print("%-8s %8s %8s %8s  %s" % ("clip", "seconds", "LUFS", "peak dB", "phonemes"))
    for name, text, phonemes, x, lu in clips:
        gain = 10 ** ((target - lu) / 20)
        samples = [max(-32768, min(32767, round(v * gain * 32768))) for v in x]
        image = wave_image(
            samples,
            [("INAM", name), ("ICMT", text), ("ISFT", "%s, voice ar" % version)],
        )
        with open(os.path.join(args.out, name + ".wav"), "wb") as f:
            f.write(image)
        final = loudness([s / 32768.0 for s in samples])
        peak = 20 * math.log10(max(abs(s) for s in samples) / 32768.0)
        print("%-8s %8.3f %8.2f %8.2f  %s" % (name, len(samples) / RATE, final, peak, phonemes))


if __name__ == "__main__":
    main()
