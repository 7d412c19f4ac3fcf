#!/usr/bin/env python3
"""Starts of the Linux program where nothing can draw in its window: on an 8-bit X screen, where
SDL has no renderer, on a 30-bit one with the CPU's drawing, and with --renderer=gpu where no
OpenGL library loads. It must say in one line on standard error what is wrong and how to fix
it, show the same in a message box (and no game window before it), and end with exit code 0
once the player presses the box's button, or once a SIGTERM comes while the box waits: then the
box goes too, and nothing of the program stays behind. On the 30-bit screen the automatic
choice plays through the GPU renderer instead.

    screen_depth_test.py PROGRAM
"""

import os
import re
import signal
import subprocess
import sys
import tempfile

from player import quit_with, wait_for_title
from xsession import (Failure, MapCounter, Program, XServer, log, require, require_program,
                      run_test, wait_for)

BOX_SECONDS = 30
END_SECONDS = 5


def message_boxes(session):
    """(x, y, width, height) of each viewable dialog window called ZEPHYX: SDL's box (which
    xdotool's search does not see), not a game window, nor one on its way in or out."""
    def tool(*argv):
        return subprocess.run(argv, env=session.env, capture_output=True, text=True).stdout
    tree = tool("xwininfo", "-root", "-children")
    boxes = []
    for window in re.findall(r'^\s*(0x[0-9a-f]+) "ZEPHYX"', tree, re.M):
        info = tool("xwininfo", "-id", window)
        kind = tool("xprop", "-id", window, "_NET_WM_WINDOW_TYPE")
        if "IsViewable" in info and "_NET_WM_WINDOW_TYPE_DIALOG" in kind:
            fields = ["upper-left X", "upper-left Y", "Width", "Height"]
            boxes.append(tuple(int(re.search(f + r":\s*(-?\d+)", info)[1]) for f in fields))
    return boxes


def program_left(started):
    """Whether a process of the program's group (its box's, say) outlived it; ends them."""
    try:
        os.killpg(started.process.pid, signal.SIGKILL)
        return True
    except ProcessLookupError:
        return False


def check_failure(program, depth, words, options=(), variables=None, dismissal="button"):
    with XServer(640, 480, depth) as session, tempfile.TemporaryFile() as output:
        maps = MapCounter(session)
        started = Program([program, *options], dict(session.env, **(variables or {})),
                          output=output)
        try:
            def box():
                if not started.running():
                    raise Failure(f"the program ended with exit code {started.wait_exit(0)} "
                                  "before any message box showed")
                found = message_boxes(session)
                return found, [] if found else ["no message box named ZEPHYX"]

            x, y, width, height = wait_for(f"the message box for {words}", box,
                                           BOX_SECONDS)[0]
            if maps.count() != 1:
                raise Failure(f"{maps.count()} windows showed where only the message box should")
            if dismissal == "button":
                # The box's one button sits in the middle of its lower part.
                session.xdotool("mousemove", str(x + width // 2), str(y + height - 25),
                                "click", "1")
            else:
                started.process.send_signal(signal.SIGTERM)
            code = started.wait_exit(END_SECONDS)
            if code is None:
                raise Failure(f"the program still runs {END_SECONDS} s after the {dismissal}")
            if program_left(started):
                raise Failure(f"after the {dismissal} a process of the program stayed")
        finally:
            started.stop()
            maps.close()
        output.seek(0)
        lines = output.read().decode(errors="replace").splitlines()
        # A choice the game could not start with must not be the next start's from a menu.
        if os.path.exists(os.path.join(session.env["XDG_CONFIG_HOME"], "zephyx", "settings")):
            raise Failure(f"the failed start with {options} remembered its choices")
    log(f"{words}, {dismissal}: exit code {code}, said {lines}")
    if code != 0:
        raise Failure(f"for {words} the {dismissal} ended the program with exit code {code}")
    if len(lines) != 1 or not all(w in lines[0] for w in words):
        raise Failure(f"expected one line saying {words}")


def check_plays(program, depth):
    with XServer(640, 480, depth) as session:
        started = Program([program], dict(session.env, ZEPHYX_DEBUG="1"),
                          output=tempfile.TemporaryFile())
        try:
            wait_for_title(session, started)
            quit_with(started, session, "Escape")
        finally:
            started.stop()
        started.said.seek(0)
        said = started.said.read().decode(errors="replace").splitlines()[0]
        log(f"{depth}-bit screen: {said}")
        if "renderer" not in said:
            raise Failure(f"on the {depth}-bit screen the program said {said!r}")


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "the default preset builds it with SDL2")
    require("xwininfo", "xprop")
    check_failure(program, 8, ("8-bit", "24-bit"))
    for dismissal in ("button", "SIGTERM"):
        check_failure(program, 30, ("30-bit", "24-bit"), ["--renderer=software"],
                      dismissal=dismissal)
    check_plays(program, 30)
    check_failure(program, 24, ("gpu renderer cannot draw", "--renderer=auto"), ["--renderer=gpu"],
                  {"SDL_OPENGL_LIBRARY": "/nonexistent/libGL.so.1",
                   "SDL_VIDEO_GL_DRIVER": "/nonexistent/libGLESv2.so.2",
                   "SDL_VIDEO_EGL_DRIVER": "/nonexistent/libEGL.so.1"})


if __name__ == "__main__":
    run_test(main)
