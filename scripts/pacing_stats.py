#!/usr/bin/env python3
"""Interval distributions of time-stamp logs, for scripts/measure_pacing.sh.

Each log has one "P <microseconds>" (presented) or "U <microseconds>" (picture unchanged,
present left out) line per frame, on the monotonic clock; anything after that on a line (the
program's hash of its picture) is not used here. The reference log (the bare sleeper
run beside the program) sets the time window: only frames of the other logs inside it count.

    pacing_stats.py LABEL REFERENCE_LOG [NAME=LOG ...]

prints, for the reference and each log, the frame intervals' median, 99th percentile and
worst (ms), and the shares within 1 ms and 2 ms of 1/60 s; then each log's share within 1 ms
as a ratio to the reference's and its 99th percentile's excess over the reference's.
"""
import sys

PERIOD_US = 1e6 / 60


def read(path, start=None, end=None):
    frames = []
    with open(path) as log:
        for line in log:
            kind, stamp = line.split()[:2]
            stamp = int(stamp)
            if (start is None or stamp >= start) and (end is None or stamp <= end):
                frames.append((kind, stamp))
    return frames


def percentile(sorted_values, share):
    index = min(len(sorted_values) - 1, int(share * len(sorted_values)))
    return sorted_values[index]


def describe(frames):
    stamps = [stamp for _, stamp in frames]
    intervals = sorted(b - a for a, b in zip(stamps, stamps[1:]))
    if not intervals:
        return None
    within = lambda ms: sum(abs(i - PERIOD_US) <= ms * 1000 for i in intervals) / len(intervals)
    return {
        "frames": len(frames),
        "presented": sum(kind == "P" for kind, _ in frames),
        "median": percentile(intervals, 0.5) / 1000,
        "p99": percentile(intervals, 0.99) / 1000,
        "worst": intervals[-1] / 1000,
        "within1": within(1),
        "within2": within(2),
    }


def row(name, d):
    return (f"  {name:<22} {d['frames']:6d} {d['presented']:6d} {d['median']:7.2f} "
            f"{d['p99']:7.2f} {d['worst']:7.2f} {100 * d['within1']:7.1f}% {100 * d['within2']:7.1f}%")


def main():
    label, reference_path, others = sys.argv[1], sys.argv[2], sys.argv[3:]
    reference_frames = read(reference_path)
    start, end = reference_frames[0][1], reference_frames[-1][1]
    reference = describe(reference_frames)
    print(f"{label} ({(end - start) / 1e6:.1f} s)")
    print(f"  {'':<22} {'frames':>6} {'shown':>6} {'median':>7} {'p99':>7} {'worst':>7} "
          f"{'<=1 ms':>8} {'<=2 ms':>8}")
    print(row("bare sleeper", reference))
    for other in others:
        name, path = other.split("=", 1)
        d = describe(read(path, start, end))
        if d is None:
            print(f"  {name:<22} no frames in the window")
            continue
        print(row(name, d) + f"   within 1 ms: {d['within1'] / reference['within1']:.2f}x the "
              f"sleeper's, p99 {d['p99'] - reference['p99']:+.2f} ms")


if __name__ == "__main__":
    main()
