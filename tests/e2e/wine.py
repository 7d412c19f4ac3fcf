"""A fresh 64-bit Wine prefix in a temporary folder, for the life of a `with` block.

The prefix is made with `wineboot -i` without the Mono and Gecko prompts, and at the end its
wineserver (with every Windows process it still runs) is killed and the folder removed, with
whatever Wine put in the temporary folder. Wine's home is that folder too, so the user's folders
of the prefix (Pictures, the Start menu) are its own, never links into the real home.
"""

import os
import shutil
import subprocess
import tempfile
import time

from xsession import Program, Skip, log


def find_wine64():
    for candidate in (shutil.which("wine64"), "/usr/lib/wine/wine64"):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise Skip("wine64 is not installed (bash scripts/setup.sh installs wine and wine64); "
               "the 64-bit zephyx.exe needs it")


def find_wineserver(loader):
    for candidate in (shutil.which("wineserver"),
                      os.path.join(os.path.dirname(loader), "wineserver64")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise Skip("wineserver is not installed")


class WinePrefix:
    def __init__(self, session):
        self.session = session

    def __enter__(self):
        self.loader = find_wine64()
        self.server = find_wineserver(self.loader)
        self.folder = tempfile.mkdtemp(prefix="zephyx-wine-")
        # Wine's server makes a folder for its socket in the temporary folder and leaves it
        # behind: inside ours, it goes with the prefix.
        temporary = os.path.join(self.folder, "tmp")
        os.mkdir(temporary)
        self.prefix = os.path.join(self.folder, "prefix")
        self.env = dict(self.session.env, WINEPREFIX=self.prefix, TMPDIR=temporary,
                        HOME=self.folder,
                        WINEARCH="win64", WINELOADER=self.loader, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        started = time.monotonic()
        try:
            boot = subprocess.run([self.loader, "wineboot", "-i"], env=self.env,
                                  capture_output=True, text=True, timeout=180)
        except subprocess.TimeoutExpired:
            self._remove()
            raise Skip("wineboot -i did not finish within 180 s")
        if boot.returncode != 0:
            self._remove()
            raise Skip(f"Wine cannot run here: wineboot -i ended with {boot.returncode}: "
                       + boot.stderr.strip()[-400:])
        # With no window manager on the test screen nobody answers the withdraw request Wine
        # sends when a managed window hides, and it waits two seconds for an answer. Unmanaged
        # windows are simply unmapped; on a desktop with a window manager this changes nothing.
        subprocess.run([self.loader, "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v",
                        "Managed", "/d", "N", "/f"], env=self.env, capture_output=True, timeout=60)
        log(f"Wine prefix made in {time.monotonic() - started:.1f} s")
        return self

    def __exit__(self, *_):
        self._remove()

    def _remove(self):
        subprocess.run([self.server, "-k"], env=self.env, capture_output=True, timeout=30)
        subprocess.run([self.server, "-w"], env=self.env, capture_output=True, timeout=30)
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self, exe, cwd, *options, output=None, debug=None):
        """Starts a Windows program; `debug` sets WINEDEBUG channels for this run."""
        env = dict(self.env, WINEDEBUG=debug) if debug else self.env
        return Program([self.loader, exe, *options], env, cwd=cwd, output=output)

    def run(self, *command, seconds=60):
        """Runs a Windows program (`reg`, `taskkill`, an installer) to its end."""
        return subprocess.run([self.loader, *command], env=self.env, capture_output=True,
                              text=True, timeout=seconds)

    def user_folder(self, *names):
        """The Unix path of a folder in the Windows user's profile (C:\\users\\NAME\\...)."""
        users = os.path.join(self.prefix, "drive_c", "users")
        name = next(n for n in os.listdir(users) if n != "Public")
        return os.path.join(users, name, *names)
