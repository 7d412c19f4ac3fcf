#!/usr/bin/env python3
"""Starts of the Linux program where nothing can draw in its window: on an 8-bit X screen, where
SDL has no renderer, on a 30-bit one with the CPU's drawing, and with --renderer=gpu where no
OpenGL library loads. It must say in one line on standard error what is wrong and how to fix
it, show the same in a message box, and end with exit code 0 once the player presses the box's
button. On the 30-bit screen the automatic choice plays through the GPU renderer instead.

    screen_depth_test.py PROGRAM
"""

import os
import re
import subprocess
import sys
import tempfile

from player import quit_with, wait_for_title
from xsession import Failure, Program, XServer, log, require, require_program, run_test, wait_for

BOX_SECONDS = 30


def top_windows_named(session, name):
    """(x, y, width, height) of each top-level window called `name`, from xwininfo (xdotool's
    search does not see SDL's message box)."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], env=session.env,
                          capture_output=True, text=True, timeout=20).stdout
    pattern = re.compile(r'"' + re.escape(name) + r'": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')
    return [(int(m[3]), int(m[4]), int(m[1]), int(m[2])) for m in pattern.finditer(tree)]


def check_failure(program, depth, words, options=(), variables=None):
    with XServer(640, 480, depth) as session, tempfile.TemporaryFile() as output:
        started = Program([program, *options], dict(session.env, **(variables or {})),
                          output=output)
        try:
            def box():
                if not started.running():
                    raise Failure(f"the program ended with exit code {started.wait_exit(0)} "
                                  "before any message box showed")
                found = [w for w in top_windows_named(session, "ZEPHYX") if w[2:] != (640, 480)]
                return found, [] if found else ["no message box named ZEPHYX"]

            x, y, width, height = wait_for(f"the message box for {words}", box, BOX_SECONDS)[0]
            # The box's one button sits in the middle of its lower part.
            session.xdotool("mousemove", str(x + width // 2), str(y + height - 25),
                            "click", "1")
            code = started.wait_exit(5)
            if code is None:
                raise Failure("the program still runs 5 s after the box's button was pressed")
        finally:
            started.stop()
        output.seek(0)
        lines = output.read().decode(errors="replace").splitlines()
    log(f"{words}: exit code {code}, said {lines}")
    if code != 0:
        raise Failure(f"for {words} the program ended with exit code {code}")
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
    require("xwininfo")
    for depth in (8, 30):
        check_failure(program, depth, (f"{depth}-bit", "24-bit"), ["--renderer=software"])
    check_failure(program, 8, ("8-bit", "24-bit"))
    check_plays(program, 30)
    check_failure(program, 24, ("gpu renderer cannot draw", "--renderer=auto"), ["--renderer=gpu"],
                  {"SDL_OPENGL_LIBRARY": "/nonexistent/libGL.so.1",
                   "SDL_VIDEO_GL_DRIVER": "/nonexistent/libGLESv2.so.2",
                   "SDL_VIDEO_EGL_DRIVER": "/nonexistent/libEGL.so.1"})


if __name__ == "__main__":
    run_test(main)
