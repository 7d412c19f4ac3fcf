#!/usr/bin/env python3
"""Plays the browser build in headless Chromium, driven only by key events, and checks the
picture on the canvas against the native program's.

    web_play_test.py SITE REPLAY_TEST ASSETS SHOTS [chromium|firefox|webkit]

SITE is the folder the web preset stages the page in, which must hold the page's files alone,
at most 300 KB gzip-compressed all together; the console must show no error. REPLAY_TEST is
the replay test program, which plays a session on the headless backend and writes the native
title and game-over pictures it presented (title.png, gameover.png). The title must be the
native one pixel for pixel outside the frame counter, and the system-font text of "Game Over"
and its score must land within 2 pixels of the native text. The canvas pictures land in SHOTS/web
(SHOTS/web-firefox, SHOTS/web-webkit).

In every engine the page presents with its own choice, and the title is compared again as the
other presenter shows it; the rest below is Chromium's alone, whose DevTools reach further.

The page takes only the game's keys, none with Ctrl, Alt or Meta held. A key held while the
page loses focus must not stay down. A hidden tab runs no frames and does not wake; shown again,
resized, or with its WebGL context lost and restored, the page draws the title again. The round
is presented with WebGL2; last, the title is compared again as the 2D canvas presents it: asked
for, or taking over from WebGL2 whose shaders fail when a lost context comes back or at once.
Left to choose, the page takes the presenter that costs less: WebGL2 made slow, the 2D canvas;
the 2D canvas made slow, WebGL2.

The page's controls: "Full screen" enters full screen and leaves it, "Fit to window" fills the
window as it changes and a whole factor comes back without it, each giving the keys back to the
game; "Play again", once the program has ended, starts it again and a key starts a game.

A scripted pad (navigator.getGamepads stood in for) plays a game beside the keyboard, and its
Back and Start end the program (play_with_pad, quit_with_pad). Then, on an emulated phone's
touch screen, the page plays by touch (play_by_touch). Last, served from a folder of its own:
the page can be installed, its service worker keeps the page's own files and nothing else,
online a changed page is served at once, and offline (the tab's network off, the server gone) a
reload still shows the title and a key starts a game.
"""

import gzip
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

from browser import StaticServer
from engines import ENGINES
from picture import (FPS_BOX, PLAY_LEFT, PLAY_RIGHT, PROMPT_YELLOW, SHIP_TOP, close, ink_box,
                     load_png, ship_centre)
from player import (GAME_OVER_LINE, Assets, frame_counter, game_problems, is_text_cyan,
                    play_to_game_over, title_problems)
from xsession import Failure, log, require_program, run_test, wait_for

START_SECONDS = 60
STEER_PIXELS = 16
TEXT_TOLERANCE = 2
SCORE_LINE = (0, 300, 640, 380)       # the score at 64 pixels from row 300
HIDDEN_SECONDS = 2.0
HIDDEN_WAKE_UPS = 2  # for events the browser may send; a timer would wake it 100 times a second
REPAINT_FRAMES = 10
PAGE_FILES = {"zephyx.html", "zephyx.js", "zephyx.wasm", "icon-32.png", "icon-128.png",
              "icon-256.png", "manifest.webmanifest", "service-worker.js"}
