"""The browser build served on 127.0.0.1 and played in headless Chromium through Selenium
(Firefox and WebKit: engines.py).

The page is read as a player's eyes would see the canvas: the picture is copied off the canvas
as it stands. Keys are real key events from the browser's input layer (DevTools), with the
key names a keyboard gives. Anything missing on the machine raises Skip.
"""

import base64
import functools
import http.server
import os
import shutil
import tempfile
import threading

from picture import Picture
from xsession import Failure, Skip, log

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Key name -> (KeyboardEvent.code, KeyboardEvent.key, Windows virtual-key code).
KEYS = {
    "space": ("Space", " ", 0x20),
    "Left": ("ArrowLeft", "ArrowLeft", 0x25),
    "Up": ("ArrowUp", "ArrowUp", 0x26),
    "Right": ("ArrowRight", "ArrowRight", 0x27),
    "Down": ("ArrowDown", "ArrowDown", 0x28),
    "Escape": ("Escape", "Escape", 0x1B),
    "Return": ("Enter", "Enter", 0x0D),
}

# Copies the canvas through a 2D canvas and hands it over as base64 RGBA.
READ_CANVAS = """
const screen = document.getElementById('screen');
const copy = document.createElement('canvas');
copy.width = screen.width;
copy.height = screen.height;
const context = copy.getContext('2d');
context.drawImage(screen, 0, 0);
const rgba = context.getImageData(0, 0, copy.width, copy.height).data;
let text = '';
for (let i = 0; i < rgba.length; i += 32768) {
  text += String.fromCharCode.apply(null, rgba.subarray(i, i + 32768));
}
return [copy.width, copy.height, btoa(text)];
"""


# A stand-in for navigator.getGamepads, run before the page's scripts: window.zephyxPads plugs a
# pad in the standard layout in and out, moves its controls and counts the page's readings.
PAD_STAND_IN = """
(() => {
  const slots = [null];
  const pads = window.zephyxPads = {reads: 0,
    plug(plugged) {
      const pad = slots[0] || {id: 'Scripted pad', index: 0, mapping: 'standard', timestamp: 0,
          axes: [0, 0], buttons: [...Array(17)].map(() => ({pressed: false, value: 0}))};
      pad.connected = plugged;
      slots[0] = plugged ? pad : null;
      const event = new Event(plugged ? 'gamepadconnected' : 'gamepaddisconnected');
      Object.defineProperty(event, 'gamepad', {value: pad});
      window.dispatchEvent(event);
    },
    set(controls, index, value) {
      slots[0][controls][index] = controls == 'axes' ? value : {pressed: value > 0.5, value};
    },
  };
  Object.defineProperty(navigator, 'getGamepads',
                        {configurable: true, value: () => (pads.reads++, slots.slice())});
})();
"""


def picture_from_rgba(width, height, encoded):
    rgba = base64.b64decode(encoded)
    rgb = bytearray(width * height * 3)
    rgb[0::3], rgb[1::3], rgb[2::3] = rgba[0::4], rgba[1::4], rgba[2::4]
    return Picture(width, height, bytes(rgb))


class ScriptedPad:
    """PAD_STAND_IN's pad (Browser.install_pads). Changes return once the page has read them."""

    # Name -> the control in the standard layout, and its value fully pressed.
    CONTROLS = {"A": ("buttons", 0, 1), "Back": ("buttons", 8, 1), "Start": ("buttons", 9, 1),
                "D-pad left": ("buttons", 14, 1), "D-pad right": ("buttons", 15, 1),
                "stick left": ("axes", 0, -1), "stick right": ("axes", 0, 1)}

    def __init__(self, browser):
        self.browser = browser

    def reads(self):
        return self.browser.script("return zephyxPads.reads")

    def change(self, code, *args):
        """Runs `code`, then waits for the page to read the pads (the driver gives up in 30 s)."""
        self.browser.script_async(
            "const done = arguments[arguments.length - 1], reads = zephyxPads.reads;" + code +
            ";const poll = () => zephyxPads.reads > reads ? done() : setTimeout(poll); poll();",
            *args)

    def plug(self, plugged):
        if plugged:
            self.change("zephyxPads.plug(true)")
        else:
            self.browser.script("zephyxPads.plug(false)")

    def hold(self, name, down):
        controls, index, full = self.CONTROLS[name]
        self.change("zephyxPads.set(...arguments)", controls, index, full if down else 0)


class StaticServer:
    """The build folder over HTTP on 127.0.0.1 (a page from file:// cannot fetch its .wasm)."""

    def __init__(self, folder):
        handler = functools.partial(Quiet, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *_):
        self.stop()

    def stop(self):
        """From now on nothing answers at the address, as when the network is gone."""
        self.server.shutdown()
        self.server.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    """Says nothing, and isolates the page so its clock is precise to microseconds rather
    than the tenth of a millisecond browsers give other pages."""

    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()

    def log_message(self, *_):
        pass


