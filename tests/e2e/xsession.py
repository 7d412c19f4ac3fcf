"""A private X screen (Xvfb) and the player's hands and eyes on it: xdotool and `import`.

Each test gets its own display number from Xvfb itself (-displayfd), so tests can run side by
side. Anything missing on the machine raises Skip, which the test turns into exit code 77.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from picture import parse_ppm

SKIP = 77

# The presentation path a test runs the program on, named by ZEPHYX_E2E_PATH (CMake sets it):
# the variables that choose it, and the words the program's debug line must say. Unset, the
# program chooses for itself (on Xvfb: the window's surface).
PATHS = {
    "surface": ({"ZEPHYX_RENDERER": "surface"}, "through the window's surface"),
    "opengl": ({"ZEPHYX_RENDERER": "gpu", "SDL_RENDER_DRIVER": "opengl"},
               "through the opengl renderer"),
    "opengles2": ({"ZEPHYX_RENDERER": "gpu", "SDL_RENDER_DRIVER": "opengles2"},
                  "through the opengles2 renderer"),
}
PRESENTING = "zephyx: presenting "


def test_path():
    """The path asked of this test, or None for the program's own choice."""
    return os.environ.get("ZEPHYX_E2E_PATH") or None


def on_path(env):
    """`env` with the variables of the test's path, and the debug line that tells it."""
    path = test_path()
    if path is None:
        return env
    if path not in PATHS:
        raise Failure(f"ZEPHYX_E2E_PATH={path} is none of {', '.join(PATHS)}")
    return dict(env, ZEPHYX_DEBUG="1", **PATHS[path][0])


class Skip(Exception):
    """A tool the test needs cannot run here; the message says which and why."""


class Failure(Exception):
    """What the player would have seen go wrong."""


def log(text):
    print(text, flush=True)


def require(*tools):
    for tool in tools:
        if shutil.which(tool) is None:
            raise Skip(f"{tool} is not installed (bash scripts/setup.sh installs it)")


def require_program(path, how):
    if not os.path.exists(path):
        raise Skip(f"{path} is not built ({how})")


def run_test(body):
    """Runs `body()` and maps its outcome to the exit codes CTest understands."""
    try:
        body()
    except Skip as why:
        log(f"SKIPPED: {why}")
        sys.exit(SKIP)
    except Failure as what:
        log(f"FAILED: {what}")
        sys.exit(1)
    log("PASSED")


def read_line(fd, seconds):
    """One line from a pipe, read to its end: Xvfb fails if the pipe closes mid-line."""
    text = b""
    deadline = time.monotonic() + seconds
    while not text.endswith(b"\n"):
        ready, _, _ = select.select([fd], [], [], max(0, deadline - time.monotonic()))
        chunk = os.read(fd, 32) if ready else b""
        if not chunk:
            break
        text += chunk
    return text.decode(errors="replace").strip()