GZIP_BUDGET = 300_000  # bytes: every file the page loads, compressed
# The stage's and the canvas's size on the page.
LAYOUT = """
const stage = document.getElementById('stage').getBoundingClientRect();
const canvas = document.getElementById('screen').getBoundingClientRect();
return [stage.width, stage.height, canvas.width, canvas.height, window.devicePixelRatio];
"""
FIT_WINDOWS = ((900, 620), (1100, 900))
# Every cache of the origin and the addresses it holds.
CACHED = """
const done = arguments[arguments.length - 1];
caches.keys().then(names => Promise.all(names.map(name => caches.open(name).then(
    cache => cache.keys()).then(keys => [name, keys.map(key => key.url)])))).then(
    held => done(Object.fromEntries(held)));
"""
# A phone upright, in CSS pixels, with its device pixels to one; on its side it swaps them.
PHONE, PHONE_SCALE = (390, 844), 3
TOUCH_CONTROLS = ("#ring", "#fire-button")
TOUCH_PICTURE_SHARE = 0.75  # of the screen's width upright, its height on its side
# Whether the page takes each press: the game's keys (harmless at the title), not the browser's
# reload, full screen, find, address bar, zoom, back, or keys the game has no use for.
PRESSES = {"ArrowDown": True, "ArrowUp": True, "F5": False, "F11": False, "Ctrl+KeyR": False,
           "Ctrl+KeyL": False, "Ctrl+KeyF": False, "Ctrl+Digit0": False, "Alt+ArrowLeft": False,
           "Ctrl+Space": False, "Meta+Escape": False, "KeyA": False, "Enter": False}
PRESS_TAKEN = """
const names = arguments[0].split('+'), code = names.pop();
const event = type => new KeyboardEvent(type, {code: code, ctrlKey: names.includes('Ctrl'),
    altKey: names.includes('Alt'), metaKey: names.includes('Meta'), cancelable: true});
const taken = !window.dispatchEvent(event('keydown'));
window.dispatchEvent(event('keyup'));
return taken;
"""
BREAK_SHADERS = "WebGL2RenderingContext.prototype.getShaderParameter = () => false;"
# A presenter's drawing made slower than any machine makes it: its presents wait this long.
SLOW_DRAWING = """
const slowed = %s.prototype, draw = slowed.%s;
slowed.%s = function() {
  const until = performance.now() + 100;
  while (performance.now() < until) {}
  return draw.apply(this, arguments);
};
"""
SLOWED = {"webgl2": ("WebGL2RenderingContext", "drawArrays"),
          "2d": ("CanvasRenderingContext2D", "putImageData")}
LOSE_CONTEXT = """
const gl = document.getElementById('screen').getContext('webgl2');
window.lose = window.lose || gl.getExtension('WEBGL_lose_context');
arguments[0] ? lose.loseContext() : lose.restoreContext();
return gl.isContextLost();
"""


def is_flame(c):
    return close(c, PROMPT_YELLOW, 24)


class Round:
    def __init__(self, browser, assets, shots):
        self.browser, self.assets, self.shots = browser, assets, shots
        self.press = browser.key  # what hold() holds: a key, or a pad's control (play_with_pad)

    def save(self, picture, name):
        picture.save(os.path.join(self.shots, name + ".ppm"))

    def wait_for_title(self, seconds):
        def probe():
            if self.browser.script("return !document.getElementById('ended').hidden"):
                raise Failure("the program ended before the title showed")
            picture = self.browser.screenshot()
            rate, problems = frame_counter(picture, self.assets)
            return picture, title_problems(picture) + problems

        return wait_for("the title with its frame counter", probe, seconds)

    def game(self):
        picture = self.browser.screenshot()
        return picture, game_problems(picture, self.assets)

    def hold(self, key, until, what, seconds):
        self.press(key, True)
        try:
            return wait_for(what, until, seconds, interval=0)
        finally:
            self.press(key, False)

    def start_game(self, name):
        """Space at the title starts a game."""
        self.save(self.hold("space", self.game, "a game after holding space", 5), name)

    def steer(self, key, direction):
        self.press(key, True)
        try:
            self.ship_moves(direction, f"holding {key}")
        finally:
            self.press(key, False)

    def ship_moves(self, direction, what):
        before = ship_centre(self.browser.screenshot(), self.assets.back)
        if before is None:
            raise Failure(f"no ship along the bottom of the play field before {what}")

        def moved():
            after = ship_centre(self.browser.screenshot(), self.assets.back)
            if after is None or (after - before) * direction < STEER_PIXELS:
                return after, [f"the ship stays around {after} (from {before})"]
            return after, []

        after = wait_for(f"the ship moving {what}", moved, 5, interval=0)
        log(f"{what}: ship centre {before} -> {after}")


