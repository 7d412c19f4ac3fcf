#!/usr/bin/env python3
"""The Windows program under Wine ended from outside, as a desktop session ends it: SIGTERM to
the program, and `wineserver -k` for the whole prefix. Either must end it without a hang.

    wine_signals_test.py PROGRAM.exe
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

from player import wait_for_title
from wine import WinePrefix
from xsession import Failure, XServer, log, require_program, run_test

END_SECONDS = 10


def expect_end(started, cause):
    begun = time.monotonic()
    code = started.wait_exit(END_SECONDS)
    if code is None:
        raise Failure(f"{cause} did not end the program within {END_SECONDS} s")
    log(f"{cause}: ended with {code} after {time.monotonic() - begun:.2f} s")


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "cmake --preset windows && cmake --build --preset windows")
    with XServer(640, 480, 24) as session, WinePrefix(session) as wine, \
            tempfile.TemporaryDirectory() as cwd:
        started = wine.start(program, cwd)
        try:
            wait_for_title(session, started)
            started.process.send_signal(signal.SIGTERM)
            expect_end(started, "SIGTERM")
        finally:
            started.stop()
        started = wine.start(program, cwd)
        try:
            wait_for_title(session, started)
            subprocess.run([wine.server, "-k"], env=wine.env, capture_output=True, timeout=30)
            expect_end(started, "wineserver -k")
        finally:
            started.stop()


if __name__ == "__main__":
    run_test(main)