class XServer:
    """Xvfb with one screen of width x height x depth, for the life of a `with` block."""

    def __init__(self, width=640, height=480, depth=24, more_screens=()):
        self.geometry = f"{width}x{height}x{depth}"
        self.more_screens = [f"{w}x{h}x{depth}" for w, h in more_screens]
        self.process = None
        self.env = None

    def __enter__(self):
        require("Xvfb", "xdotool", "import")
        read_end, write_end = os.pipe()
        # A file, not a pipe: nobody reads Xvfb's chatter while it runs.
        self.errors = tempfile.TemporaryFile()
        try:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.geometry]
                + [a for i, g in enumerate(self.more_screens, 1) for a in ("-screen", str(i), g)]
                + ["-nolisten", "tcp", "-noreset"],
                pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=self.errors)
            os.close(write_end)
            number = read_line(read_end, 20)
        finally:
            os.close(read_end)
        if not number.isdigit():
            self.process.kill()
            self.process.wait()
            self.errors.seek(0)
            errors = self.errors.read().decode(errors="replace").strip()
            raise Skip("Xvfb cannot run here: " + errors[-400:])
        self.display = ":" + number
        # Settings the program remembers stay with this screen, not the next test's.
        self.config = tempfile.TemporaryDirectory(prefix="zephyx-config-")
        self.env = on_path(dict(os.environ, DISPLAY=self.display,
                                    XDG_CONFIG_HOME=self.config.name))
        self.env.pop("XAUTHORITY", None)
        log(f"Xvfb {self.geometry} on display {self.display}")
        return self

    def __exit__(self, *_):
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.errors.close()
        if self.env is not None:
            self.config.cleanup()

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                text=True, timeout=20)
        return result.stdout.strip() if result.returncode == 0 else None

    def key(self, name):
        self.xdotool("key", name)

    def hold(self, name, seconds):
        self.xdotool("keydown", name)
        time.sleep(seconds)
        self.xdotool("keyup", name)

    def screenshot(self, screen=0):
        env = dict(self.env, DISPLAY=f"{self.display}.{screen}")
        result = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                env=env, capture_output=True, timeout=30)
        if result.returncode != 0:
            raise Failure("import could not take a screenshot: " + result.stderr.decode())
        return parse_ppm(result.stdout)

    def windows_named(self, name):
        found = self.xdotool("search", "--name", f"^{name}$")
        return found.split() if found else []

    def geometry_of(self, window):
        """(x, y, width, height) of an X window, from xdotool."""
        text = self.xdotool("getwindowgeometry", "--shell", window) or ""
        values = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
        return tuple(int(values.get(k, -1)) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def cursor_is_blank(self):
        """True when the cursor the server shows now has no visible pixel; None when the
        X libraries to ask are missing."""
        try:
            xlib = ctypes.CDLL("libX11.so.6")
            xfixes = ctypes.CDLL("libXfixes.so.3")
        except OSError:
            return None

        class CursorImage(ctypes.Structure):
            _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                        ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                        ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                        ("serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]

        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xlib.XFree.argtypes = [ctypes.c_void_p]
        xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                ctypes.POINTER(ctypes.c_int)]
        xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
        xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        connection = xlib.XOpenDisplay(self.display.encode())
        if not connection:
            return None
        try:
            event, error = ctypes.c_int(), ctypes.c_int()
            if not xfixes.XFixesQueryExtension(connection, event, error):
                return None
            image = xfixes.XFixesGetCursorImage(connection)
            if not image:
                return None
            cursor = image.contents
            blank = all((cursor.pixels[i] >> 24) & 0xFF == 0
                        for i in range(cursor.width * cursor.height))
            xlib.XFree(image)
            return blank
        finally:
            xlib.XCloseDisplay(connection)


class MapCounter:
    """Counts the windows mapped on an X screen from its creation on, also those shown for an
    instant that no screenshot or window list would catch."""

    def __init__(self, session):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.connection = ctypes.c_void_p(self.xlib.XOpenDisplay(session.display.encode()))
        root = ctypes.c_ulong(self.xlib.XDefaultRootWindow(self.connection))
        self.xlib.XSelectInput(self.connection, root, ctypes.c_long(1 << 19))  # substructure
        self.xlib.XSync(self.connection, 0)  # watching before this returns
        self.mapped = 0

    def count(self):
        event = ctypes.create_string_buffer(192)  # an XEvent, its type first
        self.xlib.XSync(self.connection, 0)
        while self.xlib.XPending(self.connection) > 0:
            self.xlib.XNextEvent(self.connection, event)
            self.mapped += ctypes.c_int.from_buffer(event).value == 19  # MapNotify
        return self.mapped

    def close(self):
        self.xlib.XCloseDisplay(self.connection)


class Program:
    """A program started in a session of its own, so nothing it starts outlives the test."""

    def __init__(self, argv, env, cwd=None, output=None, **popen):
        self.argv = argv
        self.path = test_path() if "ZEPHYX_DEBUG" in env else None
        if output is None and self.path:
            output = tempfile.TemporaryFile()  # for the line that tells the path
        self.said = output
        log("starting: " + " ".join(argv))
        options = dict(stdin=subprocess.DEVNULL, stdout=output or subprocess.DEVNULL,
                       stderr=subprocess.STDOUT)
        options.update(popen)
        self.process = subprocess.Popen(argv, env=env, cwd=cwd, start_new_session=True,
                                        **options)

    def path_problems(self):
        """What is wrong with the presentation path the program said it took, when the test
        asked for one."""
        if self.path is None:
            return []
        self.said.seek(0)
        lines = [line for line in self.said.read().decode(errors="replace").splitlines()
                 if line.startswith(PRESENTING)]
        words = PATHS[self.path][1]
        if len(lines) != 1 or words not in lines[0]:
            return [f"asked to present {words}, the program said {lines}"]
        log(lines[0])
        return []

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, seconds):
        """The exit code, or None when the program is still running after `seconds`."""
        try:
            return self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.running():
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait()


def wait_for(what, probe, seconds, interval=0.2):
    """Calls `probe` until it returns a result with no problems (an empty list), at most
    `seconds`; raises Failure with the last problems otherwise. Returns the probe's result."""
    deadline = time.monotonic() + seconds
    while True:
        result, problems = probe()
        if not problems:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"{what} did not happen within {seconds} s: " + "; ".join(problems))
        time.sleep(interval)
