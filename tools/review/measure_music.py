#!/usr/bin/env python3
"""Measures the show's music as a listener meets it: one show cycle rendered
through libopenmpt by kelvor-capture, then

  - integrated loudness, true peak and loudness range (ffmpeg's EBU R128 meter),
  - the largest sample and how many samples sit at full scale,
  - left/right correlation and the side level against the mid,
  - the share of energy in 2-6 kHz and the balance of five bands,
  - for each title card's entry, an onset score: the strongest onset within
    50 ms of the entry divided by the 95th percentile of the onset peaks of the
    whole cycle (1.0 or more: the entry is among the strongest hits),
  - the seam: the largest step between sample frames within 20 ms of the
    loop point, as the player goes on into the next cycle, against the 99.9th
    percentile of all steps of the cycle,

and paints a spectrogram of the cycle with the title cards and the module's
patterns marked.

usage: measure_music.py CAPTURE_PROGRAM SHOW_FOLDER OUT_FOLDER
"""
import os
import re
import struct
import subprocess
import sys

import numpy as np
from PIL import Image, ImageDraw

import show_facts

FACTS = show_facts.load()
RATE = FACTS["audioRate"]
CYCLE_FRAMES = show_facts.cycle_frames(FACTS)  # one show cycle of clock steps
STEPS_PER_SECOND = int(FACTS["clock"]["rate"])
CLOCK_UNITS_PER_SECOND = round(STEPS_PER_SECOND * FACTS["clock"]["step"], 9)
# Show times (clock units) at which the five title cards enter and leave.
CARD_WINDOWS = [(card["entry"], card["exit"]) for card in FACTS["cards"]]
ONSET_WINDOW = 0.050  # seconds either side of an entry
PRESENCE_BAND = (2000.0, 6000.0)
BANDS = [(20, 120, "sub/bass"), (120, 500, "low-mid"), (500, 2000, "mid"),
         (2000, 6000, "presence"), (6000, 20000, "air")]


def card_entries():
    return [start / CLOCK_UNITS_PER_SECOND for start, _ in CARD_WINDOWS]


SEAM_FRAMES = 7  # a tenth of a second of the next cycle, for the seam


