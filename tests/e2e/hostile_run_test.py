#!/usr/bin/env python3
"""The running Linux program treated as a hostile machine treats it.

    hostile_run_test.py PROGRAM

- SIGINT, SIGTERM and SIGHUP end it with exit code 0, through the window's close (which
  writes the present log); so do two signals at once (a log-out's SIGHUP and SIGTERM).
- Stopped, flooded with 1000 key taps, continued: a SIGTERM, or an Escape behind the flood,
  still ends it (neither may be crowded out of a full message queue).
- Minimised it sleeps until the next event (a handful of wake-ups at most, not one every few
  milliseconds), and a signal still wakes and ends it.
- The X server dies under it: it ends at once with one line saying so, never spins or hangs.
"""

import os
import signal
import sys
import tempfile
import time

from player import QUIT_SECONDS, wait_for_title
from xsession import Failure, Program, XServer, log, require_program, run_test

FLOOD_TAPS = 1000
MINIMISED_SECONDS = 2
MOST_WAKEUPS_MINIMISED = 20  # a 10 ms wait would wake 200 times


def started_on_title(program, session, output=None, env=None):
    started = Program([program], dict(session.env, **(env or {})), output=output)
    try:
        wait_for_title(session, started)
    except BaseException:
        started.stop()
        raise
    return started


def expect_end(started, cause, seconds=QUIT_SECONDS):
    begun = time.monotonic()
    code = started.wait_exit(seconds)
    if code is None:
        raise Failure(f"{cause} did not end the program within {seconds} s")
    log(f"{cause}: exit code {code} after {time.monotonic() - begun:.2f} s")
    return code


def check_signals(program, session):
    # The last two at once, as at a log-out.
    for numbers in ((signal.SIGINT,), (signal.SIGTERM,), (signal.SIGHUP,),
                    (signal.SIGHUP, signal.SIGTERM)):
        what = " and ".join(number.name for number in numbers)
        with tempfile.TemporaryDirectory() as folder:
            # Written when the window closes: an exit straight from a signal leaves none.
            presents = os.path.join(folder, "presents")
            started = started_on_title(program, session, env={"ZEPHYX_PRESENT_LOG": presents})
            try:
                for number in numbers:
                    started.process.send_signal(number)
                code = expect_end(started, what)
            finally:
                started.stop()
            closed = os.path.exists(presents)
        if code != 0 or not closed:
            raise Failure(f"{what} ended the program with exit code {code}, "
                          f"{'after' if closed else 'without'} the window's close")


def flood(session, last_key=None):
    keys = ["a"] * FLOOD_TAPS + ([last_key] if last_key else [])
    session.xdotool("key", "--delay", "0", *keys)


def check_floods(program, session):
    for behind in ("SIGTERM", "Escape"):
        started = started_on_title(program, session)
        try:
            os.kill(started.process.pid, signal.SIGSTOP)
            flood(session, "Escape" if behind == "Escape" else None)
            os.kill(started.process.pid, signal.SIGCONT)
            if behind == "SIGTERM":
                started.process.send_signal(signal.SIGTERM)
            code = expect_end(started, f"{behind} behind {FLOOD_TAPS} key taps")
            if code != 0:
                raise Failure(f"{behind} behind a flood ended the program with exit code {code}")
        finally:
            started.stop()


def wakeups(pid):
    """Context switches so far: each wait for something that comes is one."""
    counts = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            name, _, value = line.partition(":")
            if name.endswith("ctxt_switches"):
                counts[name] = int(value)
    return sum(counts.values())


def check_minimised(program, session):
    started = started_on_title(program, session)
    try:
        window = session.windows_named("ZEPHYX")[0]
        session.xdotool("windowunmap", window)  # minimised, as bare X reports it
        time.sleep(0.5)
        before = wakeups(started.process.pid)
        time.sleep(MINIMISED_SECONDS)
        woken = wakeups(started.process.pid) - before
        log(f"minimised: {woken} wake-ups in {MINIMISED_SECONDS} s")
        if woken > MOST_WAKEUPS_MINIMISED:
            raise Failure(f"minimised, the program woke {woken} times in {MINIMISED_SECONDS} s")
        started.process.send_signal(signal.SIGTERM)
        if expect_end(started, "SIGTERM while minimised") != 0:
            raise Failure("SIGTERM while minimised did not end the program with exit code 0")
    finally:
        started.stop()


def check_display_loss(program):
    with XServer(640, 480, 24) as session, tempfile.TemporaryFile() as output:
        started = started_on_title(program, session, output)
        try:
            session.process.kill()
            session.process.wait()
            expect_end(started, "the X server's death")
        finally:
            started.stop()
        output.seek(0)
        lines = output.read().decode(errors="replace").splitlines()
    log(f"it said {lines}")
    if len(lines) != 1 or "display went away" not in lines[0]:
        raise Failure(f"expected one line saying the display went away, got {lines}")


def main():
    program = os.path.abspath(sys.argv[1])
    require_program(program, "the default preset builds it with SDL2")
    with XServer(640, 480, 24) as session:
        check_signals(program, session)
        check_floods(program, session)
        check_minimised(program, session)
    check_display_loss(program)


if __name__ == "__main__":
    run_test(main)
