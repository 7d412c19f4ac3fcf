#!/usr/bin/env python3
"""Frame rate and CPU use of the zephyx program on large and small Xvfb screens.

For each screen size the program runs full screen on the title for a few seconds; the frame
rate is the game's own counter read from a screenshot, and CPU use is the program's and the X
server's user + system time from /proc over the wall time, in % of one core. The counter is
read wherever the scaling mode put the picture.

    scripts/measure_screen_sizes.py PROGRAM [WIDTHxHEIGHT ...] [-- PROGRAM OPTIONS]
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from picture import Picture  # noqa: E402
from player import Assets, frame_counter  # noqa: E402
from xsession import Program, XServer  # noqa: E402

ASSETS = os.path.join(os.path.dirname(__file__), "..", "assets")
SECONDS = float(os.environ.get("MEASURE_SECONDS", "8"))
CPU_MAX_FACTOR = 2


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def placements(width, height):
    """Where the picture may be on the screen, as (left, top, width, height): integer scaling
    (capped where SDL renders on the CPU, or not), fit and stretch."""
    whole = min(width // 640, height // 480)
    boxes = []
    for factor in sorted({max(1, min(whole, CPU_MAX_FACTOR)), max(1, whole)}):
        boxes.append(((width - 640 * factor) // 2, (height - 480 * factor) // 2,
                      640 * factor, 480 * factor))
    if width * 480 <= height * 640:
        fit_width, fit_height = width, width * 480 // 640
    else:
        fit_width, fit_height = height * 640 // 480, height
    boxes.append(((width - fit_width) // 2, (height - fit_height) // 2, fit_width, fit_height))
    boxes.append((0, 0, width, height))
    return boxes


def picture_at(shot, box):
    """The 640x480 picture shown in `box`, sampled at the middle of each picture pixel."""
    left, top, width, height = box
    rows = []
    for y in range(480):
        sy = top + int((y + 0.5) * height / 480)
        rows.append(b"".join(bytes(shot.at(left + int((x + 0.5) * width / 640), sy))
                             for x in range(640)))
    return Picture(640, 480, b"".join(rows))


def read_counter(shot, width, height, assets):
    """The game's frame counter, wherever the scaling mode put the picture."""
    problems = []
    for box in placements(width, height):
        rate, problems = frame_counter(picture_at(shot, box), assets)
        if rate:
            return rate, []
    return None, problems


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
            rate, problems = read_counter(shot, width, height, assets)
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
