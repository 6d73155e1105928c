#!/usr/bin/python3
"""The web build in a real browser: Debian's chromium, headless, driven by
chromedriver through selenium. Each test serves a copy of the site folder on
127.0.0.1 (with other pictures, or a file missing, where the test needs it).
Every wait gives up within a minute, saying what it waited for.

    browser_test.py --site DIR --capture KELVOR_CAPTURE --test-files DIR
"""
import argparse
import io
import os
import shutil
import sys
import tempfile
import time
import unittest

from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.remote.remote_connection import RemoteConnection

from page_tools import FRAMES, Site, capture_checksums, wait_for

ARGS = None
# The longest a page load or a script may take (the checksums of a whole
# cycle take a few seconds); chromedriver's answer to any command comes
# within a little more, or the command gives up.
PAGE_SECONDS = 60
RemoteConnection.set_timeout(PAGE_SECONDS + 10)


def start_browser():
    profile = tempfile.mkdtemp(prefix='kelvor-chromium-')
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 '--autoplay-policy=no-user-gesture-required', '--window-size=1000,700',
                 '--user-data-dir=' + profile]:
        options.add_argument(flag)
    try:
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    except BaseException:
        shutil.rmtree(profile, ignore_errors=True)
        raise
    driver.set_script_timeout(PAGE_SECONDS)
    driver.set_page_load_timeout(PAGE_SECONDS)
    driver.profile = profile
    return driver


def gave_up(what):
    return AssertionError('gave up after %d s waiting for %s' % (PAGE_SECONDS, what))


