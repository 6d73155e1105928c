#!/usr/bin/python3
"""The capture's figures against another build's, in alternating rounds on
the same machine: Scene::render per frame (the mean over frames 1..8100 from
kelvor-capture's summary) and the capture of frames 1..8100 with checksums as
a whole process (wall-clock seconds from start to exit). Prints the medians
and our share of the other's.

    capture_figures.py --pictures DIR [--rounds N] [--simd LEVEL] OURS OTHER

OURS and OTHER are kelvor-capture programs (another build, or the reference
renderer's capture when it takes the same options); a program whose summary
is missing counts for the whole process only.
"""
import argparse
import re
import statistics
import subprocess
import time


def one_capture(program, pictures, simd):
    command = [program, '--assets', pictures, '--last', '8100', '--checksums']
    if simd:
        command += ['--simd', simd]
    started = time.monotonic()
    run = subprocess.run(command, check=True, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    whole = time.monotonic() - started
    found = re.search(r'mean ([0-9.]+) ms', run.stderr)
    return (float(found.group(1)) if found else None), whole


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--pictures', required=True)
    parser.add_argument('--rounds', type=int, default=3)
    parser.add_argument('--simd', default='', help='level for OURS (default: the best)')
    parser.add_argument('ours')
    parser.add_argument('other')
    args = parser.parse_args()
    render = {'ours': [], 'other': []}
    whole = {'ours': [], 'other': []}
    for n in range(args.rounds):
        for name, program, simd in (('ours', args.ours, args.simd), ('other', args.other, '')):
            r, w = one_capture(program, args.pictures, simd)
            if r is not None:
                render[name].append(r)
            whole[name].append(w)
        print('round %d: render %s ms, whole %.2f s / %.2f s' % (
            n + 1, ' / '.join('%.3f' % v[-1] for v in render.values() if v),
            whole['ours'][-1], whole['other'][-1]), flush=True)
    print('median of %d alternating rounds:' % args.rounds)
    if render['ours'] and render['other']:
        a, b = statistics.median(render['ours']), statistics.median(render['other'])
        print('  Scene::render per frame: %.3f ms vs %.3f ms = %.3fx' % (a, b, a / b))
    a, b = statistics.median(whole['ours']), statistics.median(whole['other'])
    print('  capture 1..8100, whole process: %.2f s vs %.2f s = %.3fx' % (a, b, a / b))


if __name__ == '__main__':
    main()
