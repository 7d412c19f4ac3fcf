#!/usr/bin/env python3
"""Measures the browser build in headless Chromium: the work of each frame inside the program
(the game's frame and the presentation separately), frames per second, the page's main-thread
time beside a bare canvas presenter's, and the size of what the page transfers, plain and
gzip-compressed.

    measure_web.py SITE [SECONDS]

For each presenter (WebGL2, then the 2D canvas) the title runs SECONDS (10), then a game with
the space bar held for as long, then the game-over screen (3 s of its 5, once the ship has been
flown into the enemies). Beside the game, in a second window of the same browser, the bare page
(tools/bare_page/bare.html) refills a 640x480 picture and puts it on its canvas at every
animation frame. Main-thread time is each page's own (DevTools' TaskDuration) over the wall
time, in percent of one core. Browser CPU is the user and system time of all of Chromium's
processes over the wall time, in percent of one core. A frame's work is the time the program is awake from the
end of one presentation to the end of the next: everything but sleeping. The program keeps
the figures of its latest 1024 frames (see platform/web/web_stats.h); nothing reads the canvas
while measuring.
"""

import gzip
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from browser import Browser, StaticServer  # noqa: E402

BARE_PAGE = os.path.join(os.path.dirname(__file__), "..", "tools", "bare_page")
GAME_OVER_SWEEPS = 30
GAME_OVER_SECONDS = 3
# Whether the game-over text's cyan, which no sprite has, is on the row through "Game Over".
GAME_OVER_CYAN = """
const copy = document.createElement('canvas');
copy.width = 640;
copy.height = 1;
const context = copy.getContext('2d');
context.drawImage(document.getElementById('screen'), 0, 240, 640, 1, 0, 0, 640, 1);
const row = context.getImageData(0, 0, 640, 1).data;
for (let i = 0; i < row.length; i += 4) {
  if (row[i] === 0 && row[i + 1] === 255 && row[i + 2] === 255) return true;
}
return false;
"""


def descendants(root):
    """The processes started, directly or not, by process `root`."""
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    parents[int(entry)] = int(stat.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                pass
    found, frontier = set(), {root}
    while frontier:
        frontier = {pid for pid, parent in parents.items() if parent in frontier} - found
        found |= frontier
    return found


def cpu_seconds(pids):
    """User and system time of the processes (fields 14 and 15 of /proc/<pid>/stat)."""
    ticks = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            ticks += int(fields[11]) + int(fields[12])
        except (OSError, IndexError, ValueError):
            pass
    return ticks / os.sysconf("SC_CLK_TCK")


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def frame_costs(browser, first, last):
    return browser.script(
        "const costs = [];"
        "for (let n = arguments[0]; n < arguments[1]; ++n) {"
        "  costs.push([Module._zephyx_stats_frame_ms(n), Module._zephyx_stats_present_ms(n)]);"
        "}"
        "return costs;", first, last)


def main_thread_seconds(browser, window):
    browser.driver.switch_to.window(window)
    metrics = browser.driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    return next(m["value"] for m in metrics if m["name"] == "TaskDuration")


def measure(browser, label, seconds, windows):
    processes = descendants(browser.driver.service.process.pid)
    threads = [main_thread_seconds(browser, w) for w in windows]
    browser.driver.switch_to.window(windows[0])
    first, started, cpu = browser.presented(), time.monotonic(), cpu_seconds(processes)
    time.sleep(seconds)
    last, ended, cpu = browser.presented(), time.monotonic(), cpu_seconds(processes) - cpu
    threads = [main_thread_seconds(browser, w) - t for w, t in zip(windows, threads)]
    browser.driver.switch_to.window(windows[0])
    costs = [c for c in frame_costs(browser, first, last) if c[0] >= 0]
    whole = [c[0] for c in costs]
    present = [c[1] for c in costs]
    game = [c[0] - c[1] for c in costs]
    fps = (last - first) / (ended - started)
    print(f"| {label} | {fps:.1f} | {statistics.median(game) * 1000:.0f} µs "
          f"| {statistics.median(present) * 1000:.0f} µs "
          f"| {statistics.median(whole) * 1000:.0f} µs "
          f"| {percentile(whole, 0.95) * 1000:.0f} µs "
          f"| {threads[0] / (ended - started):.1%} = {threads[0] / threads[1]:.2f}× the bare "
          f"{threads[1] / (ended - started):.1%} "
          f"| {cpu / (ended - started):.0%} |", flush=True)


def game_over_shown(browser):
    return browser.script(GAME_OVER_CYAN)


def fly_to_game_over(browser):
    """Flies up among the enemies and sweeps across until the ship is hit."""
    browser.key("Up", True)
    try:
        for sweep in range(GAME_OVER_SWEEPS):
            key = "Left" if sweep % 2 else "Right"
            browser.key(key, True)
            try:
                deadline = time.monotonic() + 4
                while time.monotonic() < deadline:
                    if game_over_shown(browser):
                        return True
                    time.sleep(0.1)
            finally:
                browser.key(key, False)
    finally:
        browser.key("Up", False)
    return False


def measure_presenter(server, bare_server, presenter, seconds):
    with Browser() as browser:
        browser.open(server.url + "zephyx.html?presenter=" + presenter)
        game = browser.driver.current_window_handle
        browser.driver.switch_to.new_window("window")
        browser.open(bare_server.url + "bare.html?present")
        windows = [game, browser.driver.current_window_handle]
        for window in windows:
            browser.driver.switch_to.window(window)
            browser.driver.execute_cdp_cmd("Performance.enable", {})
        browser.driver.switch_to.window(game)
        deadline = time.monotonic() + 60
        while (browser.presented() or 0) < 120:
            if time.monotonic() > deadline:
                raise SystemExit("the program presented nothing within a minute")
            time.sleep(0.2)
        shown = browser.script("return document.getElementById('screen').dataset.presenter")
        measure(browser, f"{shown}, title", seconds, windows)
        browser.key("space", True)
        try:
            time.sleep(1)
            measure(browser, f"{shown}, playing (space held)", seconds, windows)
        finally:
            browser.key("space", False)
        if fly_to_game_over(browser):
            measure(browser, f"{shown}, game over", GAME_OVER_SECONDS, windows)
        else:
            print(f"| {shown}, game over | the ship was not hit |", flush=True)


def sizes(folder):
    print("| file | bytes | gzip -9 |")
    print("|---|---|---|")
    plain = packed = 0
    for name in sorted(os.listdir(folder)):  # the site holds what the page loads, and no more
        with open(os.path.join(folder, name), "rb") as source:
            data = source.read()
        size, squeezed = len(data), len(gzip.compress(data, 9))
        plain, packed = plain + size, packed + squeezed
        print(f"| {name} | {size:,} | {squeezed:,} |")
    print(f"| all | {plain:,} | {packed:,} |")


def main():
    folder = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10
    print(f"Chromium headless, {seconds:.0f} s each; medians and the 95th percentile of frames\n")
    print("| presenter, scene | frames/s | game frame | presentation | whole frame | whole, 95% "
          "| main thread | browser CPU |")
    print("|---|---|---|---|---|---|---|---|")
    with StaticServer(folder) as server, StaticServer(BARE_PAGE) as bare_server:
        for presenter in ("webgl2", "2d"):
            measure_presenter(server, bare_server, presenter, seconds)
    print()
    sizes(folder)


if __name__ == "__main__":
    main()
