#!/usr/bin/env python3
"""The Windows zip that cpack made in the windows preset's build folder: it holds both programs,
SDL2.dll, the README and the licence; each program carries its icon at every size, its version
and its manifest; and, unzipped into a temporary folder, the modern program (zephyx.exe, with
the DLL beside it) starts under Wine and shows the title.

    windows_zip_test.py ZIP VERSION
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

from player import quit_with, wait_for_title
from wine import WinePrefix
from xsession import Failure, XServer, log, require, require_program, run_test

# The modern program with the SDL2.dll it needs, and the classic one.
PROGRAMS = ["zephyx.exe", "zephyx-classic.exe"]
FILES = set(PROGRAMS) | {"SDL2.dll", "README.md", "LICENSE.txt"}
ICON_SIZES = [16, 32, 48, 64, 256]
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


def resource(exe, kind):
    """The raw bytes of the first resource of a type (wrestool's --type number)."""
    result = subprocess.run(["wrestool", "-x", "--raw", f"--type={kind}", exe],
                            capture_output=True, timeout=60)
    if result.returncode != 0 or not result.stdout:
        raise Failure(f"{os.path.basename(exe)} has no resource of type {kind}")
    return result.stdout


def check_icon(exe, folder):
    ico = os.path.join(folder, "icon.ico")
    subprocess.run(["wrestool", "-x", "--type=14", "-o", ico, exe], timeout=60)
    listing = subprocess.run(["icotool", "-l", ico], capture_output=True, text=True,
                             timeout=60).stdout if os.path.exists(ico) else ""
    sizes = [int(word.split("=")[1]) for word in listing.split()
             if word.startswith("--width=")]
    if sizes != ICON_SIZES:
        raise Failure(f"{os.path.basename(exe)}'s icon has the sizes {sizes}, not {ICON_SIZES}")
    log(f"icon sizes: {sizes}")


def version_string(info, key):
    """A value of the version resource's string table: after the key in UTF-16 and its
    terminator, padded to four bytes."""
    at = info.find((key + "\0").encode("utf-16-le"))
    if at < 0:
        return None
    at += 2 * (len(key) + 1)
    at += -at % 4
    end = at
    while end + 1 < len(info) and info[end:end + 2] != b"\0\0":
        end += 2
    return info[at:end].decode("utf-16-le")


def check_version(exe, version):
    info = resource(exe, 16)
    at = info.find(struct.pack("<I", FIXED_FILE_INFO_SIGNATURE))
    if at < 0:
        raise Failure("the version resource has no fixed file information")
    most, least = struct.unpack_from("<II", info, at + 8)
    fixed = f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"
    if fixed != version + ".0":
        raise Failure(f"the file version is {fixed}, not {version}.0")
    for key in ("FileVersion", "ProductVersion"):
        if version_string(info, key) != version:
            raise Failure(f"the version resource's {key} is "
                          f"{version_string(info, key)!r}, not {version}")
    log(f"version resource: {fixed}")


def check_manifest(exe):
    manifest = resource(exe, 24).decode()
    for needed in ("PerMonitorV2", "asInvoker", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"):
        if needed not in manifest:
            raise Failure(f"the manifest lacks {needed}")
    log("manifest: per-monitor DPI aware, supported systems listed")


def main():
    archive, version = sys.argv[1:3]
    require_program(archive, "cmake --preset windows && cmake --build --preset windows && "
                    "cpack --preset windows")
    require("wrestool", "icotool")
    folder = tempfile.mkdtemp(prefix="zephyx-zip-")
    try:
        with zipfile.ZipFile(archive) as zipped:
            zipped.extractall(folder)
        top = os.path.join(folder, os.path.basename(archive)[:-len(".zip")])
        found = set(os.listdir(top)) if os.path.isdir(top) else set()
        if found != FILES:
            raise Failure(f"the zip holds {sorted(found)}, not {sorted(FILES)}")
        for program in PROGRAMS:
            exe = os.path.join(top, program)
            check_icon(exe, folder)
            check_version(exe, version)
            check_manifest(exe)
        with XServer(640, 480, 24) as session, WinePrefix(session) as wine:
            # The one a player starts first.
            program = wine.start(os.path.join(top, PROGRAMS[0]), top)
            try:
                wait_for_title(session, program)
                quit_with(program, session, "Escape")
            finally:
                program.stop()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    run_test(main)
