"""The browser tests' other engines: Firefox and WebKit, each on a private Xvfb screen (headless
Firefox has no WebGL without a GPU, and WebKit's driver has no headless mode).

Firefox is driven by puppeteer-core over WebDriver BiDi (firefox_driver.mjs, installed into
node_modules here by `npm ci`); WebKit by Selenium through Debian's WebKitWebDriver. Both offer
what browser.Page reads the canvas with, keys and the console's errors. Each
browser's profile and caches go in a temporary folder of its own, removed with it.
"""

import json
import os
import select
import shutil
import subprocess
import tempfile

from browser import KEYS, Browser, Page
from xsession import Failure, Skip, XServer, log

HERE = os.path.dirname(os.path.abspath(__file__))
NODE = "/usr/bin/node"
FIREFOX = "/usr/bin/firefox-esr"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
SCREEN = (1024, 768)
ANSWER_SECONDS = 200  # beyond the driver's own limits: 90 s to start Firefox and to load a page


def require_tools(*tools):
    for tool in tools:
        if not os.path.exists(tool):
            raise Skip(f"{tool} is not installed (bash scripts/setup.sh installs it)")


class OnXServer(Page):
    """A browser on its own Xvfb screen, with a temporary folder for everything it writes."""

    def __init__(self, width=800, height=700):
        self.size = (width, height)
        self.screen = XServer(*SCREEN)
        self.folder = None

    def __enter__(self):
        self.screen.__enter__()
        self.folder = tempfile.mkdtemp(prefix=f"zephyx-{self.name}-")
        self.env = dict(self.screen.env, TMPDIR=self.folder, XDG_CACHE_HOME=self.folder,
                        XDG_DATA_HOME=self.folder)
        try:
            self.start()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *_):
        try:
            self.stop()
        finally:
            self.screen.__exit__()
            if self.folder is not None:
                shutil.rmtree(self.folder, ignore_errors=True)


class Firefox(OnXServer):
    name = "firefox"

    def start(self):
        require_tools(NODE, FIREFOX)
        if not os.path.isdir(os.path.join(HERE, "node_modules", "puppeteer-core")):
            raise Skip("puppeteer-core is not installed in tests/e2e (bash scripts/setup.sh "
                       "runs npm ci there)")
        self.errors = open(os.path.join(self.folder, "driver.log"), "w+")
        self.process = subprocess.Popen(
            [NODE, os.path.join(HERE, "firefox_driver.mjs"), FIREFOX, *map(str, self.size)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self.errors, env=self.env,
            text=True)

    def stop(self):
        process = getattr(self, "process", None)
        if process is None:
            return
        process.stdin.close()  # the driver closes Firefox and ends
        try:
            process.wait(30)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
        self.errors.close()

    def command(self, op, **arguments):
        self.process.stdin.write(json.dumps(dict(arguments, op=op)) + "\n")
        self.process.stdin.flush()
        ready, _, _ = select.select([self.process.stdout], [], [], ANSWER_SECONDS)
        line = self.process.stdout.readline() if ready else ""
        if not line:
            self.errors.seek(0)
            raise Failure(f"Firefox's driver gave no answer to {op}: "
                          + self.errors.read()[-800:])
        answer = json.loads(line)
        if "error" in answer:
            raise Failure(f"Firefox: {op}: {answer['error']}")
        return answer["value"]

    def open(self, url):
        log("opening " + url)
        self.command("open", url=url)

    def script(self, code, *args):
        return self.command("script", code=code, args=list(args))

    def script_async(self, code, *args):
        return self.command("scriptAsync", code=code, args=list(args))

    def key(self, name, down):
        self.command("key", key=KEYS[name][1], down=down)

    def console_errors(self):
        return self.command("errors")


class WebKit(OnXServer):
    name = "webkit"

    def start(self):
        try:
            from selenium.webdriver.common.keys import Keys
            from selenium.webdriver.remote.webdriver import WebDriver
            from selenium.webdriver.webkitgtk.options import Options
            from selenium.webdriver.webkitgtk.service import Service
        except ImportError:
            raise Skip("Selenium is not installed for /usr/bin/python3 (python3-selenium; "
                       "bash scripts/setup.sh installs it)")
        require_tools(WEBKIT_DRIVER)
        self.keys = {"space": Keys.SPACE, "Left": Keys.ARROW_LEFT, "Up": Keys.ARROW_UP,
                     "Right": Keys.ARROW_RIGHT, "Down": Keys.ARROW_DOWN,
                     "Escape": Keys.ESCAPE, "Return": Keys.ENTER}
        self.service = Service(WEBKIT_DRIVER, env=self.env)
        self.service.start()
        options = Options()
        options.add_argument("--automation")  # its ephemeral session: no profile is kept
        self.driver = WebDriver(command_executor=self.service.service_url, options=options)
        self.driver.set_window_size(*self.size)

    def stop(self):
        try:
            if getattr(self, "driver", None) is not None:
                self.driver.quit()
        finally:
            if getattr(self, "service", None) is not None:
                self.service.stop()

    def open(self, url):
        log("opening " + url)
        self.driver.get(url)

    script = Browser.script
    script_async = Browser.script_async

    def key(self, name, down):
        from selenium.webdriver.common.action_chains import ActionChains
        actions = ActionChains(self.driver)
        (actions.key_down if down else actions.key_up)(self.keys[name])
        actions.perform()

    def console_errors(self):
        """None: WebKit's driver cannot read the console (the title showing says the page
        loaded and runs)."""
        return []


ENGINES = {"chromium": Browser, "firefox": Firefox, "webkit": WebKit}
