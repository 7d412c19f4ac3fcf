#!/usr/bin/env python3
"""The Linux program on a 1280x960 Xvfb screen with no window manager: full-screen must cover
the screen with the title scaled 2x, Alt+Enter must give a 640x480 window in the middle with
the title at 1x, and Alt+Enter again full-screen at 2x.

    sdl_scaling_test.py PROGRAM
"""

import sys

from player import START_SECONDS, quit_with, sharp_problems
from xsession import Program, XServer, log, require_program, run_test, wait_for


def expect(session, what, geometry, step, seconds=5):
    left, top = geometry[0], geometry[1]

    def probe():
        windows = session.windows_named("ZEPHYX")
        found = session.geometry_of(windows[0]) if windows else None
        if found != geometry:
            return None, [f"the window is at {found}, not {geometry}"]
        shot = session.screenshot()
        problems = sharp_problems(shot, left, top, step)
        return (None if problems else shot.sample(left, top, step)), problems

    wait_for(what, probe, seconds)
    log(f"{what}: window {geometry}, title scaled {step}x")


def main():
    program = sys.argv[1]
    require_program(program, "the default preset builds it with SDL2")
    with XServer(1280, 960, 24) as session:
        started = Program([program], session.env)
        try:
            expect(session, "full-screen", (0, 0, 1280, 960), 2, START_SECONDS)
            session.key("alt+Return")
            expect(session, "windowed after Alt+Enter", (320, 240, 640, 480), 1)
            session.key("alt+Return")
            expect(session, "full-screen after Alt+Enter again", (0, 0, 1280, 960), 2)
            quit_with(started, session, "Escape")
        finally:
            started.stop()


if __name__ == "__main__":
    run_test(main)
