#!/usr/bin/env python3
"""The mutation tool on a tiny project: its score line, its survivors, its equivalent list, and
that neither a whole run nor an interrupted one leaves anything changed or behind.

    mutate_tool_test.py MUTATE_PY FIXTURE_DIR
"""

import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SCORE_LINE = re.compile(r"^mutation score: (\d+) killed of (\d+) \((\d+\.\d)%\)$")


def tree_digest(root):
    digest = hashlib.sha256()
    for folder, dirs, names in sorted(os.walk(root)):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(folder, name)
            digest.update(os.path.relpath(path, root).encode())
            with open(path, "rb") as f:
                digest.update(f.read())
    return digest.hexdigest()


def fail(message, output=""):
    print("FAILED:", message)
    if output:
        print("---- the tool's output ----\n" + output)
    sys.exit(1)


def tool_command(mutate_py, tree):
    return [sys.executable, mutate_py, "--tree", tree, "--files", "lib",
            "--equivalent", os.path.join(tree, "mutation-equivalent.txt")]


def check_whole_run(mutate_py, tree, scratch):
    before = tree_digest(tree)
    run = subprocess.run(tool_command(mutate_py, tree), capture_output=True, text=True,
                         env=dict(os.environ, TMPDIR=scratch), timeout=600)
    output = run.stdout + run.stderr
    if run.returncode != 0:
        fail(f"the tool exited with {run.returncode}", output)
    last = run.stdout.rstrip("\n").split("\n")[-1]
    match = SCORE_LINE.match(last)
    if not match:
        fail(f"the last line is not the score line: {last!r}", output)
    # Seventeen mutants: four listed as equivalent are not scored, `return true` in InRange
    # survives, and the slow test (which always fails) is never run, or nothing could survive.
    if last != "mutation score: 12 killed of 13 (92.3%)":
        fail(f"expected 12 killed of 13, got {last!r}", output)
    # Of two identical lines, the entry with `occurrence: 1` leaves out the first one's change
    # alone: the same change of the second line is run and killed.
    twin = re.search(r"  equivalent  lib/ranges\.cpp:(\d+) arithmetic: not so", output)
    if not twin or not re.search(
            rf"killed +lib/ranges\.cpp:{int(twin.group(1)) + 1} arithmetic \[\w+\] by ranges_test",
            output):
        fail("the twin line's mutant was left out with the first one's entry", output)
    # The negated wait hangs: the limit of the test it hangs in, a few seconds for a test that
    # takes none, must catch it and name the test.
    if not re.search(r"killed +lib/ranges\.cpp:\d+ negate \[\w+\] by timeout in ranges_test",
                     output):
        fail("the mutant that hangs is not killed as a hang in ranges_test", output)

    if "SURVIVED  lib/ranges.cpp:19 return-success" not in output or \
            "+    return true;" not in output:
        fail("the survivor is not reported with its diff", output)
    if output.count("  equivalent  lib/ranges.cpp") != 4:
        fail("the four equivalent mutants are not listed with their reasons", output)
    if tree_digest(tree) != before:
        fail("the run changed the source tree", output)
    if os.listdir(scratch):
        fail(f"the run left {os.listdir(scratch)} behind", output)


def check_interrupted_run(mutate_py, tree, scratch):
    before = tree_digest(tree)
    process = subprocess.Popen(tool_command(mutate_py, tree), stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, text=True,
                               env=dict(os.environ, TMPDIR=scratch))
    seen = []
    # Interrupt while the mutants are being run, after the first result.
    for line in process.stdout:
        seen.append(line)
        if line.startswith("[1/"):
            process.send_signal(signal.SIGINT)
            break
    seen += process.stdout.readlines()
    code = process.wait(timeout=120)
    output = "".join(seen)
    if code != 130:
        fail(f"an interrupted run exited with {code}, not 130", output)
    if tree_digest(tree) != before:
        fail("the interrupted run changed the source tree", output)
    if os.listdir(scratch):
        fail(f"the interrupted run left {os.listdir(scratch)} behind", output)


def main():
    mutate_py, fixture = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="mutate-tool-test-")
    try:
        tree = os.path.join(work, "tree")
        shutil.copytree(fixture, tree)
        for name in ("whole", "interrupted"):
            os.mkdir(os.path.join(work, name))
        started = time.monotonic()
        check_whole_run(mutate_py, tree, os.path.join(work, "whole"))
        check_interrupted_run(mutate_py, tree, os.path.join(work, "interrupted"))
        print(f"ok ({time.monotonic() - started:.0f} s)")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
