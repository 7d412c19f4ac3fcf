#!/usr/bin/env python3
"""CPU use at the title, as medians of many short windows, against the bare presentation.

    python3 scripts/measure_title_cpu.py [--rounds N] [--seconds S] PROGRAM [BASELINE]

At the title nearly every frame shows the picture already on screen, so the program costs a
fraction of a bare presentation (tools/bare_loop: a 640x480 texture refilled and presented 60
times a second through SDL). On a virtual machine a single ten-second figure of either wanders
by a third from one run to the next. So each program runs on its own Xvfb screen with its own
bare presenter beside it, all at the same time (a baseline build too, if one is given), and the
CPU time of every process is read over N windows of S seconds; the figures are the medians of
the windows, and each program's ratio to the presenter on its own screen.

CPU time is /proc/PID/task/*/schedstat (nanoseconds on the processor, all threads). Build the
programs first: `cmake --build --preset default --target zephyx zephyx_bare_loop`.
"""

import argparse
import contextlib
import glob
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import Program, XServer  # noqa: E402

HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PRESENTER = os.path.join(HERE, "build", "default", "tools", "zephyx_bare_loop")
# As measure_cpu.sh: the presenter gets SDL's software renderer, which is what the program's
# own choice amounts to under Xvfb.
PRESENTER_ENVIRONMENT = {"SDL_RENDER_DRIVER": "software", "SDL_FRAMEBUFFER_ACCELERATION": "0"}


def cpu_nanoseconds(pid):
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total


class Screen:
    """The program and a bare presenter on one X screen (an XServer of the end-to-end tests)."""

    def __init__(self, program, session):
        self.program = program
        env = session.env
        self.presenter = self.start([PRESENTER, "present"], dict(env, **PRESENTER_ENVIRONMENT))
        self.game = self.start([program], env)

    @staticmethod
    def start(argv, env):
        said = tempfile.TemporaryFile()  # what it prints, should it end early
        started = Program(argv, env, output=said)
        started.said = said
        return started

    def stop(self):
        self.game.stop()
        self.presenter.stop()


def measure(screens, rounds, seconds):
    """Per screen, a list of (program %, presenter %) of one core, one pair per window."""
    figures = [[] for _ in screens]
    pids = [(s.game.process.pid, s.presenter.process.pid) for s in screens]
    for round_number in range(rounds):
        before = [(cpu_nanoseconds(g), cpu_nanoseconds(p)) for g, p in pids]
        started = time.monotonic()
        time.sleep(seconds)
        wall = (time.monotonic() - started) * 1e9
        after = [(cpu_nanoseconds(g), cpu_nanoseconds(p)) for g, p in pids]
        for screen in screens:
            for started in (screen.game, screen.presenter):
                if not started.running():
                    started.said.seek(0)
                    said = started.said.read().decode(errors="replace").strip()
                    sys.exit(f"measure_title_cpu.py: {started.argv[0]} ended during the "
                             f"measurement (exit code {started.process.returncode}): {said}")
        line = []
        for index, ((g0, p0), (g1, p1)) in enumerate(zip(before, after)):
            game, bare = 100 * (g1 - g0) / wall, 100 * (p1 - p0) / wall
            figures[index].append((game, bare))
            line.append(f"{game:5.2f}% / bare {bare:5.2f}% = {game / bare:4.2f}x")
        print(f"  window {round_number + 1:2}: " + "   ".join(line), flush=True)
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--rounds", type=int, default=12)
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("programs", nargs="+", metavar="PROGRAM")
    args = parser.parse_args()
    for path in args.programs + [PRESENTER]:
        if not os.access(path, os.X_OK):
            sys.exit(f"measure_title_cpu.py: {path} is not built")
    screens = []
    with contextlib.ExitStack() as running:
        for program in args.programs:
            session = running.enter_context(XServer(640, 480))
            screens.append(Screen(os.path.abspath(program), session))
            running.callback(screens[-1].stop)
        time.sleep(3)  # past start-up and into the title
        print(f"{args.rounds} windows of {args.seconds:g} s, all programs at once; "
              "each figure: the program's CPU / its own bare presenter's, in % of one core",
              flush=True)
        figures = measure(screens, args.rounds, args.seconds)
    print("medians:")
    for screen, pairs in zip(screens, figures):
        game = statistics.median(g for g, _ in pairs)
        bare = statistics.median(b for _, b in pairs)
        ratio = statistics.median(g / b for g, b in pairs)
        print(f"  {screen.program}: title {game:.2f}% of one core, bare presentation "
              f"{bare:.2f}%, ratio {ratio:.2f}x (median of the windows' ratios)")


if __name__ == "__main__":
    main()