class Page:
    """What the tests read off the page in any engine, through the engine's `script` and
    `script_async` (whose last argument is the function to call with its result)."""

    def screenshot(self):
        return picture_from_rgba(*self.script(READ_CANVAS))

    def screenshot_after(self, count):
        """The canvas read as soon as `count` pictures have been presented (within the driver's
        script timeout, 30 s)."""
        try:
            width, height, encoded = self.script_async(
                "const done = arguments[arguments.length - 1];"
                "const wanted = arguments[0];"
                "const poll = () => Module._zephyx_stats_presented() >= wanted ?"
                "    done((() => {" + READ_CANVAS + "})()) : setTimeout(poll, 1);"
                "poll();", count)
        except Failure:
            raise Failure(f"the program stopped before presenting picture {count}: it has "
                          f"presented {self.presented()}")
        return picture_from_rgba(width, height, encoded)

    def stat(self, name):
        """One of the program's counts (zephyx_stats_<name>, platform/web/web_stats.cpp)."""
        return self.script(f"return Module._zephyx_stats_{name}()")

    def presented(self):
        """Pictures the program has presented, or None before it runs."""
        return self.script("return window.Module && Module.calledRun ? "
                           "Module._zephyx_stats_presented() : null")


class Browser(Page):
    """Headless Chromium with one tab, for the life of a `with` block."""

    def __init__(self, width=800, height=700):
        self.size = f"{width},{height}"
        self.driver = None
        self.fingers = {}  # touch()

    def __enter__(self):
        try:
            from selenium import webdriver
            from selenium.webdriver.chrome.options import Options
            from selenium.webdriver.chrome.service import Service
        except ImportError:
            raise Skip("Selenium is not installed for /usr/bin/python3 (python3-selenium; "
                       "bash scripts/setup.sh installs it)")
        for tool in (CHROMIUM, CHROMEDRIVER):
            if shutil.which(tool) is None:
                raise Skip(f"{tool} is not installed (bash scripts/setup.sh installs it)")
        options = Options()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--window-size=" + self.size,
                         "--disable-dev-shm-usage", "--mute-audio",
                         # WebGL2 on the CPU where there is no GPU, as on a CI machine.
                         "--enable-unsafe-swiftshader"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})  # console_errors()
        # The driver's profile and Chromium's own folders (its singleton socket, and the shared
        # memory that --disable-dev-shm-usage moves) go in the temporary folder, and some
        # outlive the browser: a folder of our own takes them all, and goes with it.
        self.folder = tempfile.mkdtemp(prefix="zephyx-chromium-")
        service = Service(CHROMEDRIVER, env=dict(os.environ, TMPDIR=self.folder))
        try:
            self.driver = webdriver.Chrome(options=options, service=service)
        except BaseException:
            shutil.rmtree(self.folder, ignore_errors=True)
            raise
        self.tab = self.driver.execute_cdp_cmd("Target.getTargetInfo", {})["targetInfo"]
        return self

    def __exit__(self, *_):
        if self.driver is not None:
            try:
                self.driver.quit()
            finally:
                shutil.rmtree(self.folder, ignore_errors=True)

    def open(self, url):
        log("opening " + url)
        self.driver.get(url)

    def install_pads(self):
        """Every page opened from now on has the scripted pads instead of the real ones."""
        self.run_before_pages(PAD_STAND_IN)
        return ScriptedPad(self)

    def click(self, element_id):
        """A real click on the element, which counts as the player's gesture."""
        self.driver.find_element("id", element_id).click()

    def go_offline(self):
        """The tab loses the network, as with the browser's own offline switch."""
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})

    def run_before_pages(self, code):
        """Runs `code` in every page opened from now on, before the page's own scripts, until
        stop_running is given what this returns."""
        return self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                           {"source": code})

    def stop_running(self, script):
        self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)

    def console_errors(self):
        """The errors the console showed since the last call: failed loads, exceptions."""
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "SEVERE"]

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def script_async(self, code, *args):
        from selenium.common.exceptions import TimeoutException
        try:
            return self.driver.execute_async_script(code, *args)
        except TimeoutException:
            raise Failure("the page's script gave no answer in time")

    def key(self, name, down):
        code, key, virtual = KEYS[name]
        event = {"type": "keyDown" if down else "keyUp", "code": code, "key": key,
                 "windowsVirtualKeyCode": virtual, "nativeVirtualKeyCode": virtual}
        if down and key == "Enter":
            event["text"] = "\r"  # what makes a focused button act
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", event)

    def hide(self):
        """Another tab comes to the front, which hides this one."""
        self.other = self.driver.execute_cdp_cmd("Target.createTarget", {"url": "about:blank"})

    def show(self):
        self.driver.execute_cdp_cmd("Target.activateTarget", {"targetId": self.tab["targetId"]})
        self.driver.execute_cdp_cmd("Target.closeTarget", self.other)

    def emulate_phone(self, width, height, scale=3):
        """The tab is a phone's touch screen of `width`×`height` CSS pixels, `scale` device
        pixels to one, from now on; with no width, the desktop again."""
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                    {"enabled": bool(width), "maxTouchPoints": 5})
        if width:
            self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": scale, "mobile": True})
        else:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def touch(self, fingers):
        """The fingers on the screen from now on, {id: (x, y)} in CSS pixels: fingers not in
        it lift, new ones touch, the others move."""
        old = self.fingers
        for kind, points in (("touchEnd", {f: at for f, at in old.items() if f not in fingers}),
                             ("touchStart", {f: at for f, at in fingers.items() if f not in old}),
                             ("touchMove", {f: at for f, at in fingers.items()
                                            if old.get(f, at) != at})):
            if points:
                self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
                    "type": kind,
                    "touchPoints": [{"x": x, "y": y, "id": f} for f, (x, y) in points.items()]})
        self.fingers = dict(fingers)

    def box(self, selector):
        """An element's box in CSS pixels: left, top, right, bottom."""
        return self.script("const box = document.querySelector(arguments[0])"
                           ".getBoundingClientRect();"
                           "return [box.left, box.top, box.right, box.bottom];", selector)
