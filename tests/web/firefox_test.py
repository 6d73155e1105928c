#!/usr/bin/python3
"""The web build in Debian's Firefox ESR, headless, driven over WebDriver BiDi
(bidi_session.py). The checks browser_test.py makes in Chromium that matter
most in a second engine: the page's frames against the capture tool, the
start gesture and the keys, and the music worklet. One browser serves all
the tests, each in a tab of its own on its own served copy of the site.
Firefox needs a sound server (in_firefox.sh starts one) for its AudioContext
to run. KELVOR_FIREFOX names another Firefox to drive (an older ESR, say).

    firefox_test.py --site DIR --capture KELVOR_CAPTURE --show-files DIR --test-files DIR
    firefox_test.py --render-time --site DIR --pictures DIR   (prints the mean only)
"""
import argparse
import os
import sys
import time
import unittest

from bidi_session import ESCAPE, Firefox, Tab
from page_tools import FRAMES, Site, capture_checksums, wait_for

ARGS = None


def start_firefox():
    return Firefox(os.environ.get('KELVOR_FIREFOX', '/usr/bin/firefox-esr'))


def page_checksums(browser, site, pictures):
    """kelvorTest.checksums over frames 1..FRAMES of the page, and the mean
    time of Scene::render over them."""
    with Site(site, replace_from=pictures) as served:
        tab = Tab(browser)
        try:
            tab.navigate(served.url + 'index.html?test')
            sums = tab.value('kelvorTest.checksums(1, %d).catch((e) => "failed: " + e)' % FRAMES)
            return sums, tab.value('kelvorTest.lastRenderMean')
        finally:
            tab.close()


class FirefoxTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = start_firefox()
        print('browser: Firefox %s' % cls.browser.version, file=sys.stderr)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()

    def page(self, expression):
        return self.tab.value('window.kelvorPage && (%s)' % expression)

    def wait(self, expression, what):
        wait_for(lambda: self.page(expression), what=what)

    def picture(self):
        """The canvas as PNG bytes (one encoder: the same pixels, the same
        bytes), compared with assertTrue so that a failure does not print them."""
        return self.tab.screenshot('#screen')

    def start_show(self):
        """Opens the page and starts the show with a click, as a visitor would."""
        site = Site(ARGS.site)
        self.addCleanup(site.close)
        self.tab = Tab(self.browser)
        self.addCleanup(self.tab.close)
        self.tab.navigate(site.url + 'index.html')
        self.assertIsNone(self.page('kelvorPage.framesPresented'), 'a show before the gesture')
        self.assertTrue(self.tab.value('document.getElementById("start").checkVisibility()'), 'no start prompt')
        self.tab.click('body')
        self.wait('kelvorPage.framesPresented > 10', 'frames')

    def test_all_frames_of_a_cycle_match_the_capture_tool(self):
        for pictures in [ARGS.test_files, ARGS.show_files]:
            with self.subTest(pictures=pictures):
                sums, mean = page_checksums(self.browser, ARGS.site, pictures)
                self.assertIsInstance(sums, list, sums)
                self.assertEqual(len(sums), FRAMES)
                expected = capture_checksums(ARGS.capture, pictures)
                mismatches = [k + 1 for k in range(FRAMES) if sums[k] != expected[k]]
                self.assertEqual(mismatches[:5], [], 'frames differ from the capture tool')
                print('Scene::render in Firefox, frames 1..%d (%s): mean %.3f ms'
                      % (FRAMES, os.path.basename(pictures.rstrip('/')), mean), file=sys.stderr)

    def test_the_start_gesture_starts_a_moving_picture(self):
        self.start_show()
        first = self.picture()
        time.sleep(0.5)
        self.assertTrue(first != self.picture(), 'the picture does not move')

    def test_p_freezes_another_key_resumes_esc_ends_and_a_click_restarts(self):
        self.start_show()
        self.tab.press('p')
        time.sleep(0.3)
        frames = self.page('kelvorPage.framesPresented')
        frozen = self.picture()
        time.sleep(1.0)
        self.assertTrue(frozen == self.picture(), 'P did not freeze the picture')
        self.assertEqual(self.page('kelvorPage.framesPresented'), frames)
        self.tab.press('a')
        self.wait('kelvorPage.framesPresented > %d' % (frames + 10), 'the show to resume')
        self.assertTrue(frozen != self.picture(), 'the picture stays frozen after another key')

        self.tab.press(ESCAPE)
        self.wait('kelvorPage.ended', 'the end of the show')
        self.assertIn('The show has ended', self.tab.value('document.getElementById("notice").textContent'))
        ended = self.page('[kelvorPage.framesPresented, kelvorPage.music.rendered, kelvorPage.music.seconds]')
        time.sleep(1.0)
        self.assertEqual(
            self.page('[kelvorPage.framesPresented, kelvorPage.music.rendered, kelvorPage.music.seconds]'),
            ended, 'the show or its music goes on after Esc')
        self.assertEqual(self.page('kelvorPage.audioContext.state'), 'closed')

        self.tab.click('body')
        self.wait('!kelvorPage.ended && kelvorPage.framesPresented > 10', 'the show to start again')

    def test_the_music_worklet_plays_and_advances_with_time(self):
        self.start_show()
        self.assertEqual(self.page('kelvorPage.audioContext.state'), 'running')
        self.assertTrue(self.page('kelvorPage.music.loaded'), 'the module did not load')
        before = self.page('[kelvorPage.music.rendered, kelvorPage.music.seconds]')
        time.sleep(1.0)
        after = self.page('[kelvorPage.music.rendered, kelvorPage.music.seconds]')
        rate = self.page('kelvorPage.audioContext.sampleRate')
        self.assertGreater(after[0] - before[0], 0.7 * rate, 'less than 0.7 s of music in a second')
        self.assertGreater(after[1], before[1], 'the player reports no progress')
        print('music: AudioContext running at %d Hz, %d samples in a second'
              % (rate, after[0] - before[0]), file=sys.stderr)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument('--site', required=True)
    parser.add_argument('--render-time', action='store_true')
    parser.add_argument('--pictures')
    parser.add_argument('--capture')
    parser.add_argument('--show-files')
    parser.add_argument('--test-files')
    ARGS, rest = parser.parse_known_args()
    if ARGS.render_time:
        browser = start_firefox()
        try:
            sums, mean = page_checksums(browser, ARGS.site, ARGS.pictures)
        finally:
            browser.close()
        if not isinstance(sums, list):
            sys.exit('the page failed: %s' % sums)
        print('%.3f' % mean)
        return
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == '__main__':
    main()