def compare_title(picture, native):
    wrong = [(x, y) for y in range(480) for x in range(640)
             if not (x < FPS_BOX[2] and y < FPS_BOX[3]) and picture.at(x, y) != native.at(x, y)]
    if wrong:
        x, y = wrong[0]
        raise Failure(f"the title differs from the native one in {len(wrong)} pixels, first at "
                      f"({x}, {y}): browser {picture.at(x, y)}, native {native.at(x, y)}")
    log("title: the native picture, pixel for pixel outside the frame counter")


def check_keys(browser):
    """The game's keys are the page's; the browser's own, and any with a modifier, are not."""
    wrong = [press for press, taken in PRESSES.items()
             if browser.script(PRESS_TAKEN, press) != taken]
    if wrong:
        raise Failure(f"the page takes or leaves the wrong presses: {wrong}")
    log(f"the page takes and leaves the presses it should: {', '.join(PRESSES)}")


def repainted(round_, native_title, what, cause):
    """After `cause`, the title is drawn again within a few frames (the frame counter's text
    changes at most once a second), and is whole."""
    browser = round_.browser
    shown, at = browser.stat("shown"), browser.presented()
    cause()
    picture = browser.screenshot_after(at + REPAINT_FRAMES)
    if browser.stat("shown") == shown:
        raise Failure(f"nothing drawn in the {REPAINT_FRAMES} frames after {what}")
    round_.save(picture, what.replace(" ", "_"))
    log(f"{what}: the title drawn again")
    compare_title(picture, native_title)


def check_visibility(round_, native_title):
    """Hidden: no frames run and the program does not wake. Shown again: the title is drawn."""
    browser = round_.browser
    browser.hide()
    counts = [None]

    def stopped():  # the same count twice in a row: a frame under way has finished
        counts.append(browser.presented())
        return counts[-1], [] if counts[-1] == counts[-2] else ["frames still run"]

    hidden_at = wait_for("the frames to stop", stopped, 10, interval=0.5)
    woken = browser.stat("wake_ups")
    time.sleep(HIDDEN_SECONDS)
    woken = browser.stat("wake_ups") - woken
    if browser.presented() != hidden_at or woken > HIDDEN_WAKE_UPS:
        raise Failure(f"while the tab was hidden {browser.presented() - hidden_at} frames ran "
                      f"and the program woke {woken} times in {HIDDEN_SECONDS} s")
    log(f"hidden for {HIDDEN_SECONDS} s: no frames ran, {woken} wake-ups")
    repainted(round_, native_title, "shown again", browser.show)


def check_context_loss(round_, native_title, shaders_fail, presenter):
    """The WebGL2 context lost and given back (with shaders that then fail, or not): the title
    comes back, shown by `presenter`."""
    browser = round_.browser
    if not browser.script(LOSE_CONTEXT, True):
        raise Failure("the WebGL2 context was not lost")
    if shaders_fail:
        browser.script(BREAK_SHADERS)
    repainted(round_, native_title, "the context restored",
              lambda: browser.script(LOSE_CONTEXT, False))
    if presenter_of(browser) != presenter:
        raise Failure(f"after the context came back the page presents with "
                      f"{presenter_of(browser)}")


