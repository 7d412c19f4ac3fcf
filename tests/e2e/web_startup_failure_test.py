#!/usr/bin/env python3
"""The browser build without its CHAR bitmap: start-up must stop with one message on the page,
"DDLoadBitmap Char FAILED" captioned "ZEPHYX", the program waiting until the player presses
Return on its OK button, and then the page must say the program ended (exit code 0).

    web_startup_failure_test.py SITE SHOTS

SITE is the folder the web preset stages zephyx_nochar.html in; a screenshot of the page with
the message lands in SHOTS/web.
"""

import os
import sys
import time

from browser import Browser, StaticServer
from xsession import Failure, log, require_program, run_test, wait_for

TEXT = "DDLoadBitmap Char FAILED"
ENDED_TEXT = "ZEPHYX has ended."


def visible(browser, element):
    return browser.script(f"return !document.getElementById('{element}').hidden")


def text_of(browser, element):
    return browser.script(f"return document.getElementById('{element}').textContent")


def main():
    web, shots = sys.argv[1:3]
    require_program(os.path.join(web, "zephyx_nochar.html"),
                    "cmake --preset web && cmake --build --preset web")
    shots = os.path.join(shots, "web")
    os.makedirs(shots, exist_ok=True)
    with StaticServer(web) as server, Browser() as browser:
        browser.open(server.url + "zephyx_nochar.html")
        wait_for("the start-up failure message",
                 lambda: (None, [] if visible(browser, "message") else ["no message"]), 60)
        browser.driver.save_screenshot(os.path.join(shots, "startup_failure.png"))
        caption, text = text_of(browser, "message-caption"), text_of(browser, "message-text")
        if (caption, text) != ("ZEPHYX", TEXT):
            raise Failure(f"the message reads {caption!r}: {text!r}")
        log(f"message: {caption}: {text}")

        time.sleep(0.5)  # the program must wait for the player, however long
        if visible(browser, "ended"):
            raise Failure("the program ended without waiting for OK")
        browser.key("Return", True)
        browser.key("Return", False)
        wait_for("the page to say the program ended",
                 lambda: (None, [] if visible(browser, "ended") else ["not ended"]), 5)
        if visible(browser, "message"):
            raise Failure("the message is still shown after OK")
        ended = text_of(browser, "ended-text")
        if ended != ENDED_TEXT:
            raise Failure(f"the page says {ended!r}, not {ENDED_TEXT!r}")
        log(f"Return on OK: the page says {ended!r}")


if __name__ == "__main__":
    run_test(main)
