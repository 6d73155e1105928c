#!/usr/bin/python3
"""Renders one show cycle for each picture set, prints the figures that say
how the pictures work on screen, and writes contact sheets.

usage: review_pictures.py [--capture PROGRAM] [--out FOLDER] NAME=FOLDER ...

Each NAME=FOLDER is a folder holding data1.pcx .. data7.pcx and demo.xm (the
show folder of a build, say). Every set is rendered with kelvor-capture into a
lossless video, and every 10th frame of the cycle (frames 10, 20, .. 8000) is
examined:

- white: the share of pure-white pixels (at least 250 in every channel) per
  frame; its mean over the cycle and its worst twentieth (the share that
  only one frame in twenty exceeds; the mean of those frames too);
- legibility: for each text card, the words OCR (tesseract) reads from the
  card picture alone, then the share of the frames in the card's window in
  which OCR finds at least three quarters of those words (the frame read as
  it is and with only its bright parts, in two layout modes);
- landscape: data7.pcx blurred twice as the show blurs it, how much of its
  luminance the height (blue) alone explains (the share of the variance
  explained by the mean luminance at each height), the same for a straight
  line fit, and its brightest colour's luminance against white.

FOLDER/NAME/contact_N.png get a contact sheet of the sampled frames (100 a
page), FOLDER/NAME/figures.txt the figures.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image, ImageDraw

import show_facts

FACTS = show_facts.load()
WIDTH, HEIGHT = FACTS["screen"]["width"], FACTS["screen"]["height"]
FRAME_BYTES = WIDTH * HEIGHT * 3
CYCLE_FRAMES = show_facts.cycle_frames(FACTS)
EVERY = 10
WHITE_LEVEL = 250

# The text cards: file, the show-time window in which the timeline calls the
# card (frame K shows show time K / 100 in the first cycle), and the
# horizontal stretch at which the show draws the picture.
TEXT_CARDS = [
    (card["card"], show_facts.file_of(FACTS, "title%d" % card["card"]), card["entry"], card["exit"], stretch)
    for card in FACTS["cards"]
    for number, stretch in ((1, 2.0), (2, 1.0), (4, 1.0), (5, (310 / 440) / (27 / 44)))
    if card["card"] == number
]


def run(args, **kwargs):
    return subprocess.run(args, check=True, **kwargs)


def render_cycle(capture, assets, video):
    """The cycle's frames at the clock's steady steps (frame K after K steps
    of 1/70 s), losslessly, without scaling."""
    steady = []
    if "--fps" in subprocess.run([capture, "--help"], capture_output=True, text=True).stdout:
        steady = ["--fps", str(int(FACTS["clock"]["rate"]))]  # a video's frames are otherwise a display's
    run([capture, "--assets", assets, "--last", str(CYCLE_FRAMES), "--scale", "1", "--video", video] + steady,
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def sampled_frames(video):
    """Yields (frame number, H x W x 3 array) for every EVERY-th frame."""
    keep = "select=not(mod(n+1\\,%d))" % EVERY
    ffmpeg = subprocess.Popen(["ffmpeg", "-loglevel", "error", "-i", video, "-vf", keep, "-vsync", "0",
                               "-f", "rawvideo", "-pix_fmt", "rgb24", "pipe:1"], stdout=subprocess.PIPE)
    number = EVERY
    while True:
        data = ffmpeg.stdout.read(FRAME_BYTES)
        if len(data) < FRAME_BYTES:
            break
        yield number, np.frombuffer(data, dtype=np.uint8).reshape(HEIGHT, WIDTH, 3)
        number += EVERY
    ffmpeg.wait()


def white_share(frame):
    return float(np.count_nonzero((frame >= WHITE_LEVEL).all(axis=2))) / (WIDTH * HEIGHT)


def worst_twentieth(values):
    ordered = sorted(values, reverse=True)
    count = max(1, len(ordered) // 20)
    return sum(ordered[:count]) / count


# ---- OCR ----

def words_of(text):
    return [w for w in re.findall(r"[A-Z0-9]+", text.upper()) if len(w) >= 2]


# Titles are added on top of everything else, so they are the brightest
# thing on screen: OCR reads only what is at least this bright (in grey, after
# enlarging), which keeps the landscape and the ring's glow out of its way.
OCR_BRIGHT = 160


def ocr_ready(image, scale, bright_only=True):
    """Grey and enlarged, dark letters on light as tesseract reads best: of a
    frame only its bright parts, black on white; a card picture on its own
    (art on black) as it is, inverted."""
    grey = image.convert("L")
    grey = grey.resize((round(grey.width * scale[0]), round(grey.height * scale[1])), Image.BICUBIC)
    if bright_only:
        return grey.point(lambda v: 0 if v >= OCR_BRIGHT else 255)
    return grey.point(lambda v: 255 - v)


def ocr_pages(paths, mode):
    """OCR text of each picture, in one tesseract run per half of the list
    (two at a time)."""
    if not paths:
        return []
    halves = [paths[:len(paths) // 2], paths[len(paths) // 2:]]
    jobs = []
    for i, half in enumerate(halves):
        if not half:
            continue
        listing = paths[0] + ".list%d" % i
        with open(listing, "w") as f:
            f.write("\n".join(half) + "\n")
        jobs.append(subprocess.Popen(["tesseract", listing, "stdout", "--psm", mode, "-l", "eng"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     env=dict(os.environ, OMP_THREAD_LIMIT="1")))
    pages = []
    for job, half in zip(jobs, [h for h in halves if h]):
        out = job.communicate()[0].decode("utf-8", "replace")
        texts = out.split("\f")
        texts += [""] * (len(half) - len(texts))
        pages += texts[:len(half)]
    return pages


def card_words(assets, name, stretch, scratch):
    with Image.open(os.path.join(assets, name)) as card:
        picture = card.convert("RGB")
    framed = Image.new("RGB", (picture.width + 40, picture.height + 40))
    framed.paste(picture, (20, 20))
    scale = 80.0 / picture.height
    path = os.path.join(scratch, "card_" + name + ".png")
    ocr_ready(framed, (scale * stretch, scale), bright_only=False).save(path)
    return words_of(ocr_pages([path], "11")[0])


def legibility(assets, frames_by_number, scratch, log):
    """For each text card: its words, the frames examined and the share of
    them in which OCR finds three quarters of the words. What OCR read in
    each frame goes to log."""
    results = []
    for number, name, start, end, stretch in TEXT_CARDS:
        words = card_words(assets, name, stretch, scratch)
        window = [k for k in sorted(frames_by_number) if start < k / 100.0 < end]
        readings = {k: set() for k in window}
        # Each frame is read as it is and with only its bright parts, each
        # time in tesseract's block and sparse layout modes, which miss
        # different words in a busy frame: a word counts as read when any of
        # the four readings finds it.
        for bright_only in (False, True):
            paths = []
            for k in window:
                path = os.path.join(scratch, "ocr_%d_%d.png" % (number, k))
                ocr_ready(Image.fromarray(frames_by_number[k]), (3, 3), bright_only).save(path)
                paths.append(path)
            for mode in ("6", "11"):
                for k, text in zip(window, ocr_pages(paths, mode)):
                    readings[k] |= set(words_of(text))
        readable = 0
        need = 0.75 * len(words)
        for k in window:
            hits = sum(1 for w in words if w in readings[k])
            if words and hits >= need:
                readable += 1
            log.write("card %d frame %d: %d of %d (%s)\n" % (number, k, hits, len(words), " ".join(sorted(readings[k]))))
        results.append((number, words, len(window), readable / len(window) if window else 0.0))
    return results


# ---- landscape ----

def show_blur(channel):
    """One pass of the show's in-place blur: every inner pixel becomes the
    average of its four neighbours (rounded down), walking rows top to
    bottom and columns left to right, so up and left are already new."""
    h, w = channel.shape
    rows = [list(map(int, channel[y])) for y in range(h)]
    for y in range(1, h - 1):
        up, row, down = rows[y - 1], rows[y], rows[y + 1]
        for x in range(1, w - 1):
            row[x] = (up[x] + row[x - 1] + row[x + 1] + down[x]) >> 2
    return np.array(rows, dtype=np.int64)


def landscape_figures(assets):
    with Image.open(os.path.join(assets, "data7.pcx")) as terrain:
        rgb = np.asarray(terrain.convert("RGB")).astype(np.int64)
    luma_weights = np.array([0.2126, 0.7152, 0.0722])
    brightest = float((rgb @ luma_weights).max()) / 255.0
    blurred = np.stack([show_blur(show_blur(rgb[:, :, c])) for c in range(3)], axis=2)
    luma = (blurred @ luma_weights).ravel()
    height = blurred[:, :, 2].ravel()
    total = float(((luma - luma.mean()) ** 2).sum())
    means = np.zeros(256)
    counts = np.bincount(height, minlength=256)
    sums = np.bincount(height, weights=luma, minlength=256)
    present = counts > 0
    means[present] = sums[present] / counts[present]
    explained = 1.0 - float(((luma - means[height]) ** 2).sum()) / total
    line = np.polyfit(height, luma, 1)
    linear = 1.0 - float(((luma - np.polyval(line, height)) ** 2).sum()) / total
    return explained, linear, brightest, float((blurred @ luma_weights).max()) / 255.0


# ---- contact sheet ----

def contact_sheets(frames_by_number, folder, label):
    numbers = sorted(frames_by_number)
    per_page, columns = 100, 10
    thumb_w, thumb_h, caption = 160, 100, 12
    paths = []
    for page, first in enumerate(range(0, len(numbers), per_page)):
        chunk = numbers[first:first + per_page]
        rows = (len(chunk) + columns - 1) // columns
        sheet = Image.new("RGB", (columns * thumb_w, rows * (thumb_h + caption) + 16), (24, 24, 24))
        draw = ImageDraw.Draw(sheet)
        draw.text((4, 2), "%s: frames %d-%d (every %d)" % (label, chunk[0], chunk[-1], EVERY), fill=(255, 255, 255))
        for i, k in enumerate(chunk):
            x = (i % columns) * thumb_w
            y = 16 + (i // columns) * (thumb_h + caption)
            thumb = Image.fromarray(frames_by_number[k]).resize((thumb_w, thumb_h), Image.BOX)
            sheet.paste(thumb, (x, y + caption))
            draw.text((x + 2, y), str(k), fill=(200, 200, 200))
        path = os.path.join(folder, "contact_%d.png" % (page + 1))
        sheet.save(path, optimize=True)
        paths.append(path)
    return paths


def review(capture, name, assets, out, scratch, read_cards=True):
    video = os.path.join(scratch, name + ".mkv")
    render_cycle(capture, assets, video)
    frames = {}
    shares = []
    for number, frame in sampled_frames(video):
        frames[number] = frame.copy()
        shares.append(white_share(frame))
    os.remove(video)
    if len(frames) != CYCLE_FRAMES // EVERY:
        raise RuntimeError("%s: %d frames decoded, not %d" % (name, len(frames), CYCLE_FRAMES // EVERY))
    folder = os.path.join(out, name)
    os.makedirs(folder, exist_ok=True)
    sheets = contact_sheets(frames, folder, name)
    cards = []
    if read_cards:
        with open(os.path.join(folder, "ocr_by_frame.txt"), "w") as log:
            cards = legibility(assets, frames, scratch, log)
    explained, linear, brightest, brightest_blurred = landscape_figures(assets)

    lines = ["%s (%s)" % (name, os.path.abspath(assets)),
             "  white pixels: mean %.2f %%, worst twentieth %.2f %% (the 95th percentile; the mean of the "
             "twentieth above it %.2f %%), worst frame %.2f %% (%d frames)"
             % (100 * np.mean(shares), 100 * float(np.percentile(shares, 95)), 100 * worst_twentieth(shares),
                100 * max(shares), len(shares))]
    for number, words, count, share in cards:
        lines.append("  card %d: %3.0f %% of %d frames read (words: %s)" % (number, 100 * share, count, " ".join(words) or "none"))
    if cards:
        lines.append("  legibility: mean %.0f %%, lowest %.0f %%"
                     % (100 * np.mean([c[3] for c in cards]), 100 * min(c[3] for c in cards)))
    lines.append("  landscape: height explains %.3f of luminance (straight line %.3f); brightest colour %.0f %% "
                 "of white (%.0f %% after the blurs)" % (explained, linear, 100 * brightest, 100 * brightest_blurred))
    lines.append("  contact sheets: %s .. %s" % (sheets[0], os.path.basename(sheets[-1])))
    with open(os.path.join(folder, "figures.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(folder, "white_by_frame.txt"), "w") as f:
        f.write("".join("%d %.5f\n" % (k, s) for k, s in zip(sorted(frames), shares)))
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--capture", default="build/release/kelvor-capture", help="the kelvor-capture program")
    parser.add_argument("--out", default="review", help="folder for the contact sheets and figures")
    parser.add_argument("--no-ocr", action="store_true", help="leave out the legibility figures (faster)")
    parser.add_argument("sets", nargs="+", metavar="NAME=FOLDER")
    args = parser.parse_args()
    sets = []
    for item in args.sets:
        name, _, folder = item.partition("=")
        if not folder or not os.path.isfile(os.path.join(folder, "data7.pcx")):
            parser.error("%s: expected NAME=FOLDER with the show's pictures" % item)
        sets.append((name, folder))
    os.makedirs(args.out, exist_ok=True)
    for name, folder in sets:
        with tempfile.TemporaryDirectory() as scratch:
            print("\n".join(review(args.capture, name, folder, args.out, scratch, not args.no_ocr)), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
