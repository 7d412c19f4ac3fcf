#!/usr/bin/env python3
"""Frame rate and CPU use of the zephyx program on large and small Xvfb screens.

For each screen size the program runs full screen on the title for a few seconds; the frame
rate is the game's own counter read from a screenshot, and CPU use is the program's and the X
server's user + system time from /proc over the wall time, in % of one core. The picture is
found by its scaling: integer mode, the factor capped where SDL renders on the CPU.

    scripts/measure_screen_sizes.py PROGRAM [WIDTHxHEIGHT ...] [-- PROGRAM OPTIONS]
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from player import Assets, frame_counter  # noqa: E402
from xsession import Program, XServer  # noqa: E402

ASSETS = os.path.join(os.path.dirname(__file__), "..", "assets")
SECONDS = float(os.environ.get("MEASURE_SECONDS", "8"))
CPU_MAX_FACTOR = 2


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def measure(program, width, height, options):
    assets = Assets(ASSETS)
    with XServer(width, height, 24) as session:
        game = Program([program, *options], session.env)
        try:
            time.sleep(4)  # start-up and settling
            before = (cpu_seconds(game.process.pid), cpu_seconds(session.process.pid))
            start = time.monotonic()
            time.sleep(SECONDS)
            after = (cpu_seconds(game.process.pid), cpu_seconds(session.process.pid))
            wall = time.monotonic() - start
            shot = session.screenshot()
            factor = max(1, min(width // 640, height // 480, CPU_MAX_FACTOR))
            left, top = (width - 640 * factor) // 2, (height - 480 * factor) // 2
            rate, problems = frame_counter(shot.sample(left, top, factor), assets)
        finally:
            game.stop()
    game_cpu = 100 * (after[0] - before[0]) / wall
    server_cpu = 100 * (after[1] - before[1]) / wall
    print(f"{width}x{height}: {rate if rate else '?'} frames a second, "
          f"program {game_cpu:.1f}%, X server {server_cpu:.1f}% of one core"
          + ("" if rate else f" ({'; '.join(problems)})"), flush=True)


def main():
    args = sys.argv[1:]
    options = args[args.index("--") + 1:] if "--" in args else []
    args = args[:args.index("--")] if "--" in args else args
    program, sizes = args[0], args[1:] or ["640x480", "1920x1080", "3840x2160"]
    with open(f"/proc/loadavg") as load:
        print("load average:", load.read().split()[0])
    for size in sizes:
        width, height = (int(n) for n in size.split("x"))
        measure(program, width, height, options)


if __name__ == "__main__":
    main()
