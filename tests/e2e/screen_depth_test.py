#!/usr/bin/env python3
"""The Linux program on an 8-bit and a 30-bit X screen, where SDL has no renderer: it must say
in one line on standard error what is wrong and how to fix it, show the same in a message box,
and end with exit code 0 once the player presses the box's button.

    screen_depth_test.py PROGRAM
"""

import os
import re
import subprocess
import sys
import tempfile

from xsession import Failure, Program, XServer, log, require, require_program, run_test, wait_for

BOX_SECONDS = 30


def top_windows_named(session, name):
    """(x, y, width, height) of each top-level window called `name`, from xwininfo (xdotool's
    search does not see SDL's message box)."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], env=session.env,
                          capture_output=True, text=True, timeout=20).stdout
    pattern = re.compile(r'"' + re.escape(name) + r'": \(.*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')
    return [(int(m[3]), int(m[4]), int(m[1]), int(m[2])) for m in pattern.finditer(tree)]


def check_depth(program, depth):
    with XServer(640, 480, depth) as session, tempfile.TemporaryFile() as output:
        started = Program([program], session.env, output=output)
        try:
            def box():
                if not started.running():
                    raise Failure(f"the program ended with exit code {started.wait_exit(0)} "
                                  "before any message box showed")
                found = [w for w in top_windows_named(session, "ZEPHYX") if w[2:] != (640, 480)]
                return found, [] if found else ["no message box named ZEPHYX"]

            x, y, width, height = wait_for(f"the message box on the {depth}-bit screen", box,
                                           BOX_SECONDS)[0]
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
    log(f"{depth}-bit screen: exit code {code}, said {lines}")
    if code != 0:
        raise Failure(f"on the {depth}-bit screen the program ended with exit code {code}")
    if len(lines) != 1 or f"{depth}-bit" not in lines[0] or "24-bit" not in lines[0]:
        raise Failure(f"expected one line naming the {depth}-bit screen and the 24-bit fix")


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "the default preset builds it with SDL2")
    require("xwininfo")
    for depth in (8, 30):
        check_depth(program, depth)


if __name__ == "__main__":
    run_test(main)
