#!/usr/bin/env python3
"""The Linux program's options, screenshots, focus and small screens, played on Xvfb.

    sdl_options_test.py CASE PROGRAM ASSETS

CASE is one of:
  command_line   a bad option exits 2 with the usage and no window; --help and --version exit 0
  window         --window opens a window of the largest whole multiple in 9/10 of the screen;
                 the choice and Alt+Enter's are remembered for the next run
  fit            --scale=fit on 1280x1024 shows the picture at 4:3, centred, edges sharp
  screenshot     F9 writes a PNG whose pixels are the presented picture
  focus          in full screen, another window taking the focus stops the game's frames;
                 giving it back shows a whole picture and running frames
  small_screens  on 320x240 and 640x400 the whole picture shows, scaled down, never cropped
  displays       --display=1 opens the game on the second screen; a display that is not
                 there says so and uses the first
  window_manager under a window manager that switches full screen itself, one Alt+Enter (the
                 keypad's Enter too) still switches, and another window taking the focus
                 minimises the game it made full screen; once the window manager is killed,
                 Alt+Enter switches without it
  presentation   --renderer and --vsync (and SDL_RENDER_VSYNC) choose the path and the wait
                 for the vertical blank, or say that they cannot
"""

import ctypes
import os
import subprocess
import sys
import tempfile
import time

from picture import NAVY, close, parse_ppm
from player import (START_SECONDS, Assets, frame_counter, game_problems, quit_with,
                    sharp_problems, title_problems, wait_for_title)
from xsession import (PRESENTING, Failure, Program, XServer, log, require, require_program,
                      run_test, wait_for)


def bar_problems(shot, picture_box):
    """Every screen pixel outside the picture's box must be black."""
    left, top, right, bottom = picture_box
    for y in range(0, shot.height, 7):
        for x in range(0, shot.width, 7):
            inside = left <= x < right and top <= y < bottom
            if not inside and shot.at(x, y) != (0, 0, 0):
                return [f"({x}, {y}) outside the picture is {shot.at(x, y)}, not black"]
    return []


def read_png(path):
    result = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                            timeout=30)
    if result.returncode != 0:
        raise Failure(f"{path} is not a readable PNG: {result.stderr.decode().strip()}")
    return parse_ppm(result.stdout)


def scaled(picture, width, height):
    """The picture scaled to width x height by ImageMagick, as a reference for a smooth scale."""
    with tempfile.NamedTemporaryFile(suffix=".ppm") as source:
        picture.save(source.name)
        result = subprocess.run(["convert", source.name, "-resize", f"{width}x{height}!",
                                 "-depth", "8", "ppm:-"], capture_output=True, timeout=30)
    return parse_ppm(result.stdout)


def mean_difference(shot, left, top, reference, rows=None):
    """Mean absolute channel difference between `reference` and the screen at (left, top),
    over `rows` (all rows by default)."""
    total, count = 0, 0
    for y in rows or range(reference.height):
        for x in range(0, reference.width, 2):
            a, b = shot.at(left + x, top + y), reference.at(x, y)
            total += sum(abs(p - q) for p, q in zip(a, b))
            count += 3
    return total / count


def start(session, program, *options, folder=None, env=None):
    env = dict(session.env, **(env or {}))
    if folder:
        env["XDG_PICTURES_DIR"] = folder
    output = tempfile.TemporaryFile()
    game = Program([program, *options], env, output=output)
    game.output = output
    return game


def output_of(game):
    game.output.seek(0)
    return game.output.read().decode(errors="replace")


def press_f9(session, game, folder):
    """Presses F9 and returns the path the program printed once the PNG was written, which
    must be a new file in the screenshot folder."""
    shots = os.path.join(folder, "zephyx")
    marker = "zephyx: screenshot saved as "

    def printed():
        return [line[len(marker):] for line in output_of(game).splitlines()
                if line.startswith(marker)]

    before = printed()
    session.key("F9")

    def saved():
        new = printed()[len(before):]
        return new, [] if new else ["no path printed on standard error"]

    path = wait_for("the screenshot after F9", saved, 5)[0]
    if os.path.dirname(path) != shots or not os.path.isfile(path):
        raise Failure(f"the screenshot {path} is not a file in {shots}")
    return path


# The cases

