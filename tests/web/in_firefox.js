// The web build in Debian's Firefox ESR, headless, driven over WebDriver
// BiDi by puppeteer-core (pinned by bidi/package-lock.json; Firefox speaks
// BiDi itself, so no driver program is needed). The same checks as
// browser_test.py runs in Chromium:
//  - frames 1..8100 from the page's test entry equal the capture tool's, on
//    the tests' own pictures and on the show's;
//  - the start gesture starts a moving picture, P freezes it, another key
//    resumes it, Esc ends the show (and its music), a click starts it again;
//  - the music worklet runs: the AudioContext is running and the player
//    reports its position moving on.
// Each check serves a copy of the site on 127.0.0.1.
//
//   node in_firefox.js SITE KELVOR_CAPTURE TEST_PICTURES SHOW_FILES
//   node in_firefox.js --render-time SITE PICTURES   (prints the mean only)
'use strict';
const assert = require('node:assert/strict');
const { execFileSync, spawn } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const PICTURES = [1, 2, 3, 4, 5, 6, 7].map((n) => `data${n}.pcx`);
const FRAMES = 8100;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
    server.on('error', reject);
  });
}

// A copy of the site folder, with other pictures where asked, served by
// python3 -m http.server.
async function serve(site, pictures) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kelvor-site-'));
  fs.cpSync(site, folder, { recursive: true });
  if (pictures) {
    for (const name of PICTURES) fs.copyFileSync(path.join(pictures, name), path.join(folder, name));
  }
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1'],
    { cwd: folder, stdio: 'ignore' });
  for (let i = 0; i < 100; ++i) {
    const up = await new Promise((resolve) => {
      const socket = net.connect(port, '127.0.0.1', () => { socket.end(); resolve(true); });
      socket.on('error', () => resolve(false));
    });
    if (up) break;
    await sleep(50);
  }
  return {
    url: `http://127.0.0.1:${port}/`,
    close() {
      server.kill();
      fs.rmSync(folder, { recursive: true, force: true });
    },
  };
}

async function startFirefox() {
  return puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    protocol: 'webDriverBiDi',
    defaultViewport: { width: 1000, height: 700 },
    extraPrefsFirefox: {
      // Sound may start without a gesture too: the tests' clicks are
      // gestures, but the checksum page makes no sound at all.
      'media.autoplay.default': 0,
      // Nothing from the network but the served site.
      'app.update.enabled': false,
      'browser.shell.checkDefaultBrowser': false,
    },
  });
}

async function waitFor(page, expression, what, seconds = 20) {
  const deadline = Date.now() + seconds * 1000;
  while (Date.now() < deadline) {
    if (await page.evaluate(`Boolean(window.kelvorPage && (${expression}))`)) return;
    await sleep(50);
  }
  throw new Error(`timed out waiting for ${what}`);
}

const pageValue = (page, expression) => page.evaluate(`window.kelvorPage && (${expression})`);

async function canvasPicture(page) {
  const canvas = await page.$('#screen');
  return Buffer.from(await canvas.screenshot({ type: 'png' }));
}

// kelvorTest.checksums over frames 1..8100 of the page; the render mean.
async function pageChecksums(browser, site, pictures) {
  const served = await serve(site, pictures);
  const page = await browser.newPage();
  try {
    await page.goto(`${served.url}index.html?test`);
    const sums = await page.evaluate(
      `kelvorTest.checksums(1, ${FRAMES}).then((s) => s, (e) => 'failed: ' + e)`);
    const mean = await page.evaluate('kelvorTest.lastRenderMean');
    return { sums, mean };
  } finally {
    await page.close();
    served.close();
  }
}