class BrowserTest(unittest.TestCase):
    def setUp(self):
        self.driver = start_browser()
        # Run last to first: the browser goes before its profile.
        self.addCleanup(shutil.rmtree, self.driver.profile, ignore_errors=True)
        self.addCleanup(self.driver.quit)

    def open(self, path='index.html', **site_options):
        site = Site(ARGS.site, **site_options)
        self.addCleanup(site.close)
        try:
            self.driver.get(site.url + path)
        except TimeoutException:
            raise gave_up('the page %s to load' % path) from None
        return site

    def page(self, expression):
        return self.driver.execute_script('return window.kelvorPage && (' + expression + ');')

    def start_show(self):
        self.assertTrue(self.driver.find_element(By.ID, 'start').is_displayed())
        self.driver.find_element(By.TAG_NAME, 'body').click()
        wait_for(lambda: self.page('kelvorPage.framesPresented > 10'), what='frames')

    def canvas_picture(self):
        png = self.driver.find_element(By.ID, 'screen').screenshot_as_png
        return Image.open(io.BytesIO(png)).convert('RGB')

    def press(self, key):
        ActionChains(self.driver).send_keys(key).perform()

    def test_the_start_gesture_starts_a_living_letterboxed_picture(self):
        self.open()
        self.assertEqual(self.page('kelvorPage.framesPresented'), None)  # nothing before the gesture
        self.start_show()
        first = self.canvas_picture()
        time.sleep(0.5)
        second = self.canvas_picture()
        self.assertGreater(len(set(first.getdata())), 50, 'a flat picture')
        self.assertNotEqual(list(first.getdata()), list(second.getdata()), 'the picture does not move')
        # 8:5, as large as the window allows, centred, crisp pixels.
        box = self.driver.execute_script(
            'const r = document.getElementById("screen").getBoundingClientRect();'
            'return [r.left, r.top, r.width, r.height, innerWidth, innerHeight,'
            ' getComputedStyle(document.getElementById("screen")).imageRendering];')
        left, top, width, height, window_width, window_height, rendering = box
        self.assertAlmostEqual(width / height, 1.6, places=2)
        self.assertTrue(abs(width - window_width) < 1 or abs(height - window_height) < 1)
        self.assertAlmostEqual(left * 2 + width, window_width, delta=1)
        self.assertAlmostEqual(top * 2 + height, window_height, delta=1)
        self.assertEqual(rendering, 'pixelated')
        self.assertEqual(self.driver.title, 'KELVOR')

    def test_all_frames_of_a_cycle_match_the_capture_tool(self):
        for pictures in [ARGS.test_files, ARGS.show_files]:
            with self.subTest(pictures=pictures):
                self.open('index.html?test', replace_from=pictures)
                self.assertEqual(self.page('1'), None)  # the test entry starts no show
                try:
                    sums = self.driver.execute_async_script(
                        'const done = arguments[arguments.length - 1];'
                        'kelvorTest.checksums(1, %d).then(done, (e) => done("failed: " + e));' % FRAMES)
                except TimeoutException:
                    raise gave_up("the page's checksums of frames 1..%d" % FRAMES) from None
                self.assertIsInstance(sums, list, sums)
                expected = capture_checksums(ARGS.capture, pictures)
                self.assertEqual(len(sums), FRAMES)
                mismatches = [k for k in range(FRAMES) if sums[k] != expected[k]]
                self.assertEqual(mismatches[:5], [], 'frames differ from the capture tool')
                mean = self.driver.execute_script('return kelvorTest.lastRenderMean;')
                print('Scene::render in the browser, frames 1..8100 (%s): mean %.3f ms'
                      % (os.path.basename(pictures.rstrip('/')), mean), file=sys.stderr)

    def test_p_freezes_another_key_resumes_and_esc_ends_the_show(self):
        self.open()
        self.start_show()
        self.press('p')
        time.sleep(0.3)
        frames = self.page('kelvorPage.framesPresented')
        frozen = self.canvas_picture()
        time.sleep(1.0)
        self.assertEqual(list(frozen.getdata()), list(self.canvas_picture().getdata()), 'P did not freeze')
        self.assertEqual(self.page('kelvorPage.framesPresented'), frames)
        self.press('a')
        wait_for(lambda: self.page('kelvorPage.framesPresented') > frames + 10, what='the show to resume')
        self.assertNotEqual(list(frozen.getdata()), list(self.canvas_picture().getdata()))

        self.press(Keys.ESCAPE)
        wait_for(lambda: self.page('kelvorPage.ended'), what='the end of the show')
        notice = self.driver.find_element(By.ID, 'notice')
        self.assertTrue(notice.is_displayed())
        self.assertIn('The show has ended', notice.text)
        frames = self.page('kelvorPage.framesPresented')
        position = self.page('[kelvorPage.music.rendered, kelvorPage.music.seconds]')
        time.sleep(1.0)
        self.assertEqual(self.page('kelvorPage.framesPresented'), frames, 'the loop goes on')
        self.assertEqual(self.page('[kelvorPage.music.rendered, kelvorPage.music.seconds]'), position,
                         'the music goes on')
        self.assertEqual(self.page('kelvorPage.audioContext.state'), 'closed')

        # A click starts it again, afresh.
        self.driver.find_element(By.TAG_NAME, 'body').click()
        wait_for(lambda: self.page('!kelvorPage.ended && kelvorPage.framesPresented > 10'),
                 what='the show to start again')

    def test_the_music_plays_and_advances_with_time(self):
        self.open()
        self.start_show()
        self.assertEqual(self.page('kelvorPage.audioContext.state'), 'running')
        self.assertTrue(self.page('kelvorPage.music.loaded'))
        before = self.page('[kelvorPage.music.rendered, kelvorPage.music.seconds]')
        time.sleep(1.0)
        after = self.page('[kelvorPage.music.rendered, kelvorPage.music.seconds]')
        rate = self.page('kelvorPage.audioContext.sampleRate')
        self.assertGreater(after[0] - before[0], 0.7 * rate, 'less than 0.7 s of music in a second')
        self.assertGreater(after[1], before[1])

    def test_a_missing_picture_shows_its_message_and_no_show_starts(self):
        self.open(remove=['data3.pcx'])
        self.driver.find_element(By.TAG_NAME, 'body').click()
        dialog = wait_for(lambda: self.driver.find_element(By.ID, 'dialog').is_displayed()
                          and self.driver.find_element(By.ID, 'dialog'), what='the message')
        self.assertEqual(self.driver.find_element(By.ID, 'dialog-caption').text, 'err')
        self.assertEqual(self.driver.find_element(By.ID, 'dialog-text').text, "couldn't load data3.pcx")
        self.driver.find_element(By.ID, 'dialog-ok').click()
        wait_for(lambda: self.driver.find_element(By.ID, 'notice').is_displayed(), what='the notice')
        self.assertFalse(dialog.is_displayed())
        self.assertEqual(self.page('kelvorPage.framesPresented'), 0)
        self.assertEqual(self.page('kelvorPage.music.node'), None)

    def test_a_missing_module_shows_its_message_then_a_silent_show(self):
        self.open(remove=['demo.xm'])
        self.driver.find_element(By.TAG_NAME, 'body').click()
        wait_for(lambda: self.driver.find_element(By.ID, 'dialog').is_displayed(), what='the message')
        self.assertEqual(self.driver.find_element(By.ID, 'dialog-text').text, "couldn't load demo.xm")
        time.sleep(0.3)
        self.assertEqual(self.page('kelvorPage.framesPresented'), 0, 'the window opened before the message')
        self.driver.find_element(By.ID, 'dialog-ok').click()
        wait_for(lambda: self.page('kelvorPage.framesPresented > 10'), what='the silent show')
        self.assertFalse(self.page('kelvorPage.music.loaded'))
        self.assertEqual(self.page('kelvorPage.music.rendered'), 0)

    def test_a_page_opened_as_a_file_says_it_must_be_served(self):
        folder = tempfile.mkdtemp(prefix='kelvor-file-')
        shutil.copytree(ARGS.site, folder, dirs_exist_ok=True)
        try:
            self.driver.get('file://' + folder + '/index.html')
            notice = self.driver.find_element(By.ID, 'notice')
            self.assertTrue(notice.is_displayed())
            self.assertIn('python3 -m http.server', notice.text)
            self.assertFalse(self.driver.find_element(By.ID, 'start').is_displayed())
        finally:
            shutil.rmtree(folder, ignore_errors=True)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument('--site', required=True)
    parser.add_argument('--capture', required=True)
    parser.add_argument('--show-files', required=True)
    parser.add_argument('--test-files', required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == '__main__':
    main()