def command_line(program, _):
    with XServer(640, 480) as session:
        result = subprocess.run([program, "--scale=huge"], env=session.env, capture_output=True,
                                text=True, timeout=20)
        lines = result.stderr.splitlines()
        log(f"--scale=huge: exit {result.returncode}, standard error: {lines[:2]}")
        if result.returncode != 2:
            raise Failure(f"a bad value exits with {result.returncode}, not 2")
        if not lines or "huge" not in lines[0] or not lines[1].startswith("Usage: zephyx"):
            raise Failure(f"standard error is {lines[:2]}, not the error and the usage")
        if result.stdout:
            raise Failure(f"a bad value printed on standard output: {result.stdout!r}")
        if session.windows_named("ZEPHYX"):
            raise Failure("a window opened for a bad command line")
        for option, first in (("--help", "Usage: zephyx"), ("--version", "zephyx ")):
            result = subprocess.run([program, option], env=session.env, capture_output=True,
                                    text=True, timeout=20)
            if result.returncode != 0 or not result.stdout.startswith(first) or result.stderr:
                raise Failure(f"{option}: exit {result.returncode}, out {result.stdout[:40]!r}, "
                              f"error {result.stderr[:80]!r}")
            log(f"{option}: {result.stdout.splitlines()[0]}")


def window(program, _):
    """--window, and the choice of window or full screen remembered from one run to the next:
    the command line's and Alt+Enter's, not the environment's; a damaged settings file is
    ignored with one line."""
    # 9/10 of 1600x1200 is 1440x1080: 2x fits, 3x does not.
    windowed, full = (160, 120, 1280, 960), (0, 0, 1600, 1200)
    with XServer(1600, 1200) as session:
        settings = os.path.join(session.env["XDG_CONFIG_HOME"], "zephyx", "settings")

        def shown_at(expected):
            def probe():
                windows = session.windows_named("ZEPHYX")
                geometry = session.geometry_of(windows[0]) if windows else None
                if geometry != expected:
                    return None, [f"the window is at {geometry}, not {expected}"]
                # Both ways the picture is 2x in the middle of the screen.
                return geometry, sharp_problems(session.screenshot(), 160, 120, 2)
            wait_for(f"the game at {expected} with the title at 2x", probe, START_SECONDS)

        def play(expected, *options, env=None, switch=False):
            game = start(session, program, *options, env=env)
            try:
                shown_at(expected)
                if switch:
                    session.key("alt+Return")
                    shown_at(full if expected == windowed else windowed)
                quit_with(game, session, "Escape")
            finally:
                game.stop()
            return output_of(game).splitlines()

        play(windowed, "--window")
        log("--window: a 1280x960 window in the middle, the title scaled 2x")
        play(windowed, switch=True)
        play(full)
        log("--window was remembered, and so was Alt+Enter's full screen")
        play(windowed, env={"ZEPHYX_WINDOW": "1"})
        play(full)
        log("ZEPHYX_WINDOW=1 opened a window for its run only")
        with open(settings, "wb") as damaged:
            damaged.write(b"\x89PNG\r\n\x1a\n not settings")
        said = play(full)
        if len(said) != 1 or settings not in said[0]:
            raise Failure(f"a damaged settings file said {said}, not one line naming it")
        log(f"a damaged settings file: {said[0]}")


def fit(program, _):
    with XServer(1280, 1024) as session:
        game = start(session, program, "--scale=fit")
        try:
            def probe():
                shot = session.screenshot()
                return shot, (sharp_problems(shot, 0, 32, 2) +
                              bar_problems(shot, (0, 32, 1280, 992)))

            wait_for("the title at 4:3 in the middle, sharp", probe, START_SECONDS)
            log("--scale=fit: 1280x960 at (0, 32), black bars above and below, 2x blocks")
            quit_with(game, session, "Escape")
        finally:
            game.stop()


def screenshot(program, _):
    with XServer(640, 480) as session, tempfile.TemporaryDirectory() as folder:
        game = start(session, program, folder=folder)
        try:
            wait_for_title(session, game)
            before = session.screenshot()
            path = press_f9(session, game, folder)
            after = session.screenshot()
            saved = read_png(path)
            log(f"F9 wrote {path}: {saved.width}x{saved.height}")
            if (saved.width, saved.height) != (640, 480):
                raise Failure(f"the screenshot is {saved.width}x{saved.height}, not 640x480")
            if saved.data not in (before.data, after.data):
                raise Failure("the screenshot's pixels are not the picture on the screen")
            second = press_f9(session, game, folder)
            log(f"F9 again wrote {second}")
            if second == path:
                raise Failure("the second screenshot overwrote the first")
            quit_with(game, session, "Escape")
        finally:
            game.stop()


