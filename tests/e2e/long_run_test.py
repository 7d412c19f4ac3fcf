#!/usr/bin/env python3
"""The Linux program left running: left alone at the title, then in games played with fire held
(the ship dies, the title comes back and the held space starts the next game), each for a
while. The resident memory must stay where it was once a first game had ended, and the frame
counter must keep counting.

    long_run_test.py PROGRAM ASSET_DIR [SECONDS_PER_STATE]
"""

import os
import sys

import time

from player import START_SECONDS, Assets, frame_counter, game_problems, quit_with, title_problems
from storm_test import resident_kb
from xsession import Failure, Program, XServer, log, require_program, run_test, wait_for

# A leak of a kilobyte a frame must fail: it grew the program by 400 to 600 kB in 20 s at the
# title (the first of it fills memory the heap already holds), where the program without it
# grows by a page or two. The first uses (fontconfig, the system font, its glyphs) take
# about 1.7 MB, so they are behind us before the measurement starts.
MOST_GROWTH_KB = 128
# Games still meet first uses the title does not (scores with digits not drawn before, more
# game-overs): 336 kB was seen once on a busy machine. A leak in every frame is caught at the
# title, where the same frames run.
MOST_GAME_GROWTH_KB = 512
# Left where it starts, the ship is hit by the enemies' aimed bullets within some 15 s, and the
# title comes back 5 s later. (Steered up, it can outlive a field of drifting enemies.) Which
# enemies come is chance, and a busy machine runs fewer frames a second, so some games last
# much longer.
FIRST_GAME_SECONDS = 240


def counting(session, assets, seconds=5):
    """Waits until the frame counter shows frames being counted."""
    def probe():
        return frame_counter(session.screenshot(), assets)

    return wait_for("a counting frame counter", probe, seconds)


def first_game(session, assets):
    """A game left alone, until the title is back after its game over."""
    session.xdotool("keydown", "space")
    try:
        wait_for("a game after holding space",
                 lambda: (None, game_problems(session.screenshot(), assets)), 5)
    finally:
        session.xdotool("keyup", "space")
    wait_for("the title after the first game",
             lambda: (None, title_problems(session.screenshot())), FIRST_GAME_SECONDS)


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
            first_game(session, assets)
            before = resident_kb(started.process.pid)
            stay(started, seconds)
            at_title = resident_kb(started.process.pid)
            log(f"{counting(session, assets)} frames a second at the title")
            session.xdotool("keydown", "space")
            stay(started, seconds)
            in_games = resident_kb(started.process.pid)
            log(f"{counting(session, assets)} frames a second in games")
            session.xdotool("keyup", "space")
            log(f"resident size {before} kB, after {seconds:.0f} s left alone {at_title} kB, "
                f"after {seconds:.0f} s of games {in_games} kB")
            for state, grown, most in (("left alone", at_title - before, MOST_GROWTH_KB),
                                       ("in games", in_games - at_title, MOST_GAME_GROWTH_KB)):
                if grown > most:
                    raise Failure(f"the resident size grew by {grown} kB {state}")
            quit_with(started, session, "Escape")
        finally:
            started.stop()


if __name__ == "__main__":
    run_test(main)
