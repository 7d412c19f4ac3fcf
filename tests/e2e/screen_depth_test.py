#!/usr/bin/env python3
"""The Linux program on an 8-bit and a 30-bit X screen, where SDL has no renderer: it must say
in one line on standard error what is wrong and how to fix it, show the same in a message box
(and no game window before it), and end with exit code 0 once the player presses the box's
button, or once a SIGTERM comes while the box waits: then the box goes too, and nothing of the
program stays behind.

    screen_depth_test.py PROGRAM
"""

import os
import re
import signal
import subprocess
import sys
import tempfile

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


def check_depth(program, depth, dismissal):
    with XServer(640, 480, depth) as session, tempfile.TemporaryFile() as output:
        maps = MapCounter(session)
        started = Program([program], session.env, output=output)
        try:
            def box():
                if not started.running():
                    raise Failure(f"the program ended with exit code {started.wait_exit(0)} "
                                  "before any message box showed")
                found = message_boxes(session)
                return found, [] if found else ["no message box named ZEPHYX"]

            x, y, width, height = wait_for(f"the message box on the {depth}-bit screen", box,
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
    log(f"{depth}-bit screen, {dismissal}: exit code {code}, said {lines}")
    if code != 0:
        raise Failure(f"on the {depth}-bit screen the {dismissal} ended the program with exit "
                      f"code {code}")
    if len(lines) != 1 or f"{depth}-bit" not in lines[0] or "24-bit" not in lines[0]:
        raise Failure(f"expected one line naming the {depth}-bit screen and the 24-bit fix")


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "the default preset builds it with SDL2")
    require("xwininfo", "xprop")
    for depth, dismissal in ((8, "button"), (30, "button"), (30, "SIGTERM")):
        check_depth(program, depth, dismissal)


if __name__ == "__main__":
    run_test(main)
