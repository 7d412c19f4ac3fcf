#!/usr/bin/env python3
"""The Linux program started the ways a hostile machine starts it.

    hostile_start_test.py PROGRAM

- No display (none named, or one that cannot be reached, also where SDL falls back to a driver
  that draws nowhere): one line on standard error that says what is missing, exit code 0, at
  once; never an invisible game.
- A normal start and quit writes nothing at all (debugger output needs ZEPHYX_DEBUG).
- Standard error closed: the game still runs and Escape still ends it.
- Standard error into a pipe whose reader is gone: no death by SIGPIPE.
"""

import os
import subprocess
import sys
import tempfile

from player import quit_with, wait_for_title
from xsession import Failure, Program, XServer, log, require_program, run_test

NO_DISPLAY_SECONDS = 10


def output_lines(file):
    file.seek(0)
    return [line.strip() for line in file.read().decode(errors="replace").splitlines()]


def check_no_display(program, env, what, expected):
    with tempfile.TemporaryFile() as output:
        started = Program([program], env, output=output)
        try:
            code = started.wait_exit(NO_DISPLAY_SECONDS)
            if code is None:
                raise Failure(f"with {what} the program still runs after {NO_DISPLAY_SECONDS} s")
        finally:
            started.stop()
        lines = output_lines(output)
    log(f"{what}: exit code {code}, said {lines}")
    if code != 0:
        raise Failure(f"with {what} the program ended with exit code {code}, not 0")
    if len(lines) != 1 or expected not in lines[0] or "desktop session" not in lines[0]:
        raise Failure(f"with {what} expected one line naming {expected!r} and what to do")


def check_quiet_start(program, session):
    with tempfile.TemporaryFile() as output:
        started = Program([program], session.env, output=output)
        try:
            wait_for_title(session, started)
            quit_with(started, session, "Escape")
        finally:
            started.stop()
        lines = output_lines(output)
    if lines:
        raise Failure(f"a normal start and quit wrote {lines}")
    log("a normal start and quit wrote nothing")


def check_closed_standard_error(program, session):
    env = dict(session.env, ZEPHYX_DEBUG="1")  # lines that would land in the X connection
    started = Program([program], env, stdout=subprocess.DEVNULL,
                      preexec_fn=lambda: os.close(2))
    try:
        wait_for_title(session, started)
        quit_with(started, session, "Escape")
    finally:
        started.stop()
    log("with standard error closed the game ran and Escape ended it")


def check_broken_pipe(program, session):
    env = dict(session.env, ZEPHYX_DEBUG="1")  # lines to write into the dead pipe
    started = Program([program], env, stdout=subprocess.PIPE)
    started.process.stdout.close()  # the reader is gone before the first line
    try:
        wait_for_title(session, started)
        quit_with(started, session, "Escape")
    finally:
        started.stop()
    log("with standard error into a closed pipe the game ran and Escape ended it")


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "the default preset builds it with SDL2")
    bare = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    check_no_display(program, bare, "no DISPLAY or WAYLAND_DISPLAY", "DISPLAY")
    with tempfile.TemporaryDirectory() as runtime:
        # A display number nobody serves, and no Wayland socket either.
        unreachable = dict(bare, DISPLAY=":987", XDG_RUNTIME_DIR=runtime)
        check_no_display(program, unreachable, "an unreachable display", ":987 cannot be reached")
        # No X and a Wayland socket nobody serves: SDL starts its offscreen driver instead, and
        # the program refuses it (with no reason from SDL, whose start succeeded).
        no_wayland = dict(bare, WAYLAND_DISPLAY="wayland-nowhere", XDG_RUNTIME_DIR=runtime)
        check_no_display(program, no_wayland, "an unreachable Wayland display",
                         "wayland-nowhere cannot be reached)")
    with XServer(640, 480, 24) as session:
        check_quiet_start(program, session)
        check_closed_standard_error(program, session)
        check_broken_pipe(program, session)


if __name__ == "__main__":
    run_test(main)
