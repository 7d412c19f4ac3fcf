#!/usr/bin/env python3
"""The Linux program through storms of window and input events on a bare X server: hundreds of
minimises and restores with a key held, thousands of key taps and fifty Alt+Enter in a row.
Afterwards the title must be whole, the window full-screen again, Escape must still end the game
at once, and the resident memory must not have grown.

    storm_test.py PROGRAM
"""

import os
import sys
import time

from player import START_SECONDS, quit_with, title_problems
from xsession import Failure, Program, XServer, log, require_program, run_test, wait_for

ROUNDS = 100  # minimise and restore, focus away and back
TAPS = 2000
TOGGLES = 50  # Alt+Enter, an even number: it ends in full screen again
MOST_GROWTH_KB = 1024


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise Failure("the program's resident size cannot be read")


def storms(session, window, rounds, taps, toggles):
    session.xdotool("keydown", "Right")  # held across every focus loss, never released here
    for _ in range(rounds):
        session.xdotool("windowunmap", window)
        session.xdotool("windowmap", window)
        # Unmapping dropped the focus; with no window manager, nobody else gives it back.
        session.xdotool("windowfocus", window)
    session.xdotool("keyup", "Right")
    session.xdotool("key", "--delay", "0", *(["Left", "Up", "Down", "x"] * (taps // 4)))
    # Apart enough that X does not take a release and the next press for auto-repeat.
    session.xdotool("key", "--delay", "20", *(["alt+Return"] * toggles))


def whole_title(session, seconds=START_SECONDS):
    """However long a busy machine takes to work through the storm's backlog."""
    def probe():
        picture = session.screenshot().sample(0, 0, 2)  # full screen at twice the size
        return picture, title_problems(picture)

    return wait_for("the whole title", probe, seconds)


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "the default preset builds it with SDL2")
    with XServer(1280, 960, 24) as session:
        started = Program([program], session.env)
        try:
            whole_title(session)
            window = session.windows_named("ZEPHYX")[0]
            # Where no switch of the window's size and place crosses the pointer. A crossing
            # makes SDL read the keyboard's state from the server, which is ahead of a program
            # still working through the backlog: Alt would be let go before the Enter that
            # came with it, and that switch would be lost.
            session.xdotool("mousemove", "400", "300")
            storms(session, window, 5, 40, 2)  # everything once, so first uses are behind us
            whole_title(session)
            before = resident_kb(started.process.pid)
            begun = time.monotonic()
            storms(session, window, ROUNDS, TAPS, TOGGLES)
            log(f"storms sent in {time.monotonic() - begun:.1f} s")
            try:
                whole_title(session)
            except Failure as what:
                raise Failure(f"{what}; the window is at {session.geometry_of(window)}")
            after = resident_kb(started.process.pid)
            log(f"resident size {before} kB before the storms, {after} kB after")
            if after - before > MOST_GROWTH_KB:
                raise Failure(f"the resident size grew by {after - before} kB in the storms")
            geometry = session.geometry_of(window)
            if geometry != (0, 0, 1280, 960):
                raise Failure(f"after {TOGGLES} Alt+Enter the window is at {geometry}")
            quit_with(started, session, "Escape")
        finally:
            started.stop()


if __name__ == "__main__":
    run_test(main)
