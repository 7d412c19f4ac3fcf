#!/usr/bin/env python3
"""Makes the .deb and the .tar.gz with cpack and checks them: lintian finds no error and no
warning in the .deb, its control fields are a game's, both hold the installed files, and the
program unpacked from the .deb runs from its temporary folder: it prints its version, and on
Xvfb it shows the title in a window whose class is the application ID, with the program's
icon.

    linux_packages_test.py CPACK BUILD_DIR SOURCE_DIR APP_ID VERSION

cpack writes into BUILD_DIR/packages, where `cpack` run by hand puts them too.
"""

import os
import shutil
import subprocess
import sys
import tarfile
import tempfile

from installed_files import debian_files, difference, expected_files, files_under
from player import quit_with, wait_for_title
from xsession import Failure, Program, XServer, log, require, run_test

WINDOW_ICON_SIZE = 64

# Lintian warnings that this build environment causes, not the package, each with the reason it
# passes. None at present. A tag the package itself earns and keeps on purpose belongs in the
# package's lintian overrides, with its reason there.
ENVIRONMENT_TAGS = {}


def run(argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, timeout=300, **kwargs)


def check_lintian(deb):
    require("lintian")
    # Lintian leaves a file of its own in the temporary folder: in ours, it goes with it.
    with tempfile.TemporaryDirectory(prefix="zephyx-lintian-") as scratch:
        result = run(["lintian", "--display-info", "--pedantic", deb],
                     env=dict(os.environ, TMPDIR=scratch))
    tags = [line for line in result.stdout.splitlines() if line[1:3] == ": "]
    for tag in tags:
        log("lintian " + tag)
    # "W: zephyx: tag-name detail [file]"
    faults = [tag for tag in tags
              if tag[0] in "EW" and tag.split()[2] not in ENVIRONMENT_TAGS]
    if faults or result.returncode not in (0, 1):
        raise Failure(f"lintian reports {len(faults)} errors or warnings (exit code "
                      f"{result.returncode}): " + "; ".join(faults))
    log(f"lintian: no error or warning, {len(tags)} other tags")


def check_control(deb):
    fields = {}
    for name in ("Section", "Depends", "Maintainer", "Description"):
        fields[name] = run(["dpkg-deb", "-f", deb, name]).stdout.strip()
    problems = []
    if fields["Section"] != "games":
        problems.append(f"Section is {fields['Section']!r}")
    depends = [d.split()[0] for d in fields["Depends"].split(", ") if d]
    for needed in ("fonts-ipafont-mincho", "libsdl2-2.0-0", "libfreetype6", "libfontconfig1"):
        if needed not in depends:
            problems.append(f"Depends lacks {needed}: {fields['Depends']}")
    if "<" not in fields["Maintainer"] or "@" not in fields["Maintainer"]:
        problems.append(f"Maintainer has no address: {fields['Maintainer']!r}")
    if len(fields["Description"].splitlines()) < 3:
        problems.append("the Description has no long description")
    if problems:
        raise Failure("control fields: " + "; ".join(problems))


def check_archive(archive, app_id):
    with tarfile.open(archive) as tar:
        names = {m.name for m in tar.getmembers() if m.isfile()}
    top = os.path.basename(archive)[:-len(".tar.gz")] + "/"
    found = {n[len(top):] for n in names if n.startswith(top)}
    problems = difference(found, expected_files(app_id))
    if problems or len(found) != len(names):
        raise Failure(f"{os.path.basename(archive)}: " + "; ".join(problems or [
            "files outside " + top]))
    log(f"{os.path.basename(archive)}: the installed files under {top}")


def window_icon(session, window):
    """The window's _NET_WM_ICON as xprop lists it (width, height, then ARGB pixels), or None
    without xprop."""
    if shutil.which("xprop") is None:
        return None
    result = run(["xprop", "-id", window, "-notype", "-f", "_NET_WM_ICON", "32c",
                  "_NET_WM_ICON"], env=session.env)
    values = result.stdout.split("=", 1)[-1].replace(",", " ").split()
    return [int(v) for v in values if v.isdigit()]


def expected_icon(source):
    """The window icon the program embeds, as the ARGB numbers X keeps: 32-bit BMP, rows top
    first, bytes blue, green, red, alpha."""
    with open(os.path.join(source, "packaging/icons/window_icon.bmp"), "rb") as f:
        pixels = f.read()[54:]
    argb = [b | g << 8 | r << 16 | a << 24 for b, g, r, a in zip(*[iter(pixels)] * 4)]
    return [WINDOW_ICON_SIZE, WINDOW_ICON_SIZE] + argb


def check_window(session, app_id, source):
    windows = session.xdotool("search", "--class", f"^{app_id}$")
    if not windows:
        raise Failure(f"no window whose class is {app_id}")
    icon = window_icon(session, windows.split()[0])
    if icon is None:
        log("NOTE: xprop is not installed; the window icon is not checked")
    elif icon != expected_icon(source):
        raise Failure(f"the window's icon is not the program's: {icon[:2]} ...")
    else:
        log(f"window class {app_id}, icon {icon[0]}x{icon[1]} as drawn")


def check_unpacked_program(deb, version, source, app_id):
    with tempfile.TemporaryDirectory(prefix="zephyx-deb-") as root:
        result = run(["dpkg-deb", "-x", deb, root])
        if result.returncode != 0:
            raise Failure("dpkg-deb -x failed: " + result.stderr.strip())
        problems = difference(files_under(root), debian_files(app_id))
        if problems:
            raise Failure("the .deb's files differ: " + "; ".join(problems))
        program = os.path.join(root, "usr/games/zephyx")
        result = run([program, "--version"])
        if result.stdout.strip() != f"zephyx {version}" or result.returncode != 0:
            raise Failure(f"--version printed {result.stdout!r}, exit code {result.returncode}")
        log(f"unpacked program: {result.stdout.strip()}")
        with open(program, "rb") as f:
            if source.encode() in f.read():
                raise Failure(f"the packaged program holds the path {source}")
        with XServer(640, 480, 24) as session:
            started = Program([program], session.env, cwd=root)
            try:
                wait_for_title(session, started)
                check_window(session, app_id, source)
                quit_with(started, session, "Escape")
            finally:
                started.stop()


def make_packages(cpack, build):
    # dpkg-shlibdeps works out the libraries the .deb depends on.
    require("dpkg-deb", "dpkg-shlibdeps")
    result = run([cpack, "--config", os.path.join(build, "CPackConfig.cmake")], cwd=build)
    if result.returncode != 0:
        raise Failure("cpack failed: " + (result.stdout + result.stderr).strip()[-800:])
    return os.path.join(build, "packages")


def main():
    cpack, build, source, app_id, version = sys.argv[1:6]
    source = os.path.realpath(source)
    packages = make_packages(cpack, build)
    deb = os.path.join(packages, f"zephyx_{version}_amd64.deb")
    archive = os.path.join(packages, f"zephyx-{version}-Linux.tar.gz")
    check_control(deb)
    check_archive(archive, app_id)
    check_unpacked_program(deb, version, source, app_id)
    check_lintian(deb)


if __name__ == "__main__":
    run_test(main)
