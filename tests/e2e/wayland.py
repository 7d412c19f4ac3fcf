"""A private headless Wayland compositor (sway, drawing with pixman, no GPU and no input
devices) and the player's hands and eyes on it: zephyx_wayland_keys and grim.

sway will not run as root: as root (CI) it runs as the unprivileged user ZEPHYX_WAYLAND_USER,
which `bash scripts/setup.sh` makes, and the program, as root, connects to its socket by path.
"""

import json
import os
import pwd
import shutil
import subprocess
import tempfile

from picture import parse_ppm
from xsession import Failure, Program, Skip, log, on_path, require, wait_for

WAYLAND_USER = "zephyx-wayland"


def compositor_user():
    """The user sway runs as, or None for the test's own."""
    if os.geteuid() != 0:
        return None
    try:
        return pwd.getpwnam(WAYLAND_USER)
    except KeyError:
        raise Skip(f"sway refuses root and there is no user {WAYLAND_USER} "
                   "(bash scripts/setup.sh makes it)")


class Sway:
    """sway with one headless output of width x height, for the life of a `with` block."""

    def __init__(self, keys_tool, width=640, height=480):
        self.keys_tool = keys_tool
        self.mode = f"{width}x{height}"

    def __enter__(self):
        require("sway", "swaymsg", "grim")
        if not os.path.exists(self.keys_tool):
            raise Skip(f"{self.keys_tool} is not built (it needs libwayland-dev and "
                       "libxkbcommon-dev)")
        user = compositor_user()
        self.folder = tempfile.mkdtemp(prefix="zephyx-sway-")
        self.runtime = os.path.join(self.folder, "run")
        os.mkdir(self.runtime, 0o700)
        config = os.path.join(self.folder, "config")
        with open(config, "w") as file:
            file.write(f"output HEADLESS-1 mode {self.mode}\ndefault_border none\n"
                       "focus_on_window_activation focus\n")
        os.chmod(self.folder, 0o755)
        os.chmod(config, 0o644)
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "XDG_RUNTIME_DIR": self.runtime,
               "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman",
               "WLR_LIBINPUT_NO_DEVICES": "1", "HOME": self.folder}
        command = ["sway", "-c", config]
        if user is not None:
            os.chown(self.runtime, user.pw_uid, user.pw_gid)
            command = ["runuser", "-u", user.pw_name, "--"] + command
        self.log = tempfile.TemporaryFile()
        self.process = Program(command, env, cwd=self.folder, output=self.log)
        socket = os.path.join(self.runtime, "wayland-1")
        wait_for("sway's socket", lambda: (None, [] if os.path.exists(socket) and self.ipc()
                                           else ["no socket yet"]), 20)
        # The program (as root, perhaps) keeps its own runtime folder and finds sway by path.
        self.client_runtime = tempfile.mkdtemp(prefix="zephyx-client-")
        self.env = on_path(dict(os.environ, WAYLAND_DISPLAY=socket,
                                XDG_RUNTIME_DIR=self.client_runtime,
                                XDG_CONFIG_HOME=os.path.join(self.client_runtime, "config"), SDL_VIDEODRIVER="wayland",
                                SWAYSOCK=self.ipc()))
        self.env.pop("DISPLAY", None)
        # One keyboard for the whole session: sway takes the focus away with the last one.
        self.keyboard = subprocess.Popen([self.keys_tool], env=self.env, stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                         text=True, bufsize=1)
        log(f"sway {self.mode} on {socket}")
        return self

    def ipc(self):
        found = [n for n in os.listdir(self.runtime) if n.startswith("sway-ipc.")]
        return os.path.join(self.runtime, found[0]) if found else None

    def __exit__(self, *_):
        self.keyboard.stdin.close()
        try:
            self.keyboard.wait(10)
        except subprocess.TimeoutExpired:
            self.keyboard.kill()
            self.keyboard.wait()
        self.process.process.terminate()
        if self.process.wait_exit(10) is None:
            self.process.stop()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.rmtree(self.client_runtime, ignore_errors=True)

    def said(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def swaymsg(self, *args):
        result = subprocess.run(["swaymsg", *args], env=self.env, capture_output=True,
                                text=True, timeout=20)
        if result.returncode != 0:
            raise Failure(f"swaymsg {' '.join(args)}: {result.stdout}{result.stderr}")
        return result.stdout

    def keys(self, *steps):
        """Sends the steps (see tools/wayland_keys) and waits until sway has them."""
        for step in steps:
            self.keyboard.stdin.write(step + "\n")
            answer = self.keyboard.stdout.readline().strip()
            if answer != "ok":
                raise Failure(f"{self.keys_tool} could not do {step}: {answer!r}")

    def key(self, name):
        """A key press, named as for xdotool (alt+Return)."""
        self.keys("key:" + "+".join("Alt_L" if k == "alt" else k for k in name.split("+")))

    def screenshot(self):
        result = subprocess.run(["grim", "-t", "ppm", "-"], env=self.env, capture_output=True,
                                timeout=30)
        if result.returncode != 0:
            raise Failure("grim could not take a screenshot: " + result.stderr.decode())
        return parse_ppm(result.stdout)

    def windows_named(self, name):
        """The views called `name` in sway's tree, each a dict of sway's."""
        found, nodes = [], [json.loads(self.swaymsg("-t", "get_tree", "-r"))]
        while nodes:
            node = nodes.pop()
            if node.get("name") == name and node.get("type") == "con":
                found.append(node)
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return found

    def is_fullscreen(self, name):
        windows = self.windows_named(name)
        return bool(windows) and windows[0].get("fullscreen_mode", 0) != 0
