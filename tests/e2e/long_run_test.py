#!/usr/bin/env python3
"""The Linux program left running: left alone (at the title, or a game running out), then in games played with fire held (the ship
dies, the title comes back and the held space starts the next game), each for a while. The
resident memory must stay where it was once everything had been used once, and the frame
counter must keep counting.

    long_run_test.py PROGRAM ASSET_DIR [SECONDS_PER_STATE]
"""

import os
import sys

import time

from player import START_SECONDS, Assets, frame_counter, quit_with, title_problems
from storm_test import resident_kb
from xsession import Failure, Program, XServer, log, require_program, run_test, wait_for

# Far below what a frame's leak would add up to over a run (a kilobyte a frame is 1.2 MB in
# 20 s), and above the pages a first game over may still touch (the system font's glyphs).
MOST_GROWTH_KB = 2048


def counting(session, assets, seconds=5):
    """Waits until the frame counter shows frames being counted."""
    def probe():
        return frame_counter(session.screenshot(), assets)

    return wait_for("a counting frame counter", probe, seconds)


def stay(program, seconds):
    """Lets the program run; it must not end on its own."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not program.running():
            raise Failure(f"the program ended by itself with {program.process.returncode}")
        time.sleep(0.5)


def main():
    program = os.path.abspath(sys.argv[1])
    assets = Assets(sys.argv[2])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 20
    require_program(program, "the default preset builds it with SDL2")
    with XServer(640, 480, 24) as session:
        started = Program([program], session.env)
        try:
            wait_for("the title", lambda: (None, title_problems(session.screenshot())),
                     START_SECONDS)
            # A game first, steered up into the enemies' way so that it most likely ends and
            # the first uses (the system font among them) are behind us. Whether it has ended
            # is left to chance: the next phase leaves the program alone either way.
            session.xdotool("keydown", "space", "Up")
            stay(started, 15)
            session.xdotool("keyup", "space", "Up")
            before = resident_kb(started.process.pid)
            stay(started, seconds)
            at_title = resident_kb(started.process.pid)
            counting(session, assets)
            session.xdotool("keydown", "space")
            stay(started, seconds)
            in_games = resident_kb(started.process.pid)
            counting(session, assets)
            session.xdotool("keyup", "space")
            log(f"resident size {before} kB, after {seconds:.0f} s left alone {at_title} kB, "
                f"after {seconds:.0f} s of games {in_games} kB")
            for state, size in (("left alone", at_title), ("in games", in_games)):
                if size - before > MOST_GROWTH_KB:
                    raise Failure(f"the resident size grew by {size - before} kB {state}")
            quit_with(started, session, "Escape")
        finally:
            started.stop()


if __name__ == "__main__":
    run_test(main)