def check_focus_loss(round_):
    """A key held while the page loses focus must not stay down: the ship stops. Its measured
    centre may shift a little as its sprite stops banking or the enemies come close; a stuck
    key would carry it 60 pixels on in 30 frames."""
    browser, back = round_.browser, round_.assets.back
    before = ship_centre(browser.screenshot(), back)
    browser.key("Right", True)  # and never released
    try:
        def moving():
            now = ship_centre(browser.screenshot(), back)
            return now, [] if now is not None and now - before >= 8 else ["not moving yet"]

        wait_for("the ship moving right", moving, 5, interval=0)
        browser.script("window.dispatchEvent(new FocusEvent('blur'))")
        blurred_at = browser.presented()
        stopped = ship_centre(browser.screenshot_after(blurred_at + 2), back)
        later = ship_centre(browser.screenshot_after(blurred_at + 32), back)
    finally:
        browser.key("Right", False)
    if stopped is not None and later is not None and later - stopped >= STEER_PIXELS:
        raise Failure(f"the ship moved from {stopped} to {later} after the page lost focus")
    log(f"focus lost holding Right: the ship stays around {stopped} ({later} 30 frames on)")


def shot_rises(browser):
    """The shot's yellow flames rise through the play field: ten frames or so after a picture
    with flames, they are higher. The two pictures are taken by frame count rather than by
    time, so a busy machine cannot spread them over different shots."""
    field = (PLAY_LEFT, 0, PLAY_RIGHT, SHIP_TOP)
    at = browser.presented()
    pictures = [browser.screenshot_after(at + frames) for frames in (1, 11)]
    tops = [box and box[1] for box in (ink_box(p, field, is_flame) for p in pictures)]
    rising = None not in tops and tops[1] < tops[0]
    return tops, [] if rising else [f"flames with their tops at rows {tops}"]


def check_shot(round_, fire="space"):
    """Holding `fire`, a shot flies up."""
    tops = round_.hold(fire, lambda: shot_rises(round_.browser), "a shot flying up", 30)
    log(f"a shot flies: flames with their tops at rows {tops}")


def play_with_pad(round_, pad):
    """A game played with the pad: A starts and fires, the stick and the D-pad steer, and the
    pad can be plugged in again. The page reads pads only while one is plugged in."""
    check_no_pad_reads(round_, pad, "before a pad is plugged in")
    pad.plug(True)
    round_.press = pad.hold
    try:
        round_.save(round_.hold("A", round_.game, "a game after holding A", 5), "pad_game")
        round_.steer("stick right", +1)
        round_.steer("D-pad left", -1)
        check_pad_releases(round_, pad)
        pad.plug(True)
        check_shot(round_, "A")
    finally:
        round_.press = round_.browser.key


def check_pad_releases(round_, pad):
    """A key the keyboard holds outlives the pad's release of it; unplugging the pad releases
    the keys it held, and the page stops reading pads."""
    browser = round_.browser
    browser.key("Right", True)
    try:
        pad.hold("D-pad right", True)
        pad.hold("D-pad right", False)
        kept = ship_travel(round_, 1, 21)
    finally:
        browser.key("Right", False)
    if None in kept or kept[1] - kept[0] < STEER_PIXELS:
        raise Failure(f"Right held on the keyboard stopped when the pad let go: {kept}")
    log(f"Right held on the keyboard after the pad let go: the ship goes on {kept}")

    pad.hold("stick left", True)
    pad.plug(False)
    stopped = ship_travel(round_, 2, 32)  # a stuck key would carry it 60 pixels on
    if None in stopped or stopped[0] - stopped[1] >= STEER_PIXELS:
        raise Failure(f"the ship went on {stopped} after the pad steering left was unplugged")
    log(f"unplugged steering left: the ship stays around {stopped}")
    check_no_pad_reads(round_, pad, "once the last pad is unplugged")


def ship_travel(round_, *frames):
    at = round_.browser.presented()
    return [ship_centre(round_.browser.screenshot_after(at + n), round_.assets.back)
            for n in frames]


def check_no_pad_reads(round_, pad, when):
    reads = pad.reads()
    round_.browser.screenshot_after(round_.browser.presented() + REPAINT_FRAMES)
    if pad.reads() != reads:
        raise Failure(f"the page reads pads {when}")


