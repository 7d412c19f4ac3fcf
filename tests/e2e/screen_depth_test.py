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


def x_tool(session, *argv):
    result = subprocess.run(argv, env=session.env, capture_output=True, text=True, timeout=20)
    return result.stdout if result.returncode == 0 else ""


def shown_windows_named(session, name):
    """(is a dialog, (x, y, width, height)) of each viewable top-level window called `name`
    (xdotool's search does not see SDL's message box, which is a dialog window)."""
    tree = x_tool(session, "xwininfo", "-root", "-children")
    shown = []
    for window in re.findall(r"^\s*(0x[0-9a-f]+) \"" + re.escape(name) + r"\"", tree, re.M):
        info = x_tool(session, "xwininfo", "-id", window)
        if "IsViewable" not in info:
            continue  # on its way in or out
        kind = x_tool(session, "xprop", "-id", window, "_NET_WM_WINDOW_TYPE")
        fields = ["Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"]
        geometry = tuple(int(re.search(f + r":\s*(-?\d+)", info)[1]) for f in fields)
        shown.append(("_NET_WM_WINDOW_TYPE_DIALOG" in kind, geometry))
    return shown


def message_boxes(session):
    return [geometry for dialog, geometry in shown_windows_named(session, "ZEPHYX") if dialog]


def session_processes(session_id):
    """Processes of the program's session that are still there, the program's box included."""
    found = []
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except (OSError, IndexError):
            continue
        if fields[3] == str(session_id) and fields[0] != "Z":
            found.append(int(entry))
    return found


def end_leftovers(started):
    left = session_processes(started.process.pid)
    for pid in left:
        os.kill(pid, signal.SIGKILL)
    return left


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
            left = end_leftovers(started)
            if left:
                raise Failure(f"after the {dismissal} processes {left} of the program stayed")
            wait_for("the box's end",
                     lambda: ((), ["a box is still on screen"] if message_boxes(session) else []),
                     END_SECONDS)
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
