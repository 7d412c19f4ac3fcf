#!/usr/bin/env python3
"""The Windows program without its CHAR bitmap, under Wine, in a folder with no file of that
name: start-up must stop with one message box "DDLoadBitmap Char FAILED" captioned "ZEPHYX",
and the program must end with exit code 0 once the player dismisses it with Return.

    startup_failure_test.py PROGRAM.exe SHOTS

The box's text is read from Wine's message-box trace; a screenshot of it lands in SHOTS.
"""

import os
import sys
import tempfile
import time

from wine import WinePrefix
from xsession import Failure, XServer, log, require_program, run_test, wait_for

TEXT = "DDLoadBitmap Char FAILED"


def main():
    program, shots = sys.argv[1:3]
    program = os.path.abspath(program)
    require_program(program, "cmake --preset windows && cmake --build --preset windows")
    os.makedirs(shots, exist_ok=True)
    with XServer(640, 480, 24) as session, WinePrefix(session) as wine, \
            tempfile.TemporaryDirectory() as cwd, tempfile.TemporaryFile("w+") as trace:
        started = wine.start(program, cwd, output=trace, debug="trace+msgbox")
        try:
            def box():
                if not started.running():
                    raise Failure(f"the program ended with exit code {started.wait_exit(0)} "
                                  "before any message box showed")
                boxes = [w for w in session.windows_named("ZEPHYX")
                         if session.geometry_of(w)[2:] != (640, 480)]
                return boxes, [] if boxes else ["no message box named ZEPHYX"]

            boxes = wait_for("the start-up failure message box", box, 40)
            session.screenshot().save(os.path.join(shots, "startup_failure.ppm"))
            trace.seek(0)
            shown = [line for line in trace if "MSGBOX_OnInit" in line]
            log("message box: " + " ".join(shown).strip())
            if len(shown) != 1 or f'"{TEXT}"' not in shown[0]:
                raise Failure(f"expected one message box saying {TEXT!r}, Wine showed {shown}")
            session.xdotool("windowfocus", "--sync", boxes[0])
            session.key("Return")
            pressed = time.monotonic()
            code = started.wait_exit(5)
            if code is None:
                raise Failure("the program still runs 5 s after the message box was dismissed")
            log(f"exit code {code} {time.monotonic() - pressed:.2f} s after Return")
            if code != 0:
                raise Failure(f"the failed start-up ended with exit code {code}")
        finally:
            started.stop()


if __name__ == "__main__":
    run_test(main)