def quit_with_pad(browser, pad):
    """Back and Start held together end the program as Escape does."""
    pad.plug(True)
    pad.hold("Back", True)
    pad.hold("Start", True)
    wait_for_end(browser)
    log("Back and Start: the page says the program ended")


def wait_for_end(browser):
    until(browser, "the page to say the program ended", "!document.getElementById('ended').hidden")


def layout_problems(browser, width, height):
    """On a phone held `width`×`height`, the stick and fire button show beside the picture,
    which fits the screen as large as it allows, with whole pixels on its side."""
    if browser.script("return [innerWidth, innerHeight]") != [width, height]:
        return None, ["the page has not the phone's size yet"]
    picture = browser.box("#screen")
    shown = (picture[2] - picture[0], picture[3] - picture[1])
    problems = [f"{name} at {box} does not show, or overlaps the picture at {picture}"
                for name, box in ((name, browser.box(name)) for name in TOUCH_CONTROLS)
                if box[2] - box[0] < 40 or box[2] > width or box[3] > height
                or not apart(box, picture)]
    if min(picture) < 0 or picture[2] > width or picture[3] > height \
            or max(shown[0] / width, shown[1] / height) < TOUCH_PICTURE_SHARE:
        problems.append(f"the picture at {picture} is off or small on a {width}×{height} screen")
    whole = shown[0] * PHONE_SCALE / 640
    if width > height and abs(whole - round(whole)) > 0.01:
        problems.append(f"the picture is {shown}, {whole} device pixels to one on its side")
    return shown, problems


def apart(a, b):
    return a[2] <= b[0] or b[2] <= a[0] or a[3] <= b[1] or b[3] <= a[1]


def play_by_touch(round_, url):
    """A phone: the controls show and the picture fits upright and on its side; holding FIRE on
    the title starts a game; one finger steers while another fires; a finger lifting from the
    stick leaves the arrow the keyboard holds down; a swipe and a pinch move nothing."""
    browser = round_.browser
    try:
        browser.emulate_phone(*PHONE, PHONE_SCALE)
        browser.open(url + "zephyx.html")
        round_.wait_for_title(START_SECONDS)
        for width, height in (PHONE, PHONE[::-1]):
            browser.emulate_phone(width, height, PHONE_SCALE)
            shown = wait_for(f"the picture fitting {width}×{height}",
                             lambda: layout_problems(browser, width, height), 5)
            log(f"{width}×{height}: the controls show, the picture is {shown} CSS pixels")
        fire, (x, y) = centre(browser.box("#fire-button")), centre(browser.box("#ring"))
        reach = browser.box("#ring")[2] - x

        browser.touch({1: fire})
        round_.save(wait_for("a game after holding FIRE", round_.game, 5), "touch_game")
        browser.touch({1: fire, 2: (x, y)})
        browser.touch({1: fire, 2: (x - reach, y)})
        round_.ship_moves(-1, "steering left by touch while firing")
        tops = wait_for("a shot flying up while steering", lambda: shot_rises(browser), 10)
        log(f"a shot flies while steering: flames with their tops at rows {tops}")
        browser.key("Right", True)
        try:
            browser.touch({1: fire, 2: (x + reach, y)})
            browser.touch({1: fire})
            round_.ship_moves(+1, "holding Right once the finger has lifted")
        finally:
            browser.key("Right", False)
        browser.touch({})
        x, y = centre(browser.box("#screen"))
        for step in range(20, 150, 10):  # a swipe up, then two fingers spreading
            browser.touch({3: (x, y + 75 - step)})
        browser.touch({})
        for step in range(20, 150, 10):
            browser.touch({3: (x - step, y), 4: (x + step, y)})
        browser.touch({})
        moved = browser.script("return [scrollX, scrollY, visualViewport.scale,"
                               " visualViewport.offsetLeft, visualViewport.offsetTop]")
        if moved != [0, 0, 1, 0, 0]:
            raise Failure(f"a swipe and a pinch scrolled or zoomed the page: {moved}")
        log("a swipe and a pinch leave the page where it is")
    finally:
        browser.touch({})
        browser.emulate_phone(None, None)


