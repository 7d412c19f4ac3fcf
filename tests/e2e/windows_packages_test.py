#!/usr/bin/env python3
"""The Windows zip and installer that cpack made in the windows preset's build folder.

The zip holds both programs, SDL2.dll, the README and the licences of what it ships; each
program carries its icon at every size, its version and its manifest; unzipped into a temporary
folder, the classic program starts under Wine and shows the title.

The installer, run silently (/S) in the same Wine prefix, installs the same files for the user
alone into their own programs folder, with Start-menu entries and an uninstaller registered
under HKCU; the installed modern program shows the title, the same pixels as the Linux
program's (SHOTS/sdl/title.ppm, from the play test). The uninstaller, silent too, leaves nothing
behind: no folder, no shortcut, no registry key.

    windows_packages_test.py ZIP INSTALLER VERSION APP_ID SHOTS
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

from compare_shots_test import Comparison
from picture import FPS_BOX, load_ppm
from player import quit_with, wait_for_title
from wine import WinePrefix
from xsession import Failure, XServer, log, require, require_program, run_test, wait_for

PROGRAMS = ("zephyx.exe", "zephyx-classic.exe")
FILES = {*PROGRAMS, "SDL2.dll", "README.md", "LICENSE.txt", "LICENSE-SDL2.txt"}
LICENCES = {"LICENSE.txt": "MIT License", "LICENSE-SDL2.txt": "This software is provided 'as-is'"}
INSTALLED = "AppData", "Local", "Programs", "ZEPHYX"
START_MENU = "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "ZEPHYX"
SHORTCUTS = {"ZEPHYX.lnk": "zephyx.exe", "ZEPHYX classic.lnk": "zephyx-classic.exe"}
UNINSTALL = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
INSTALL_SECONDS = 120
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
    expected = {"FileVersion": version, "ProductVersion": version,
                "OriginalFilename": os.path.basename(exe)}
    for key, value in expected.items():
        if version_string(info, key) != value:
            raise Failure(f"the version resource's {key} is "
                          f"{version_string(info, key)!r}, not {value}")
    log(f"version resource: {fixed}")


def check_manifest(exe):
    manifest = resource(exe, 24).decode()
    for needed in ("PerMonitorV2", "asInvoker", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"):
        if needed not in manifest:
            raise Failure(f"the manifest lacks {needed}")
    log("manifest: per-monitor DPI aware, supported systems listed")


def check_zip(archive, folder, version):
    """Unzips the archive into `folder` and returns the folder of its files."""
    with zipfile.ZipFile(archive) as zipped:
        zipped.extractall(folder)
    top = os.path.join(folder, os.path.basename(archive)[:-len(".zip")])
    found = set(os.listdir(top)) if os.path.isdir(top) else set()
    if found != FILES:
        raise Failure(f"the zip holds {sorted(found)}, not {sorted(FILES)}")
    for name, words in LICENCES.items():
        with open(os.path.join(top, name), encoding="utf-8") as licence:
            if words not in licence.read():
                raise Failure(f"{name} does not say {words!r}")
    for name in PROGRAMS:
        exe = os.path.join(top, name)
        log(name)
        check_icon(exe, folder)
        check_version(exe, version)
        check_manifest(exe)
    return top


def show_title(session, program, reference):
    """Waits for the title and, given the Linux program's, for the same picture outside the
    counter: the first title may be caught while the window still takes the screen."""
    try:
        wait_for_title(session, program)
        if reference is not None:
            def same():
                wrong = Comparison(("Linux", "Windows"), reference,
                                   session.screenshot()).differing((0, 0, 640, 480),
                                                                   skip=[FPS_BOX])
                return None, [f"{len(wrong)} pixels differ, first at {wrong[0]}"] if wrong else []

            wait_for("the Linux program's title", same, 10)
            log("the title is the Linux program's, pixel for pixel")
        quit_with(program, session, "Escape")
    finally:
        program.stop()


def registry_key(wine, root, key):
    """The values `reg query` lists under a key, or None when it is not there."""
    result = wine.run("reg", "query", f"{root}\\{key}")
    return result.stdout if result.returncode == 0 else None


def leftovers(wine, key):
    """What the installer made that is still there."""
    places = [wine.user_folder(*INSTALLED), wine.user_folder(*START_MENU),
              wine.user_folder("AppData", "Roaming", "zephyx")]
    found = [path for path in places if os.path.lexists(path)]
    return found + [f"HKCU\\{key}"] if registry_key(wine, "HKCU", key) is not None else found


def check_installed(wine, key, version):
    folder = wine.user_folder(*INSTALLED)
    found = set(os.listdir(folder)) if os.path.isdir(folder) else set()
    if found != FILES | {"uninstall.exe"}:
        raise Failure(f"{folder} holds {sorted(found)}, not the zip's files and uninstall.exe")
    menu = wine.user_folder(*START_MENU)
    for shortcut, target in SHORTCUTS.items():
        path = os.path.join(menu, shortcut)
        if not os.path.isfile(path):
            raise Failure(f"no Start-menu shortcut {shortcut}")
        with open(path, "rb") as link:
            data = link.read().lower()
        if target.encode() not in data and target.encode("utf-16-le") not in data:
            raise Failure(f"the shortcut {shortcut} does not start {target}")
    values = registry_key(wine, "HKCU", key)
    if values is None:
        raise Failure(f"no uninstaller registered under HKCU\\{key}")
    for needed in ("DisplayName", "ZEPHYX", version, "uninstall.exe"):
        if needed not in values:
            raise Failure(f"HKCU\\{key} lacks {needed}: {values}")
    if registry_key(wine, "HKLM", key) is not None:
        raise Failure(f"the per-user installer wrote HKLM\\{key}")
    log(f"installed: {len(found)} files, {len(SHORTCUTS)} Start-menu shortcuts, HKCU\\{key}")
    return folder


def install_and_uninstall(session, wine, installer, version, app_id, reference):
    key = UNINSTALL + app_id
    result = wine.run(installer, "/S", seconds=INSTALL_SECONDS)
    if result.returncode != 0:
        raise Failure(f"the silent installer ended with {result.returncode}: {result.stderr}")
    folder = check_installed(wine, key, version)
    show_title(session, wine.start(os.path.join(folder, "zephyx.exe"), folder), reference)
    # The uninstaller runs from a copy of itself in the temporary folder and returns at once.
    result = wine.run(os.path.join(folder, "uninstall.exe"), "/S")
    if result.returncode != 0:
        raise Failure(f"the silent uninstaller ended with {result.returncode}")
    wait_for("the uninstaller to remove everything",
             lambda: (None, [f"{left} is still there" for left in leftovers(wine, key)]), 60)
    log("uninstalled: no folder, no shortcut, no registry key left")


def main():
    archive, installer, version, app_id, shots = sys.argv[1:6]
    for package in (archive, installer):
        require_program(package, "cmake --preset windows && cmake --build --preset windows && "
                        "cpack --preset windows")
    require("wrestool", "icotool")
    title = os.path.join(shots, "sdl", "title.ppm")
    reference = load_ppm(title) if os.path.exists(title) else None
    if reference is None:
        log(f"NOTE: no {title} from the Linux program's play test to compare the title with")
    folder = tempfile.mkdtemp(prefix="zephyx-zip-")
    try:
        top = check_zip(archive, folder, version)
        with XServer(640, 480, 24) as session, WinePrefix(session) as wine:
            show_title(session, wine.start(os.path.join(top, "zephyx-classic.exe"), top), None)
            install_and_uninstall(session, wine, installer, version, app_id, reference)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    run_test(main)