class OtherWindow:
    """Another program's window, mapped and given the keyboard focus (no window manager
    here, so it is done the way one would)."""

    def __init__(self, display, box):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XDefaultRootWindow", "XCreateSimpleWindow"):
            getattr(self.xlib, name).restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + \
            [ctypes.c_int] * 2 + [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2
        self.xlib.XMapRaised.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xlib.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                             ctypes.c_ulong]
        self.xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.connection = self.xlib.XOpenDisplay(display.encode())
        if not self.connection:
            raise Failure(f"cannot connect to {display} for the other window")
        root = self.xlib.XDefaultRootWindow(self.connection)
        x, y, width, height = box
        self.window = self.xlib.XCreateSimpleWindow(self.connection, root, x, y, width, height,
                                                    0, 0, 0xFFFFFF)
        self.xlib.XMapRaised(self.connection, self.window)
        self.xlib.XSync(self.connection, 0)
        time.sleep(0.2)  # mapped before it can take the focus
        self.xlib.XSetInputFocus(self.connection, self.window, 1, 0)  # RevertToPointerRoot
        self.xlib.XSync(self.connection, 0)

    def close(self):
        self.xlib.XCloseDisplay(self.connection)


def play_field_changes(session, seconds):
    """True when the play field (right of the other window) changes within `seconds`: the
    ship and the enemies animate while frames run."""
    first = session.screenshot().sample(150, 0, 1, 480, 480).data
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        time.sleep(0.3)
        if session.screenshot().sample(150, 0, 1, 480, 480).data != first:
            return True
    return False


def focus(program, assets_folder):
    assets = Assets(assets_folder)
    with XServer(640, 480) as session:
        game = start(session, program)
        try:
            wait_for_title(session, game)
            game_window = session.windows_named("ZEPHYX")[0]
            session.xdotool("windowfocus", "--sync", game_window)
            session.xdotool("keydown", "space")
            try:
                wait_for("a game", lambda: (None, game_problems(session.screenshot(), assets)), 5)
            finally:
                session.xdotool("keyup", "space")
            if not play_field_changes(session, 3):
                raise Failure("the play field does not move during a game")

            other = OtherWindow(session.display, (0, 380, 100, 100))
            try:
                # However long the focus change takes to reach a busy machine's game.
                wait_for("the game's frames stopping after another window took the focus",
                         lambda: (None, ["the play field still moves"]
                                  if play_field_changes(session, 2) else []), 20)
                if not game.running():
                    raise Failure("the game ended when it lost the focus")
                log("another window took the focus: the game's frames stopped")
            finally:
                other.close()
            session.xdotool("windowfocus", "--sync", game_window)

            # The game may have ended meanwhile (the ship was hit): the title is whole too.
            def whole_and_running():
                picture = session.screenshot()
                rate, problems = frame_counter(picture, assets)
                if game_problems(picture, assets) and title_problems(picture):
                    problems.append("neither a whole game picture nor the title shows")
                return rate, problems

            rate = wait_for("a whole picture and running frames after the focus came back",
                            whole_and_running, 10)
            if title_problems(session.screenshot()) and not play_field_changes(session, 3):
                raise Failure("the frames do not run again after the focus came back")
            log(f"focus back: a whole picture, {rate} frames a second")
            quit_with(game, session, "Escape")
        finally:
            game.stop()


