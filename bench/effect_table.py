#!/usr/bin/python3
"""The per-effect table: each effect of a frame (landscape, particles, ring,
cards, trail) as the show draws it at the best instruction set of this
processor, beside its straightforward build and beside the memory floor
(clearing a frame's 256 KB; the trail's read-two-write-two traffic), from
one or more builds of kelvor_bench in alternating rounds (median).

    effect_table.py [--rounds N] [--level LEVEL] NAME=KELVOR_BENCH...

e.g. effect_table.py before=/tmp/before/bench/kelvor_bench after=build/release/bench/kelvor_bench
"""
import argparse
import json
import statistics
import subprocess

EFFECTS = [
    # (row, benchmark of the show's effect at LEVEL, its straightforward build, floor)
    ('landscape (altitude 600)', 'BM_TerrainRender/{level}/600', 'BM_TerrainRender/baseline/600', 'clear'),
    ('particles', 'BM_ParticleFieldDraw/{level}', 'BM_ParticleFieldDraw/baseline', 'clear'),
    ('ring (150 sprites)', 'BM_SpriteRingBlits/{level}', 'BM_SpriteRingBlits/baseline', 'clear'),
    ('card, faded full screen', 'BM_CardBlit/faded_full_screen_{level}',
     'BM_CardBlit/faded_full_screen_baseline', 'clear'),
    ('card, full-level zoom', 'BM_CardBlit/full_level_zoom_{level}',
     'BM_CardBlit/full_level_zoom_baseline', 'clear'),
    ('trail', 'BM_TrailBlend/{level}', 'BM_TrailBlend/baseline', 'trail'),
]
FLOORS = {'clear': 'BM_MemoryClear/256000', 'trail': 'BM_MemoryTrailTraffic/256000'}


def run(bench, names):
    pattern = '^(' + '|'.join(n.replace('/', '/') for n in names) + ')$'
    out = subprocess.run([bench, '--benchmark_filter=' + pattern, '--benchmark_format=json',
                          '--benchmark_min_time=0.3'], check=True, capture_output=True,
                         text=True).stdout
    times = {}
    for b in json.loads(out)['benchmarks']:
        scale = {'ns': 1e-3, 'us': 1.0, 'ms': 1e3}[b.get('time_unit', 'ns')]
        times[b['name']] = b['cpu_time'] * scale  # microseconds
    return times


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--rounds', type=int, default=3)
    parser.add_argument('--level', default='avx2', help='portable, sse2, avx2 or neon')
    parser.add_argument('builds', nargs='+', help='NAME=PATH of a kelvor_bench')
    args = parser.parse_args()
    builds = [b.split('=', 1) for b in args.builds]
    names = set(FLOORS.values())
    for _, ours, straightforward, _ in EFFECTS:
        names.update([ours.format(level=args.level), straightforward])
    samples = {name: {n: [] for n in names} for name, _ in builds}
    for _ in range(args.rounds):
        for name, path in builds:
            for bench_name, t in run(path, sorted(names)).items():
                samples[name][bench_name].append(t)
    median = {b: {n: statistics.median(v) for n, v in s.items() if v} for b, s in samples.items()}
    first = builds[0][0]
    print('Per effect, µs of processor time (median of %d alternating rounds), level %s'
          % (args.rounds, args.level))
    header = '%-26s %15s' % ('effect', 'straightforward')
    for name, _ in builds:
        header += ' %12s %8s %8s' % (name, 'x strfw', 'x floor')
    print(header)
    for row, ours, straightforward, floor in EFFECTS:
        ours = ours.format(level=args.level)
        line = '%-26s %15.1f' % (row, median[first].get(straightforward, float('nan')))
        for name, _ in builds:
            t = median[name].get(ours, float('nan'))
            line += ' %12.1f %8.2f %8.1f' % (t, t / median[name].get(straightforward, float('nan')),
                                             t / median[name][FLOORS[floor]])
        print(line)
    for floor, bench_name in FLOORS.items():
        print('%-26s %15s' % ('floor: ' + floor, '')
              + ''.join(' %12.1f %8s %8s' % (median[n][bench_name], '', '') for n, _ in builds))


if __name__ == '__main__':
    main()
