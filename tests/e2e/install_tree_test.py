#!/usr/bin/env python3
"""Installs the Linux program into a temporary DESTDIR and checks what a desktop gets: the
expected files and nothing else, each one valid by its ecosystem's validator, and a program
that knows its version and carries no path of the machine it was built on.

    install_tree_test.py CMAKE BUILD_DIR SOURCE_DIR APP_ID VERSION
"""

import os
import shutil
import subprocess
import sys
import tempfile

from installed_files import difference, expected_files, files_under
from xsession import Failure, log, require, run_test


def run(argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, timeout=120, **kwargs)


def install(cmake, build, destdir):
    env = dict(os.environ, DESTDIR=destdir)
    result = run([cmake, "--install", build, "--prefix", "/usr", "--strip"], env=env)
    if result.returncode != 0:
        raise Failure("cmake --install failed: " + result.stderr.strip()[-600:])
    return os.path.join(destdir, "usr")


def check_validators(prefix, app_id):
    require("desktop-file-validate", "appstreamcli")
    desktop = os.path.join(prefix, "share/applications", app_id + ".desktop")
    result = run(["desktop-file-validate", desktop])
    if result.returncode != 0 or result.stdout.strip() or result.stderr.strip():
        raise Failure("desktop-file-validate: " + (result.stdout + result.stderr).strip())
    log("desktop-file-validate: no error, no warning")
    # validate-tree also finds the desktop entry and icons the AppStream file refers to.
    result = run(["appstreamcli", "validate-tree", "--no-net", os.path.dirname(prefix)])
    problems = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:")]
    if result.returncode != 0 or problems:
        raise Failure("appstreamcli validate-tree: " + result.stdout.strip())
    log("appstreamcli validate-tree: " + result.stdout.strip().splitlines()[-1])


def check_manual(prefix):
    require("man")
    page = os.path.join(prefix, "share/man/man6/zephyx.6.gz")
    result = run(["man", "--warnings", "-l", page], env=dict(os.environ, MANWIDTH="80"))
    if result.returncode != 0 or result.stderr.strip():
        raise Failure("the manual page does not format cleanly: " + result.stderr.strip())
    for section in ("SYNOPSIS", "OPTIONS", "KEYS", "ENVIRONMENT", "FILES", "EXIT STATUS"):
        if section not in result.stdout:
            raise Failure(f"the manual page has no {section} section")


def check_program(program, version, build_paths):
    result = run([program, "--version"])
    if result.returncode != 0 or result.stdout.strip() != f"zephyx {version}":
        raise Failure(f"{program} --version printed {result.stdout!r} "
                      f"with exit code {result.returncode}")
    log(f"--version: {result.stdout.strip()}")
    with open(program, "rb") as f:
        data = f.read()
    for path in build_paths:
        if path.encode() in data:
            raise Failure(f"the installed program holds the path {path}")


def main():
    cmake, build, source, app_id, version = sys.argv[1:6]
    build, source = os.path.realpath(build), os.path.realpath(source)
    destdir = tempfile.mkdtemp(prefix="zephyx-install-")
    try:
        prefix = install(cmake, build, destdir)
        problems = difference(files_under(prefix), expected_files(app_id))
        if problems:
            raise Failure("the installed files differ: " + "; ".join(problems))
        log(f"{len(expected_files(app_id))} files installed, as expected")
        check_program(os.path.join(prefix, "bin/zephyx"), version, [source, build])
        check_manual(prefix)
        check_validators(prefix, app_id)
    finally:
        shutil.rmtree(destdir, ignore_errors=True)


if __name__ == "__main__":
    run_test(main)