def small_screens(program, _):
    for width, height, box in ((320, 240, (0, 0, 320, 240)), (640, 400, (53, 0, 533, 400))):
        left, top, w, h = box
        with XServer(width, height) as session, tempfile.TemporaryDirectory() as folder:
            game = start(session, program, folder=folder)
            try:
                def probe():
                    shot = session.screenshot()
                    problems = bar_problems(shot, (left, top, left + w, top + h))
                    if not close(shot.at(left + w // 2, top + h // 4), NAVY, 24):
                        problems.append("no navy title background in the picture")
                    return shot, problems

                wait_for(f"the title on {width}x{height}", probe, START_SECONDS)
                session.xdotool("keydown", "space")
                time.sleep(1.5)
                session.xdotool("keyup", "space")
                shot = session.screenshot()
                path = press_f9(session, game, folder)
                reference = scaled(read_png(path), w, h)
                whole = mean_difference(shot, left, top, reference)
                bottom = mean_difference(shot, left, top, reference, range(h * 9 // 10, h))
                corner = mean_difference(session.screenshot(), left, top, reference,
                                         range(0, h // 30 + 1))
                log(f"{width}x{height}: picture {w}x{h} at ({left}, {top}); mean difference to "
                    f"the presented picture scaled down: {whole:.1f} overall, {bottom:.1f} in "
                    f"the bottom tenth (the ship), {corner:.1f} in the top rows (the counter)")
                if max(whole, bottom, corner) > 12:
                    raise Failure(f"the screen is not the whole presented picture on "
                                  f"{width}x{height}")
                quit_with(game, session, "Escape")
            finally:
                game.stop()


def displays(program, _):
    with XServer(640, 480, more_screens=[(1280, 1024)]) as session:
        game = start(session, program, "--display=1")
        try:
            def on_second_screen():
                found = session.xdotool("search", "--screen", "1", "--name", "^ZEPHYX$")
                box = session.geometry_of(found.split()[0]) if found else None
                shot = session.screenshot(screen=1)
                problems = [] if box == (0, 0, 1280, 1024) else [f"the window on screen 1 is {box}"]
                if not close(shot.at(640, 200), NAVY, 24):
                    problems.append(f"the second screen shows {shot.at(640, 200)}, not the title")
                return box, problems

            wait_for("the title in full screen on the second screen", on_second_screen,
                     START_SECONDS)
            log("--display=1: full screen on the second screen, 1280x1024")
            quit_with(game, session, "Escape")
        finally:
            game.stop()
        game = start(session, program, "--display=2", "--window")
        try:
            # Shown, not only made: the window stays hidden until it can present.
            wait_for("the game's window shown on the first screen", lambda: (
                None, [] if session.xdotool("search", "--onlyvisible", "--screen", "0", "--name",
                                            "^ZEPHYX$")
                else ["no game window shown on screen 0"]), START_SECONDS)
            quit_with(game, session, "Escape")
            said = output_of(game)
            if "there is no display 2" not in said:
                raise Failure(f"--display=2 with two displays did not say so: {said!r}")
            log("--display=2: " + said.strip().splitlines()[0])
        finally:
            game.stop()


def presentation(program, _):
    """What --renderer and --vsync choose, from the line the program writes with ZEPHYX_DEBUG.
    Xvfb's OpenGL is llvmpipe, so auto draws on the CPU unless vsync, which only a GPU renderer
    can wait for, is asked for."""
    cases = [
        ([], {}, "through the window's surface, no vsync", None),
        (["--vsync=on"], {}, "through the opengl renderer on llvmpipe", "vsync on"),
        (["--renderer=gpu"], {"SDL_RENDER_VSYNC": "1"}, "through the opengl renderer", "vsync on"),
        (["--renderer=gpu", "--vsync=off"], {"SDL_RENDER_VSYNC": "1"}, "renderer", "no vsync"),
        (["--renderer=software", "--vsync=on"], {}, "through the software renderer",
         "--vsync=on has no effect"),
        (["--renderer=surface"], {"ZEPHYX_VSYNC": "on"}, "through the window's surface",
         "--vsync=on has no effect"),
    ]
    with XServer(640, 480) as session:
        for options, variables, path, also in cases:
            session.env.update(variables, ZEPHYX_DEBUG="1")
            game = start(session, program, *options)
            try:
                def said():
                    text = output_of(game)
                    return text, [] if PRESENTING in text else ["no line on the presentation"]

                text = wait_for(f"the path of {options} {variables}", said, START_SECONDS)
                missing = [w for w in (path, also) if w and w not in text]
                if missing:
                    raise Failure(f"{options} {variables}: the program said {text!r}, "
                                  f"not {missing}")
                log(f"{options} {variables}: " + " / ".join(
                    line for line in text.splitlines() if line.startswith("zephyx:")))
                quit_with(game, session, "Escape")
            finally:
                game.stop()
            for name in variables:
                del session.env[name]


class WindowManager:
    """A real window manager on the session, and its own full-screen switches (wmctrl)."""

    def __init__(self, session):
        require("openbox", "wmctrl", "xwininfo")
        self.session = session
        self.process = Program(["openbox", "--sm-disable"], session.env)
        wait_for("the window manager", lambda: (None, [] if self.answers() else
                                                 ["wmctrl finds no window manager"]), 10)

    def answers(self):
        return subprocess.run(["wmctrl", "-m"], env=self.session.env, capture_output=True,
                              timeout=10).returncode == 0

    def switch_fullscreen(self, window, action):
        subprocess.run(["wmctrl", "-i", "-r", hex(int(window)), "-b", f"{action},fullscreen"],
                       env=self.session.env, check=True, timeout=10)

    def activate(self, window):
        subprocess.run(["wmctrl", "-i", "-a", hex(int(window))], env=self.session.env,
                       check=True, timeout=10)

    def stop(self):
        self.process.stop()


def map_state(session, window):
    result = subprocess.run(["xwininfo", "-id", window], env=session.env, capture_output=True,
                            text=True, timeout=10)
    return next((line.split(":", 1)[1].strip() for line in result.stdout.splitlines()
                 if "Map State" in line), "gone")


def window_manager(program, _):
    screen = (0, 0, 1280, 1024)
    with XServer(*screen[2:]) as session:
        manager = WindowManager(session)
        game = start(session, program, "--window")
        try:
            def game_window():
                found = session.windows_named("ZEPHYX")
                return found, [] if found else ["no window named ZEPHYX"]

            window = wait_for("the game's window", game_window, START_SECONDS)[0]

            def becomes(fullscreen, what, seconds=5):
                def probe():
                    box = session.geometry_of(window)
                    full = box == screen
                    windowed = box[2:] == (640, 480)
                    ok = full if fullscreen else windowed
                    return box, [] if ok else [f"the window is at {box}"]
                box = wait_for(what, probe, seconds)
                log(f"{what}: {box}")

            manager.activate(window)
            manager.switch_fullscreen(window, "add")
            becomes(True, "full screen by the window manager")
            session.key("alt+Return")
            becomes(False, "one Alt+Enter after that: a window again")
            session.key("alt+KP_Enter")
            becomes(True, "Alt and the keypad's Enter: full screen")
            manager.switch_fullscreen(window, "remove")
            becomes(False, "a window by the window manager, at the windowed size")
            session.key("alt+Return")
            becomes(True, "one Alt+Enter after that: full screen again")

            # Full screen that the window manager made still minimises on focus loss.
            manager.switch_fullscreen(window, "remove")
            becomes(False, "a window by the window manager")
            manager.switch_fullscreen(window, "add")
            becomes(True, "full screen by the window manager")
            time.sleep(0.5)
            other = OtherWindow(session.display, (0, 0, 100, 100))
            try:
                wait_for("the game minimised when another window took the focus", lambda: (
                    None, [] if map_state(session, window) != "IsViewable"
                    else ["the game's window is still shown"]), 5)
                log("another window took the focus: the game is minimised")
            finally:
                other.close()
            manager.activate(window)
            wait_for("the game shown again", lambda: (
                None, [] if map_state(session, window) == "IsViewable"
                else ["the game's window is not shown"]), 5)
            log("activated again: the game is shown")

            # A window manager that crashes leaves the root naming its check window, which is
            # gone: Alt+Enter then switches as it does without one, and nothing undoes it.
            manager.switch_fullscreen(window, "add")
            becomes(True, "full screen by the window manager")
            time.sleep(0.5)  # the game follows the window manager's state, seen just now
            manager.stop()
            wait_for("the window manager's check window gone", lambda: (
                None, [] if not manager.answers() else ["wmctrl still finds it"]), 5)
            log("the window manager was killed")
            # Nobody manages the focus now: the player gives it to the game, as by a click.
            session.xdotool("windowfocus", "--sync", window)
            for fullscreen, what in ((False, "a window"), (True, "full screen"),
                                     (False, "a window")):
                session.key("alt+Return")
                becomes(fullscreen, f"Alt+Enter without the window manager: {what}")
                time.sleep(2)  # longer than the backend waits for a window manager's answer
                becomes(fullscreen, f"still {what} two seconds later", seconds=0)
            if not game.running():
                raise Failure("the game ended on the way")
            quit_with(game, session, "Escape")
        finally:
            game.stop()
            manager.stop()


CASES = {f.__name__: f for f in (command_line, window, fit, screenshot, focus, small_screens,
                                  displays, window_manager, presentation)}


def main():
    case, program, assets = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
    require_program(program, "the default preset builds it with SDL2")
    CASES[case](program, assets)


if __name__ == "__main__":
    run_test(main)