def render_cycle(capture, show, out):
    """One cycle and a little of the next, as the show loops its music; the
    figures cover the cycle alone (written to cycle.wav)."""
    wav = os.path.join(out, "cycle-and-seam.wav")
    subprocess.run([capture, "--assets", show, "--fps", str(STEPS_PER_SECOND), "--last", str(CYCLE_FRAMES + SEAM_FRAMES),
                    "--wav", wav],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    x, raw = read_wav(wav)
    cycle = os.path.join(out, "cycle.wav")
    write_wav(cycle, raw[:CYCLE_FRAMES * RATE // STEPS_PER_SECOND])
    return cycle, x


def write_wav(path, raw):
    data = raw.astype("<i2").tobytes()
    header = (b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " +
              struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * 4, 4, 16) + b"data" + struct.pack("<I", len(data)))
    with open(path, "wb") as f:
        f.write(header + data)


def seam_step(both, cycle_length):
    near = both[cycle_length - RATE // 50:cycle_length + RATE // 50]
    return float(np.max(np.abs(np.diff(near, axis=0))))


def read_wav(path):
    with open(path, "rb") as f:
        data = f.read()
    at = data.index(b"data") + 8
    samples = np.frombuffer(data[at:], dtype="<i2").reshape(-1, 2)
    return samples.astype(np.float64) / 32768.0, samples


def ebur128(path):
    """Integrated loudness, loudness range and true peak, as ffmpeg reports them."""
    result = subprocess.run(["ffmpeg", "-nostats", "-hide_banner", "-i", path, "-af",
                             "ebur128=peak=true", "-f", "null", "-"],
                            capture_output=True, text=True, check=True)
    summary = result.stderr[result.stderr.rfind("Summary:"):]

    def number(label):
        match = re.search(label + r":\s+(-?[\d.]+|-inf)", summary)
        return float(match.group(1)) if match else float("nan")
    return number(r"\bI"), number(r"\bLRA"), number(r"\bPeak")


def stereo_figures(x):
    left, right = x[:, 0], x[:, 1]
    correlation = float(np.sum(left * right) / np.sqrt(np.sum(left * left) * np.sum(right * right)))
    mid = (left + right) / 2
    side = (left - right) / 2
    side_db = 10 * np.log10(np.sum(side * side) / np.sum(mid * mid))
    # What a mono speaker loses: mid energy against the mean energy of the two sides.
    mono_db = 10 * np.log10(np.sum(mid * mid) / ((np.sum(left * left) + np.sum(right * right)) / 2))
    return correlation, side_db, mono_db


def power_spectrum(x, size=8192):
    """Mean power per frequency bin over the cycle, both channels (Welch's method)."""
    window = np.hanning(size)
    total = np.zeros(size // 2 + 1)
    for channel in range(2):
        signal = x[:, channel]
        starts = range(0, len(signal) - size, size // 2)
        frames = np.stack([signal[s:s + size] * window for s in starts])
        total += np.sum(np.abs(np.fft.rfft(frames, axis=1)) ** 2, axis=0)
    return np.fft.rfftfreq(size, 1.0 / RATE), total


def band_db(freqs, power, low, high):
    share = np.sum(power[(freqs >= low) & (freqs < high)]) / np.sum(power[freqs >= 20])
    return 10 * np.log10(share)


def stft_magnitude(mono, size, hop):
    window = np.hanning(size)
    count = 1 + (len(mono) - size) // hop
    index = np.arange(size)[None, :] + hop * np.arange(count)[:, None]
    return np.abs(np.fft.rfft(mono[index] * window, axis=1))


def mel_bank(size, bands=64, low=30.0, high=16000.0):
    def mel(f):
        return 2595 * np.log10(1 + f / 700)

    def hz(m):
        return 700 * (10 ** (m / 2595) - 1)
    edges = hz(np.linspace(mel(low), mel(high), bands + 2))
    freqs = np.fft.rfftfreq(size, 1.0 / RATE)
    bank = np.zeros((bands, len(freqs)))
    for b in range(bands):
        lo, mid, hi = edges[b:b + 3]
        rising = (freqs - lo) / (mid - lo)
        falling = (hi - freqs) / (hi - mid)
        bank[b] = np.clip(np.minimum(rising, falling), 0, None)
    return bank


def onset_strength(mono, size=2048, hop=256):
    """Spectral flux of the log mel spectrum, one value per hop. An onset
    shows most in the frame whose Hann window rises fastest over it, a
    quarter of a window after the frame's centre: that is the time given to
    each value (a click train lands within 3 ms of it)."""
    magnitude = stft_magnitude(mono, size, hop)
    mel = np.log10(1e-10 + (magnitude ** 2) @ mel_bank(size).T) * 10
    mel = np.maximum(mel, mel.max() - 80)
    flux = np.mean(np.maximum(0.0, mel[1:] - mel[:-1]), axis=1)
    times = (np.arange(1, len(mel)) * hop + 3 * size / 4) / RATE
    return times, flux


def onset_peaks(flux, spread=4):
    """Local maxima of the flux over +-spread hops that rise above its median."""
    padded = np.pad(flux, spread, constant_values=-np.inf)
    windows = np.stack([padded[i:i + len(flux)] for i in range(2 * spread + 1)])
    return flux[(flux >= windows.max(axis=0)) & (flux > np.median(flux))]


def onset_scores(times, flux):
    reference = np.percentile(onset_peaks(flux), 95)
    scores = []
    for entry in card_entries():
        near = (times >= entry - ONSET_WINDOW) & (times <= entry + ONSET_WINDOW)
        best = int(np.argmax(np.where(near, flux, -1.0)))
        scores.append((entry, flux[best] / reference, times[best] - entry))
    return scores


def module_patterns(path):
    """Start time (seconds) and number of each pattern in the module's order,
    following the speed and tempo commands (Fxx) as a player does."""
    with open(path, "rb") as f:
        data = f.read()
    header = 60 + struct.unpack_from("<I", data, 60)[0]
    length, _, channels, pattern_count = struct.unpack_from("<4H", data, 64)
    speed, bpm = struct.unpack_from("<2H", data, 76)
    orders = data[80:80 + length]
    patterns, at = [], header
    for _ in range(pattern_count):
        head, _, rows, packed = struct.unpack_from("<IBHH", data, at)
        body, at = data[at + head:at + head + packed], at + head + packed
        cells, i = [], 0
        while len(cells) < rows * channels and i < len(body):
            mask = body[i] if body[i] & 0x80 else 0x1F
            i += 1 if body[i] & 0x80 else 0
            fields = []
            for bit in range(5):
                if mask & (1 << bit):
                    fields.append(body[i])
                    i += 1
                else:
                    fields.append(0)
            cells.append(fields)
        patterns.append((rows, cells))
    starts, now = [], 0.0
    for number in orders:
        starts.append((now, number))
        rows, cells = patterns[number]
        for row in range(rows):
            for cell in cells[row * channels:(row + 1) * channels]:
                if cell[3] == 0x0F and cell[4] > 0:
                    speed, bpm = (cell[4], bpm) if cell[4] < 32 else (speed, cell[4])
            now += speed * 2.5 / bpm
    return starts


def colour_ramp(level):
    """0..1 to a dark blue - magenta - orange - pale yellow ramp."""
    stops = np.array([[0, 0, 8], [40, 10, 90], [150, 20, 120], [230, 90, 30], [255, 200, 60], [255, 255, 220]])
    position = np.clip(level, 0, 1) * (len(stops) - 1)
    low = np.floor(position).astype(int).clip(0, len(stops) - 2)
    t = (position - low)[..., None]
    return (stops[low] * (1 - t) + stops[low + 1] * t).astype(np.uint8)


def paint_spectrogram(mono, times, flux, patterns, path, width=1800, height=520, strip=90):
    seconds = len(mono) / RATE
    magnitude = stft_magnitude(mono, 4096, 1024)
    db = 20 * np.log10(1e-9 + magnitude)
    db = np.clip((db - (db.max() - 80)) / 80, 0, 1)
    freqs = np.fft.rfftfreq(4096, 1.0 / RATE)
    # Log frequency from 30 Hz to 20 kHz, top row highest.
    rows = np.geomspace(20000, 30, height)
    bins = np.clip(np.searchsorted(freqs, rows), 0, len(freqs) - 1)
    columns = np.linspace(0, len(db) - 1, width).astype(int)
    picture = np.zeros((height + strip + 50, width, 3), dtype=np.uint8)
    picture[30:30 + height] = colour_ramp(db[columns][:, bins].T)
    image = Image.fromarray(picture)
    draw = ImageDraw.Draw(image)
    for hz in (100, 1000, 2000, 6000, 10000):
        y = 30 + int(np.argmin(np.abs(rows - hz)))
        draw.line([(0, y), (12, y)], fill=(255, 255, 255))
        draw.text((14, y - 6), f"{hz} Hz", fill=(255, 255, 255))
    for start, number in patterns:
        x = int(start / seconds * width)
        draw.line([(x, 18), (x, 30 + height)], fill=(90, 200, 255))
        draw.text((x + 2, 17), str(number), fill=(90, 200, 255))
    for card, (enter, leave) in enumerate(CARD_WINDOWS, 1):
        x_in = int(enter / CLOCK_UNITS_PER_SECOND / seconds * width)
        x_out = int(leave / CLOCK_UNITS_PER_SECOND / seconds * width)
        draw.line([(x_in, 0), (x_in, 30 + height + strip)], fill=(255, 255, 255), width=2)
        draw.line([(x_out, 8), (x_out, 30 + height)], fill=(160, 160, 160))
        draw.text((x_in + 3, 1 + 8 * ((card - 1) % 2)), f"card {card}", fill=(255, 255, 255))
    # The onset strength under it, against the 95th percentile of the onset
    # peaks (the grey line); orange where an onset reaches it. Drawn over the
    # card lines, so that the hits at the entries show.
    reference = np.percentile(onset_peaks(flux), 95)
    column_of = (times / seconds * width).astype(int).clip(0, width - 1)
    heights = np.zeros(width)
    np.maximum.at(heights, column_of, flux / reference)
    base = 30 + height + strip - 4
    for x, h in enumerate(heights):
        if h > 0.05:
            draw.line([(x, base), (x, base - min(h, 1.6) / 1.6 * (strip - 10))],
                      fill=(255, 120, 60) if h >= 1.0 else (120, 160, 200))
    draw.line([(0, base - (strip - 10) / 1.6), (width, base - (strip - 10) / 1.6)], fill=(90, 90, 90))
    for second in range(0, int(seconds) + 1, 10):
        x = int(second / seconds * width)
        draw.text((x + 2, 30 + height + 2), f"{second}s", fill=(200, 200, 200))
    draw.text((10, 30 + height + strip + 8),
              "white: a card enters, grey: it leaves, blue: the module's patterns; "
              "strip: onset strength, orange at or over the 95th percentile of onset peaks",
              fill=(200, 200, 200))
    image.save(path)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    capture, show, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    wav, both = render_cycle(capture, show, out)
    x, raw = read_wav(wav)
    seam = seam_step(both, len(x))
    integrated, lra, true_peak = ebur128(wav)
    full_scale = int(np.sum((raw == 32767) | (raw == -32768)))
    correlation, side_db, mono_db = stereo_figures(x)
    freqs, power = power_spectrum(x)
    mono = x.mean(axis=1)
    times, flux = onset_strength(mono)
    steps = np.percentile(np.max(np.abs(np.diff(x, axis=0)), axis=1), 99.9)

    print(f"cycle: {len(x) / RATE:.4f} s ({len(x)} sample frames at {RATE} Hz)")
    print(f"integrated loudness: {integrated:.1f} LUFS")
    print(f"true peak: {true_peak:.1f} dBTP")
    print(f"loudness range: {lra:.1f} LU")
    print(f"largest sample: {20 * np.log10(np.max(np.abs(x))):.2f} dBFS; samples at full scale: {full_scale}")
    print(f"left/right correlation: {correlation:.3f}")
    print(f"side under mid: {-side_db:.1f} dB; mono sum loses {-mono_db:.1f} dB")
    print(f"2-6 kHz share of energy: {band_db(freqs, power, *PRESENCE_BAND):.1f} dB")
    print("band balance: " + ", ".join(f"{name} {band_db(freqs, power, lo, hi):.1f} dB"
                                       for lo, hi, name in BANDS))
    for card, (entry, score, offset) in enumerate(onset_scores(times, flux), 1):
        print(f"card {card} at {entry:.2f} s: onset score {score:.2f} (strongest onset {offset * 1000:+.0f} ms)")
    print(f"seam: largest step within 20 ms of the loop {seam:.4f}; 99.9th percentile of all steps {steps:.4f}")
    picture = os.path.join(out, "music_spectrogram.png")
    paint_spectrogram(mono, times, flux, module_patterns(os.path.join(show, "demo.xm")), picture)
    print(f"spectrogram: {picture}")


if __name__ == "__main__":
    main()
