#!/usr/bin/python3
"""Checks the figures of tools/review/review_pictures.py on made-up input: the
landscape blur must be the show's, the white share must count only pure
white, and the landscape fit must tell colour by height from colour by light.

usage: review_pictures_test.py TOOLS_REVIEW_FOLDER
"""
import os
import sys
import tempfile
import unittest

import numpy as np
from PIL import Image

sys.path.insert(0, sys.argv.pop(1))
import review_pictures as review  # noqa: E402


class ShowBlur(unittest.TestCase):
    def test_single_bright_pixel_spreads_down_and_right_as_in_the_show(self):
        picture = np.zeros((7, 7), dtype=np.int64)
        picture[3, 3] = 255
        blurred = review.show_blur(picture)
        expected = [[0, 63, 15, 3], [63, 31, 11, 3], [15, 11, 5, 2], [3, 3, 2, 1]]
        self.assertEqual(blurred[2:6, 2:6].tolist(), expected)
        self.assertEqual(int(blurred.sum()), sum(map(sum, expected)))

    def test_border_never_changes(self):
        picture = np.arange(25, dtype=np.int64).reshape(5, 5) * 10
        blurred = review.show_blur(review.show_blur(picture))
        self.assertEqual(blurred[0].tolist(), picture[0].tolist())
        self.assertEqual(blurred[:, 4].tolist(), picture[:, 4].tolist())


class FrameFigures(unittest.TestCase):
    def test_white_means_at_least_250_in_every_channel(self):
        frame = np.zeros((review.HEIGHT, review.WIDTH, 3), dtype=np.uint8)
        frame[0, :10] = (250, 250, 250)
        frame[1, :10] = (255, 255, 249)  # bright yellow, not white
        frame[2, :10] = (254, 254, 254)
        self.assertAlmostEqual(review.white_share(frame), 20 / (review.WIDTH * review.HEIGHT))

    def test_worst_twentieth_is_the_mean_of_the_highest_twentieth(self):
        values = [0.0] * 95 + [0.01, 0.02, 0.03, 0.04, 0.05]
        self.assertAlmostEqual(review.worst_twentieth(values), 0.03)

    def test_words_are_upper_case_runs_of_two_or_more_letters_or_digits(self):
        self.assertEqual(review.words_of("See you, n3xt-time! a I"), ["SEE", "YOU", "N3XT", "TIME"])


def write_terrain(folder, colour_of):
    """A 256 x 256 data7.pcx whose palette entry i is colour_of(i) and whose
    index rises in smooth waves, as a height field would."""
    y, x = np.mgrid[0:256, 0:256]
    heights = (127.5 + 60 * np.sin(x / 20.0) + 60 * np.cos(y / 27.0)).astype(np.uint8)
    picture = Image.fromarray(heights, mode="P")
    palette = []
    for i in range(256):
        palette += list(colour_of(i))
    picture.putpalette(palette)
    picture.save(os.path.join(folder, "data7.pcx"))


class LandscapeFigures(unittest.TestCase):
    def test_colour_by_height_alone_is_fully_explained_by_height(self):
        with tempfile.TemporaryDirectory() as folder:
            write_terrain(folder, lambda i: (i, i, i))
            explained, linear, brightest, _ = review.landscape_figures(folder)
        self.assertGreater(explained, 0.99)
        self.assertGreater(linear, 0.99)
        self.assertAlmostEqual(brightest, 247 / 255, delta=0.01)

    def test_light_that_varies_within_a_height_band_is_not_explained_by_height(self):
        # Odd and even indices two apart in blue but far apart in brightness:
        # after the blur the brightness follows where odd and even mix, not
        # the height.
        with tempfile.TemporaryDirectory() as folder:
            write_terrain(folder, lambda i: (40 + 150 * (i % 2), 40 + 150 * (i % 2), i))
            y, x = np.mgrid[0:256, 0:256]
            stripes = ((x // 16 + y // 16) % 2).astype(np.uint8)
            with Image.open(os.path.join(folder, "data7.pcx")) as loaded:
                indices = np.asarray(loaded).copy()
                palette = loaded.getpalette()
            indices = (indices & 0xFE) | stripes
            remade = Image.fromarray(indices, mode="P")
            remade.putpalette(palette)
            remade.save(os.path.join(folder, "data7.pcx"))
            explained, _, _, _ = review.landscape_figures(folder)
        self.assertLess(explained, 0.5)


if __name__ == "__main__":
    unittest.main()
