#!/usr/bin/env python3
"""The Linux program natively on Wayland: a headless sway of 1280x960 with no GPU, so SDL's
OpenGL runs on llvmpipe and the window has no surface of its own.

    wayland_test.py PROGRAM KEYS_TOOL ASSETS SHOTS

The title must show full screen at 2x, Alt+Enter give a 640x480 window (which sway centres)
and full screen again, Space start a game, the compositor closing the window end the program
with status 0, and the compositor's end end it with one line on standard error and status 1, as
the X server's does; --renderer=software is a failed start there. The title and the first game picture land in SHOTS/sdl-wayland, for the
comparison with the window surface's.
"""

import os
import shutil
import subprocess
import sys

from player import (START_SECONDS, Assets, QUIT_SECONDS, game_problems, sharp_problems,
                    title_problems)
from sdl_options_test import output_of, start
from wayland import Sway
from xsession import Failure, log, require_program, run_test, wait_for


FULL = (0, 0, 2)  # where the picture shows, and its whole factor
WINDOWED = (320, 240, 1)


def shows(sway, fullscreen, what, check, seconds=5):
    """Waits for sway to show the window full screen or not, with the picture sharp in its
    place and `check(picture)` finding nothing wrong with it. Returns the picture, unscaled."""
    left, top, step = FULL if fullscreen else WINDOWED

    def probe():
        shown = sway.is_fullscreen("ZEPHYX")
        shot = sway.screenshot()
        picture = shot.sample(left, top, step)
        problems = [] if shown == fullscreen else [f"sway shows full screen: {shown}"]
        problems += check(picture)
        problems += [p for p in sharp_problems(shot, left, top, step) if "block" in p]
        return picture, problems

    picture = wait_for(what, probe, seconds)
    log(what)
    return picture


def ends(game, code, what):
    found = game.wait_exit(QUIT_SECONDS + 3)
    if found is None:
        raise Failure(f"the program still runs after {what}")
    said = output_of(game).strip().splitlines()
    log(f"{what}: exit code {found}, said {said}")
    if found != code:
        raise Failure(f"{what} ended the program with exit code {found}, not {code}")
    return said


def play(sway, assets, shots):
    game = start(sway, sway.program)
    try:
        title = shows(sway, True, "the title, full screen", title_problems,
                      START_SECONDS)
        title.save(os.path.join(shots, "title.ppm"))
        sway.key("alt+Return")
        shows(sway, False, "Alt+Enter: a window", title_problems)
        sway.key("alt+Return")
        shows(sway, True, "Alt+Enter again: full screen", title_problems)
        sway.keys("down:space")
        try:
            picture = shows(sway, True, "a game after holding space",
                            lambda p: game_problems(p, assets))
        finally:
            sway.keys("up:space")
        picture.save(os.path.join(shots, "game.ppm"))
        sway.swaymsg("[title=ZEPHYX]", "kill")
        said = ends(game, 0, "the compositor closing the window")
        if said:
            raise Failure(f"closing the window printed {said}")
    finally:
        game.stop()


def cannot_draw(sway):
    """SDL's software renderer needs a window surface, which Wayland windows lack: a failed
    start, said in one line (SDL's box there needs zenity)."""
    result = subprocess.run([sway.program, "--renderer=software"], env=sway.env,
                            capture_output=True, text=True, timeout=30)
    lines = result.stderr.splitlines()
    log(f"--renderer=software: exit code {result.returncode}, said {lines}")
    if result.returncode != 0 or len(lines) != 1 or "cannot draw" not in lines[0]:
        raise Failure("--renderer=software on Wayland is not one line about a failed start")


def lose_compositor(sway):
    game = start(sway, sway.program)
    try:
        shows(sway, True, "the title", title_problems, START_SECONDS)
        sway.process.stop()  # sway and runuser, at once
        said = ends(game, 1, "the compositor's end")
        if len(said) != 1 or "display went away" not in said[0]:
            raise Failure(f"the compositor's end said {said}, not one line that it went away")
    finally:
        game.stop()


def main():
    program, keys_tool, assets, shots = sys.argv[1:5]
    require_program(program, "the default preset builds it with SDL2")
    shots = os.path.join(shots, "sdl-wayland")
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    with Sway(keys_tool, 1280, 960) as sway:
        sway.program = os.path.abspath(program)
        play(sway, Assets(assets), shots)
    with Sway(keys_tool, 1280, 960) as sway:
        sway.program = os.path.abspath(program)
        cannot_draw(sway)
        lose_compositor(sway)


if __name__ == "__main__":
    run_test(main)
