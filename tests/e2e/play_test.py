#!/usr/bin/env python3
"""Plays a round of the real program on a 640x480 Xvfb screen, driven only by key events.

    play_test.py sdl PROGRAM ASSETS SHOTS             the Linux program
    play_test.py wine PROGRAM.exe ASSETS SHOTS        the classic Windows program under Wine
    play_test.py wine-modern PROGRAM.exe ASSETS SHOTS the modern Windows program under Wine

The title and the first game picture land in SHOTS for the comparison between platforms (in
sdl-PATH for the Linux program on the presentation path ZEPHYX_E2E_PATH names, see xsession).
The modern Windows program also plays on to "Game Over", and its second start opens a window
(--window), switches to full screen with Alt+Enter, saves a screenshot with F9 and ends when its
window is closed.
"""

import glob
import os
import shutil
import sys
import tempfile

from compare_shots_test import Comparison
from picture import FPS_BOX, NAVY, close
from player import START_SECONDS, Assets, play, wait_for_title
from sdl_options_test import read_png
from wine import WinePrefix
from xsession import (Failure, Program, XServer, log, require_program, run_test,
                      test_path, wait_for)


def check_full_screen(session, program):
    windows = session.windows_named("ZEPHYX")
    if not windows:
        raise Failure("no window named ZEPHYX")
    geometry = session.geometry_of(windows[0])
    if geometry != (0, 0, 640, 480):
        raise Failure(f"the window is at {geometry}, not covering the 640x480 screen")
    session.xdotool("mousemove", "320", "240")
    blank = session.cursor_is_blank()
    if blank is None:
        log("NOTE: the cursor cannot be queried here (no XFIXES); its check is left out")
    elif not blank:
        raise Failure("the mouse cursor shows over the window")
    else:
        log("the window covers the screen and the cursor is hidden")


def window_geometry(session):
    windows = session.windows_named("ZEPHYX")
    return session.geometry_of(windows[0]) if windows else None


def windowed_then_full(session, launch, wine):
    """--window, Alt+Enter, F9 and a close, in one start of the modern Windows program."""
    program = launch("--window")
    try:
        # Nine tenths of the screen, too small for the whole picture: it is scaled down.
        def windowed():
            geometry = window_geometry(session)
            if geometry is None or geometry[2] >= 640 or geometry[3] >= 480:
                return geometry, [f"the game is at {geometry}, not in a smaller window"]
            x, y, width, height = geometry
            middle = session.screenshot().at(x + width // 2, y + height // 4)
            return geometry, [] if close(middle, NAVY, 24) else [f"{middle} is not navy"]

        log(f"--window: the title in a window at {wait_for('a window', windowed, START_SECONDS)}")

        session.key("alt+Return")
        wait_for("full screen after Alt+Enter", lambda: (None, [] if window_geometry(
            session) == (0, 0, 640, 480) else [f"the window is at {window_geometry(session)}"]),
                 10)
        before = wait_for_title(session, program)
        log("Alt+Enter: full screen, the whole title")

        pictures = wine.user_folder("Pictures", "zephyx")
        session.key("F9")
        saved = wait_for("a PNG after F9", lambda: (
            glob.glob(os.path.join(pictures, "*.png")),
            [] if glob.glob(os.path.join(pictures, "*.png")) else [f"nothing in {pictures}"]),
                         10)
        # The writer may still be at it: until the file reads as a PNG.
        shot = wait_for("the screenshot written", lambda: _picture_in(saved[0]), 5)
        wrong = Comparison(("screen", "F9"), before, shot).differing((0, 0, 640, 480),
                                                                     skip=[FPS_BOX])
        if wrong:
            raise Failure(f"the screenshot differs from the screen in {len(wrong)} pixels")
        log(f"F9 wrote {os.path.basename(saved[0])}, the picture on the screen")

        # What the close button does: WM_CLOSE to the window.
        wine.run("taskkill", "/im", "zephyx.exe")
        code = program.wait_exit(10)
        if code != 0:
            raise Failure("closing the window did not end the program within 10 s"
                          if code is None else f"closing the window ended it with {code}")
        log("closing the window ended it with exit code 0")
    finally:
        program.stop()


def _picture_in(path):
    try:
        return read_png(path), []
    except Failure as why:
        return None, [str(why)]


def main():
    platform, program, assets, shots = sys.argv[1:5]
    program = os.path.abspath(program)
    require_program(program, "cmake --preset windows && cmake --build --preset windows"
                    if platform.startswith("wine") else "the default preset builds it with SDL2")
    assets = Assets(assets)
    shots = os.path.join(shots, platform + (f"-{test_path()}" if test_path() else ""))
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    with XServer(640, 480, 24) as session:
        if platform == "sdl":
            play(session, lambda: Program([program], session.env), assets, shots,
                 on_title=check_full_screen)
            return
        with WinePrefix(session) as wine, tempfile.TemporaryDirectory() as cwd:
            launch = lambda *options: wine.start(program, cwd, *options)
            if platform == "wine":
                play(session, launch, assets, shots)
            else:
                play(session, launch, assets, shots, on_title=check_full_screen,
                     game_over=True,
                     second_start=lambda session, launch: windowed_then_full(
                         session, launch, wine))


if __name__ == "__main__":
    run_test(main)