def centre(box):
    return ((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)


def presenter_of(browser):
    return browser.script("return document.getElementById('screen').dataset.presenter")


def check_console(browser):
    errors = browser.console_errors()
    if errors:
        raise Failure("the console shows errors: " + "; ".join(errors))


def compare_text(picture, native):
    for name, line in (("Game Over", GAME_OVER_LINE), ("score", SCORE_LINE)):
        ours, theirs = ink_box(picture, line, is_text_cyan), ink_box(native, line, is_text_cyan)
        if ours is None or theirs is None:
            raise Failure(f"no {name} text: browser {ours}, native {theirs}")
        worst = max(abs(a - b) for a, b in zip(ours, theirs))
        log(f"{name}: browser {ours}, native {theirs}, at most {worst} pixels apart")
        if worst > TEXT_TOLERANCE:
            raise Failure(f"the {name} text is {worst} pixels from the native one")


def check_size(web):
    packed = sum(len(gzip.compress(file.read_bytes(), 9)) for file in pathlib.Path(web).iterdir())
    log(f"the page's files: {packed:,} bytes gzip-compressed")
    if packed > GZIP_BUDGET:
        raise Failure(f"the page's files take {packed:,} bytes gzip-compressed, more than "
                      f"{GZIP_BUDGET:,}")


def until(browser, what, condition, seconds=5):
    """Waits for the page's `condition`, a JavaScript expression, to hold."""
    wait_for(what, lambda: (None, [] if browser.script("return " + condition) else ["not yet"]),
             seconds)


def check_focus(browser, after):
    focused = browser.script("return document.activeElement.id")
    if focused != "screen":
        raise Failure(f"after {after} the keys go to {focused!r}, not to the game")


def check_fullscreen(browser):
    """The button enters full screen, then leaves it, and the keys stay the game's."""
    for state in ("!== null", "=== null"):
        browser.click("fullscreen")
        until(browser, "document.fullscreenElement " + state, "document.fullscreenElement " + state)
        check_focus(browser, "full screen")
    log("full screen: entered and left with the button, the canvas focused")


def check_fit(browser):
    """Fitted, the canvas fills the stage one way at 4:3 whatever the window; otherwise it is
    the picture times a whole factor."""
    def layout(fitted):
        stage_w, stage_h, width, height, ratio = browser.script(LAYOUT)
        if fitted:
            fills = abs(min(stage_w / width, stage_h / height) - 1) < 0.01
            wrong = not fills or abs(width * 3 - height * 4) > 4
        else:
            wrong = (width * ratio) % 640 or (height * ratio) % 480
        return (width, height), [f"a {width}x{height} canvas in a {stage_w}x{stage_h} stage"
                                 ] if wrong else []

    browser.click("fit")
    check_focus(browser, "ticking fit to window")
    sizes = []
    for window in FIT_WINDOWS:
        browser.driver.set_window_size(*window)
        sizes.append(wait_for(f"the canvas fitted to a {window} window", lambda: layout(True), 5))
    if sizes[0] == sizes[1]:
        raise Failure(f"the fitted canvas stays {sizes[0]} as the window changes")
    browser.click("fit")
    whole = wait_for("a whole factor without fit to window", lambda: layout(False), 5)
    log(f"fit to window: canvas {sizes[0]}, then {sizes[1]}; without it {whole}")


def check_play_again(round_):
    """Once the program has ended, "Play again" loads it again and a key starts a game."""
    browser = round_.browser
    browser.script("window.before = true")
    browser.click("again")
    until(browser, "the page loaded again", "window.before === undefined", 10)
    round_.wait_for_title(START_SECONDS)
    round_.start_game("game_again")
    log("Play again: the title, and space starts a game")


def check_offline(round_, web):
    """Served from a folder under the root, the page's worker keeps its files; a changed page
    is served at once while online; with the network off and the server gone, it plays."""
    browser = round_.browser
    with tempfile.TemporaryDirectory(prefix="zephyx-site-") as root:
        shutil.copytree(web, os.path.join(root, "game"))
        with StaticServer(root) as server:
            folder = server.url + "game/"
            browser.open(folder + "zephyx.html?presenter=2d")
            until(browser, "the service worker to take the page",
                  "navigator.serviceWorker.controller?.state === 'activated'", 30)
            held = browser.driver.execute_async_script(CACHED)
            own = sorted(folder + name for name in PAGE_FILES - {"service-worker.js"})
            if [sorted(urls) for urls in held.values()] != [own]:
                raise Failure(f"the caches hold {held}, not the page's files alone: {own}")
            log(f"the service worker keeps the page's own files in {list(held)}")
            errors = browser.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
            if errors["installabilityErrors"]:
                raise Failure(f"the page cannot be installed: {errors['installabilityErrors']}")

            page = os.path.join(root, "game", "zephyx.html")
            with open(page) as source:
                html = source.read()
            with open(page, "w") as changed:
                changed.write(html.replace("<html ", "<html data-build=\"next\" ", 1))
            browser.driver.refresh()
            if browser.script("return document.documentElement.dataset.build") != "next":
                raise Failure("online, the page reloaded from the worker's copy, not the server")
            log("online: a changed page is served at once")

            browser.go_offline()
            server.stop()
            browser.driver.refresh()
            round_.wait_for_title(START_SECONDS)
            round_.start_game("game_offline")
            check_console(browser)
            log("offline: reloaded, the title shows and space starts a game")


def native_pictures(replay_test, folder):
    """The title and game-over pictures of the native program on the headless backend."""
    os.makedirs(folder)
    result = subprocess.run([replay_test], env=dict(os.environ, ZEPHYX_SCREENSHOT_DIR=folder),
                            capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        raise Failure("the replay test failed to make the native pictures:\n" + result.stdout)
    return {name: os.path.join(folder, name + ".png") for name in ("title", "gameover")}


def check_measured_choice(browser, url):
    """Left to choose, the page keeps the presenter that costs less."""
    for slowed, chosen in (("webgl2", "2d"), ("2d", "webgl2")):
        kind, method = SLOWED[slowed]
        script = browser.run_before_pages(SLOW_DRAWING % (kind, method, method))
        try:
            browser.open(url)
            wait_for("a picture", lambda: (None, [] if (browser.presented() or 0) > 0
                                           else ["nothing presented yet"]), START_SECONDS)
        finally:
            browser.stop_running(script)
        if presenter_of(browser) != chosen:
            raise Failure(f"with {slowed} made slow the page presents with "
                          f"{presenter_of(browser)}{measured(browser)}")
        log(f"{slowed} made slow: the page chose {chosen}{measured(browser)}")


def measured(browser):
    """What the page measured a present to take with each presenter, when it chose."""
    costs = browser.script("return window.Module && Module.presentCosts || null")
    if not costs:
        return ", measuring nothing"
    return ", measuring one present at " + ", ".join(
        f"{ms:.2f} ms with {name}" for name, ms in sorted(costs.items()))


def show_title(round_, url, native_title, name):
    """Opens the page at `url`; its title shows and is the native one."""
    browser = round_.browser
    browser.open(url)
    started = time.monotonic()
    title = round_.wait_for_title(START_SECONDS)
    log(f"title shows after {time.monotonic() - started:.1f} s, presented by "
        f"{presenter_of(browser)}{measured(browser)}")
    round_.save(title, name)
    compare_title(title, native_title)
    check_console(browser)


def other_presenter_title(round_, server, native_title):
    """The title again, as the presenter the page did not choose shows it."""
    other = {"webgl2": "2d", "2d": "webgl2"}[presenter_of(round_.browser)]
    show_title(round_, server.url + "zephyx.html?presenter=" + other, native_title,
               "title_" + other)
    if presenter_of(round_.browser) != other:
        raise Failure(f"asked for {other}, the page presents with {presenter_of(round_.browser)}")


def main():
    web, replay_test, assets, shots = sys.argv[1:5]
    engine = sys.argv[5] if len(sys.argv) > 5 else "chromium"
    chromium = engine == "chromium"
    require_program(os.path.join(web, "zephyx.html"),
                    "cmake --preset web && cmake --build --preset web")
    assets = Assets(assets)
    shots = os.path.join(shots, "web" if chromium else "web-" + engine)
    shutil.rmtree(shots, ignore_errors=True)
    native = native_pictures(replay_test, os.path.join(shots, "native"))

    with StaticServer(web) as server, ENGINES[engine]() as browser:
        if set(os.listdir(web)) != PAGE_FILES:
            raise Failure(f"the site holds {sorted(os.listdir(web))}, not {sorted(PAGE_FILES)}")
        check_size(web)
        round_ = Round(browser, assets, shots)
        # Chromium's pages read the scripted pad instead of the real ones (play_with_pad).
        pad = browser.install_pads() if chromium else None
        native_title = load_png(native["title"])
        # Without a GPU the page would choose the 2D canvas; Chromium asks for WebGL2 by name,
        # the other engines leave the choice to the page.
        show_title(round_, server.url + "zephyx.html" + ("?presenter=webgl2" if chromium else ""),
                   native_title, "title")

        check_keys(browser)
        if chromium:
            check_visibility(round_, native_title)
            repainted(round_, native_title, "a resize",
                      lambda: browser.driver.set_window_size(720, 640))
            check_context_loss(round_, native_title, False, "webgl2")
            check_fullscreen(browser)
            check_fit(browser)
        round_.start_game("game")
        round_.steer("Right", +1)
        round_.steer("Left", -1)
        if chromium:
            check_focus_loss(round_)
            check_shot(round_)

        over = play_to_game_over(round_.browser.screenshot, round_.browser.key)
        over_at = time.monotonic()
        round_.save(over, "gameover")
        compare_text(over, load_png(native["gameover"]))

        round_.wait_for_title(15)
        log(f"the title again {time.monotonic() - over_at:.1f} s after \"Game Over\" showed")
        if not chromium:
            return other_presenter_title(round_, server, native_title)

        browser.key("Escape", True)
        browser.key("Escape", False)
        wait_for_end(browser)
        log("Escape: the page says the program ended and offers to start again")
        check_play_again(round_)

        check_measured_choice(browser, server.url + "zephyx.html")

        # WebGL2 that cannot be restored, WebGL2 whose shaders fail from the start, and the 2D
        # canvas asked for (browsers without WebGL2 or a GPU): the 2D canvas shows the title.
        for query, shaders_fail in (("webgl2", "when restored"), ("webgl2", "at once"),
                                    ("2d", None)):
            if shaders_fail == "at once":
                browser.run_before_pages(BREAK_SHADERS)
            browser.open(server.url + "zephyx.html?presenter=" + query)
            title = round_.wait_for_title(START_SECONDS)
            if shaders_fail == "when restored":
                check_context_loss(round_, native_title, True, "2d")
            elif presenter_of(browser) != "2d":
                raise Failure(f"{query}: the page presents with {presenter_of(browser)}")
            log(f"presenter={query}, shaders failing {shaders_fail or 'never'}: the 2D canvas")
            failing = (shaders_fail or "never").replace(" ", "_")
            round_.save(title, f"title_{query}_shaders_failing_{failing}")
            compare_title(title, native_title)
        check_console(browser)
        play_with_pad(round_, pad)
        quit_with_pad(browser, pad)
        play_by_touch(round_, server.url)
        check_console(browser)
        check_offline(round_, web)


if __name__ == "__main__":
    run_test(main)