async function checkFrames(browser, site, capture, pictureSets) {
  for (const pictures of pictureSets) {
    const { sums, mean } = await pageChecksums(browser, site, pictures);
    assert.ok(Array.isArray(sums), String(sums));
    const expected = execFileSync(capture, ['--assets', pictures, '--last', String(FRAMES), '--checksums'],
      { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'], maxBuffer: 1 << 26 }).trim().split('\n');
    assert.equal(sums.length, FRAMES);
    const mismatches = [];
    for (let k = 0; k < FRAMES && mismatches.length < 5; ++k) {
      if (sums[k] !== expected[k]) mismatches.push(k + 1);
    }
    assert.deepEqual(mismatches, [], `frames differ from the capture tool (${pictures})`);
    console.log(`frames 1..${FRAMES} equal the capture tool's (${path.basename(pictures)}); ` +
      `Scene::render in Firefox: mean ${mean.toFixed(3)} ms`);
  }
}

async function checkLiveShow(browser, site) {
  const served = await serve(site);
  const page = await browser.newPage();
  try {
    await page.goto(`${served.url}index.html`);
    assert.equal(await pageValue(page, 'kelvorPage.framesPresented'), undefined, 'a show before the gesture');
    assert.ok(await page.$eval('#start', (e) => e.checkVisibility()), 'no start prompt');
    await page.click('body');
    await waitFor(page, 'kelvorPage.framesPresented > 10', 'frames');
    const first = await canvasPicture(page);
    await sleep(500);
    assert.notDeepEqual(first, await canvasPicture(page), 'the picture does not move');

    // The music worklet: a running context and a player whose position moves.
    assert.equal(await pageValue(page, 'kelvorPage.audioContext.state'), 'running');
    assert.ok(await pageValue(page, 'kelvorPage.music.loaded'), 'the module did not load');
    const before = await pageValue(page, '[kelvorPage.music.rendered, kelvorPage.music.seconds]');
    await sleep(1000);
    const after = await pageValue(page, '[kelvorPage.music.rendered, kelvorPage.music.seconds]');
    const rate = await pageValue(page, 'kelvorPage.audioContext.sampleRate');
    assert.ok(after[0] - before[0] > 0.7 * rate, `${after[0] - before[0]} samples of music in a second`);
    assert.ok(after[1] > before[1], 'the player reports no progress');
    console.log(`music: AudioContext running at ${rate} Hz, ${after[0] - before[0]} samples in a second`);

    await page.keyboard.press('p');
    await sleep(300);
    const frames = await pageValue(page, 'kelvorPage.framesPresented');
    const frozen = await canvasPicture(page);
    await sleep(1000);
    assert.deepEqual(frozen, await canvasPicture(page), 'P did not freeze the picture');
    assert.equal(await pageValue(page, 'kelvorPage.framesPresented'), frames);
    await page.keyboard.press('a');
    await waitFor(page, `kelvorPage.framesPresented > ${frames + 10}`, 'the show to resume');
    assert.notDeepEqual(frozen, await canvasPicture(page), 'the picture stays frozen after another key');

    await page.keyboard.press('Escape');
    await waitFor(page, 'kelvorPage.ended', 'the end of the show');
    assert.ok((await page.$eval('#notice', (e) => e.textContent)).includes('The show has ended'));
    const ended = await pageValue(page, '[kelvorPage.framesPresented, kelvorPage.music.rendered]');
    await sleep(1000);
    assert.deepEqual(await pageValue(page, '[kelvorPage.framesPresented, kelvorPage.music.rendered]'), ended,
      'the show or its music goes on after Esc');
    assert.equal(await pageValue(page, 'kelvorPage.audioContext.state'), 'closed');

    await page.click('body');
    await waitFor(page, '!kelvorPage.ended && kelvorPage.framesPresented > 10', 'the show to start again');
    console.log('live: the gesture starts a moving picture, P freezes it, a key resumes, Esc ends, a click restarts');
  } finally {
    await page.close();
    served.close();
  }
}

async function main() {
  const args = process.argv.slice(2);
  const browser = await startFirefox();
  try {
    if (args[0] === '--render-time') {
      const { mean } = await pageChecksums(browser, args[1], args[2]);
      console.log(mean.toFixed(3));
      return;
    }
    const [site, capture, testPictures, showFiles] = args;
    console.log(`browser: ${await browser.version()}`);
    await checkLiveShow(browser, site);
    await checkFrames(browser, site, capture, [testPictures, showFiles]);
  } finally {
    await browser.close();
  }
}

main().then(() => console.log('PASS'), (error) => {
  console.error(`FAIL: ${error.stack || error}`);
  process.exit(1);
});
