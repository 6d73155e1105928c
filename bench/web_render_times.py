#!/usr/bin/python3
"""Scene::render per frame, mean over frames 1..8100, in headless Chromium
(the page's test entry point) and natively (kelvor-capture's summary),
in alternating rounds on the same machine.

    web_render_times.py --capture KELVOR_CAPTURE --pictures DIR [--rounds N] SITE...
"""
import argparse
import os
import re
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
import browser_test  # noqa: E402  (the tests' browser)
import page_tools  # noqa: E402  (the tests' served site)


def browser_mean(site, pictures):
    served = page_tools.Site(site, replace_from=pictures)
    driver = browser_test.start_browser()
    try:
        driver.get(served.url + 'index.html?test')
        result = driver.execute_async_script(
            'const done = arguments[arguments.length - 1];'
            'kelvorTest.checksums(1, 8100).then((s) => done(kelvorTest.lastRenderMean),'
            ' (e) => done("failed: " + e));')
        if not isinstance(result, (int, float)):
            raise RuntimeError(str(result))
        return float(result)
    finally:
        driver.quit()
        served.close()


def native_mean(capture, pictures):
    run = subprocess.run([capture, '--assets', pictures, '--last', '8100', '--checksums'],
                         check=True, capture_output=True, text=True)
    return float(re.search(r'mean ([0-9.]+) ms', run.stderr).group(1))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--capture', required=True)
    parser.add_argument('--pictures', required=True)
    parser.add_argument('--rounds', type=int, default=3)
    parser.add_argument('sites', nargs='+')
    args = parser.parse_args()
    figures = {name: [] for name in ['native'] + args.sites}
    for round_number in range(args.rounds):
        figures['native'].append(native_mean(args.capture, args.pictures))
        for site in args.sites:
            figures[site].append(browser_mean(site, args.pictures))
        print('round %d: ' % (round_number + 1)
              + ', '.join('%s %.3f' % (k, v[-1]) for k, v in figures.items()), file=sys.stderr)
    print('Scene::render per frame, mean over frames 1..8100, ms (median of %d rounds; min..max)'
          % args.rounds)
    for name, values in figures.items():
        print('  %-40s %.3f  (%.3f..%.3f)' % (name, statistics.median(values), min(values), max(values)))


if __name__ == '__main__':
    main()
