#!/usr/bin/python3
"""Key to picture: how soon an arrow key shows on screen, the program beside a bare reference.

    /usr/bin/python3 scripts/measure_latency.py [--presses N]
                                [--path surface|renderer|both|browser] [--program PATH]
                                [--site FOLDER]
    /usr/bin/python3 scripts/measure_latency.py --path PATH --pool LOGS [LOGS ...]

Runs the zephyx program (in a game, the ship at the bottom) and the bare reference
(`zephyx_bare_loop keys`: reads the keys 0.5 ms before each 60 Hz deadline, moves a block in
the bottom band, presents at the deadline) at the same time, each on its own Xvfb screen.
At random moments (so at random points of a frame) it sends the same arrow key press through
XTEST to both, and from each program's own present log (time stamps on the monotonic clock,
with a hash of the picture's bottom band) takes the time from the press to the first present
whose band changed. Paths: the window's surface (what the program chooses without a GPU) and
SDL's OpenGL renderer (llvmpipe here), forced with SDL_RENDER_DRIVER=opengl in both programs.

A press counts only when both programs' bands were still for 34 ms (two frames) before it, and
both answered within 60 ms with a band that went on changing in the next frame as the held key
moves the ship on (one change alone was something else: after a game is over there is no ship
to move); for the program, also not when its answer falls where the ship's own 200 ms
animation was due to change the band anyway. Prints medians and 95th percentiles of
both, the ratio of the medians (goal at most 1.15) and the difference of the 95th percentiles
(goal at most 2 ms). MEASURE_LOGS=DIR keeps both programs' logs and the press times there;
--pool counts the presses of several such runs together, a run's hundred or two counted
presses being too few to decide a goal that close.

The browser path measures the same in headless Chromium: the browser build's page (its present
log asked for with `?presentlog`) and the bare page (tools/bare_page/bare.html?keys: reads the
arrows in its animation frame's callback, the last moment before the frame) each in a browser
of its own, with the same presses sent to both through DevTools (Input.dispatchKeyEvent). All
times are each page's own clock: the key event's time stamp, and the end of the rendering of
the page that first painted a drawing whose band changed (every drawing is painted by the
first rendering that ends after it). --site names another staged page (build/web/site).
"""
import argparse
import json
import os
import random
import signal
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display as xdisplay
from Xlib.ext import xtest

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "default")
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
STILL_BEFORE_US = 34_000
ANSWER_WITHIN_US = 60_000
ANIMATION_US = 200_000
ANIMATION_SLACK_US = 25_000
HOLD_S = 0.06
NAVY = (7, 4, 48)  # the title's background


def now_us():
    return time.monotonic_ns() // 1000


def free_display(start):
    number = start
    while os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
        number += 1
    return number


def start_xvfb(number):
    server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "640x480x24", "-nolisten",
                               "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if subprocess.run(["xdpyinfo", "-display", f":{number}"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0:
            return server
        time.sleep(0.05)
    sys.exit(f"Xvfb :{number} did not start")


def find_window(number, pid, name):
    env = dict(os.environ, DISPLAY=f":{number}")
    time.sleep(1)  # the window may be made again once the renderer is chosen
    for _ in range(100):
        found = subprocess.run(["xdotool", "search", "--pid", str(pid), "--onlyvisible", "--name",
                                name], env=env, capture_output=True, text=True).stdout.split()
        if found:
            subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], env=env)
            return int(found[-1])
        time.sleep(0.1)
    sys.exit(f"the window {name} did not appear on :{number}")


class Screen:
    """One Xvfb screen, its program, and XTEST keys sent to it."""

    def __init__(self, number, command, env, window_name, log):
        self.log = log
        self.server = start_xvfb(number)
        full_env = dict(os.environ, DISPLAY=f":{number}", **env)
        self.program = subprocess.Popen(command, env=full_env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window_id = find_window(number, self.program.pid, window_name)
        self.x = xdisplay.Display(f":{number}")
        self.window = self.x.create_resource_object("window", self.window_id)
        self.presses = []

    def keycode(self, name):
        return self.x.keysym_to_keycode(XK.string_to_keysym(name))

    def key(self, name, down):
        stamp = now_us()
        xtest.fake_input(self.x, X.KeyPress if down else X.KeyRelease, self.keycode(name))
        self.x.sync()
        return stamp

    def pixel(self, x, y):
        data = self.window.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
        return data[2], data[1], data[0]

    def stop(self, key=None):
        if key:
            self.key(key, True)
            self.key(key, False)
        else:
            self.program.send_signal(signal.SIGTERM)
        try:
            self.program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.program.kill()
        self.x.close()
        self.server.terminate()
        self.server.wait()


def read_log(path):
    presents = []
    with open(path) as log:
        for line in log:
            fields = line.split()
            presents.append((int(fields[1]), fields[2]))
    return presents


def band_changes(presents):
    return [t for (t, h), (_, before) in zip(presents[1:], presents) if h != before]


def answer(presents, pressed):
    """Microseconds from the press to the first present whose band changed, or a reason."""
    before = [h for t, h in presents if pressed - STILL_BEFORE_US <= t <= pressed]
    if not before or any(h != before[-1] for h in before):
        return "band not still before the press"
    for index, (t, h) in enumerate(presents[:-1]):
        if t > pressed + ANSWER_WITHIN_US:
            break
        if t > pressed and h != before[-1]:
            # A held arrow moves the ship on: one change alone was something else.
            return t - pressed if presents[index + 1][1] != h else "a change that stopped"
    return "no answer"


def animation_due_near(changes, key_times, pressed, answered):
    """Whether the ship's own animation was due to change the band near the answer."""
    own = [t for t in changes if not any(k <= t <= k + ANSWER_WITHIN_US for k in key_times)]
    last = [t for t in own if pressed - 2 * ANIMATION_US <= t <= pressed]
    if not last:
        return True  # its phase is unknown: leave the press out
    due = [last[-1] + k * ANIMATION_US for k in (1, 2)]
    return any(abs(answered - d) <= ANIMATION_SLACK_US for d in due)


def percentile(values, share):
    values = sorted(values)
    return values[min(len(values) - 1, int(share * len(values)))]


def ensure_game(screen):
    if screen.pixel(20, 400) == NAVY:
        screen.key("space", True)
        time.sleep(0.1)
        screen.key("space", False)
        time.sleep(1.5)  # the shot leaves the band


def run_path(path, presses, program, logs):
    renderer = {"SDL_RENDER_DRIVER": "opengl"} if path == "renderer" else {}
    first = free_display(83)
    program_log = f"{logs}/{path}.program"
    # The program's defaults, whatever this machine's player chose (a window, another scaling).
    settings = tempfile.mkdtemp(prefix="zephyx-settings-", dir=logs)
    game = Screen(first, [program], dict(renderer, ZEPHYX_PRESENT_LOG=program_log,
                                         XDG_CONFIG_HOME=settings), "^ZEPHYX$", program_log)
    second = free_display(first + 1)
    bare_log = f"{logs}/{path}.bare"
    bare = Screen(second, [os.path.join(BUILD, "tools", "zephyx_bare_loop"), "keys", path,
                           bare_log], renderer, "^bare keys$", bare_log)
    time.sleep(1)
    ensure_game(game)
    times = []  # (program press, bare press)
    key_times = []  # the program's presses and releases
    for trial in range(presses):
        ensure_game(game)
        time.sleep(random.uniform(0.25, 0.45))
        name = "Left" if trial % 2 else "Right"
        order = (game, bare) if trial % 2 else (bare, game)
        pressed = {id(s): s.key(name, True) for s in order}
        time.sleep(HOLD_S)
        released = {id(s): s.key(name, False) for s in order}
        times.append((pressed[id(game)], pressed[id(bare)]))
        key_times += [pressed[id(game)], released[id(game)]]
    game.stop("Escape")
    bare.stop()

    program_log, bare_log = read_log(program_log), read_log(bare_log)
    if os.environ.get("MEASURE_LOGS"):
        with open(f"{logs}/{path}.presses", "w") as f:
            for stamps, release in zip(times, key_times[1::2]):
                print(*stamps, release, file=f)
    return compare(program_log, bare_log, times, key_times)


def pooled_path(path, folder):
    """compare() over the logs one run on `path` kept in `folder` (MEASURE_LOGS)."""
    if path == "browser":
        with open(os.path.join(folder, "browser.json")) as f:
            run = json.load(f)
        key_times = [round(t * 1000) for t, _ in run["marks"][0]["keys"]]
        return compare([tuple(p) for p in run["game"]], [tuple(p) for p in run["bare"]],
                       list(zip(*run["presses"])), key_times)
    times, key_times = [], []
    with open(os.path.join(folder, f"{path}.presses")) as f:
        for line in f:
            stamps = [int(field) for field in line.split()]
            times.append((stamps[0], stamps[1]))
            # Logs written before releases were kept: the key was held HOLD_S.
            key_times += [stamps[0], stamps[2] if len(stamps) > 2 else stamps[0] + HOLD_S * 1e6]
    return compare(read_log(os.path.join(folder, f"{path}.program")),
                   read_log(os.path.join(folder, f"{path}.bare")), times, key_times)


def report_pooled(path, folders):
    ours, theirs, dropped = [], [], {}
    for folder in folders:
        mine, reference, left_out = pooled_path(path, folder)
        ours += mine
        theirs += reference
        for why, n in left_out.items():
            dropped[why] = dropped.get(why, 0) + n
    report(f"{path}, {len(folders)} runs pooled", ours, theirs, dropped)


def compare(program_log, bare_log, times, key_times):
    """The program's and the reference's answers to the presses both could be judged on."""
    changes = band_changes(program_log)
    ours, theirs, dropped = [], [], {}
    for program_pressed, bare_pressed in times:
        mine, reference = answer(program_log, program_pressed), answer(bare_log, bare_pressed)
        answers = (("zephyx", mine), ("bare", reference))
        reason = next((f"{who}: {r}" for who, r in answers if isinstance(r, str)), None)
        if reason is None and animation_due_near(changes, key_times, program_pressed,
                                                  program_pressed + mine):
            reason = "the ship's animation was due"
        if reason:
            dropped[reason] = dropped.get(reason, 0) + 1
            continue
        ours.append(mine / 1000)
        theirs.append(reference / 1000)
    return ours, theirs, dropped


# Injected into both pages before their own scripts: the arrow keys' time stamps as the page
# received them, and when each rendering of the page ends. A resize observer's callback runs
# after every animation frame callback and the layout of a rendering, just before it is
# painted, so a mark resized at every frame gives that moment.
MARKS = """
window.latencyMarks = {keys: [], frames: [], starts: []};
for (const type of ['keydown', 'keyup']) {
  window.addEventListener(type, event => {
    if (event.code === 'ArrowLeft' || event.code === 'ArrowRight') {
      latencyMarks.keys.push([event.timeStamp, type === 'keydown' ? 1 : 0]);
    }
  }, true);
}
addEventListener('DOMContentLoaded', () => {
  const mark = document.createElement('div');
  mark.style.cssText = 'position: absolute; left: 0; top: 0; height: 1px; width: 1px; ' +
      'visibility: hidden; pointer-events: none';
  document.body.appendChild(mark);
  new ResizeObserver(() => latencyMarks.frames.push(performance.now())).observe(mark);
  let wide = false;
  const resize = () => {
    latencyMarks.starts.push(performance.now());
    wide = !wide;
    mark.style.width = wide ? '2px' : '1px';
    requestAnimationFrame(resize);
  };
  requestAnimationFrame(resize);
});
"""
TITLE_PIXEL = """
const copy = document.createElement('canvas');
copy.width = copy.height = 1;
const context = copy.getContext('2d');
context.drawImage(document.getElementById('screen'), 20, 400, 1, 1, 0, 0, 1, 1);
return Array.from(context.getImageData(0, 0, 1, 1).data.slice(0, 3));
"""
GAME_DRAWINGS = """
const drawings = [];
for (let n = 0; n < Module._zephyx_present_log_count(); ++n) {
  const at = Module._zephyx_present_log_time(n);
  if (at >= 0) drawings.push([at, Module._zephyx_present_log_band(n)]);
}
return [drawings, latencyMarks];
"""


def painted(drawings, frame_ends):
    """What each rendering of the page painted: (end in µs, the band of the latest drawing
    before it), from the first drawing on."""
    presents, index, band = [], 0, None
    for end in sorted(frame_ends):
        while index < len(drawings) and drawings[index][0] <= end:
            band = drawings[index][1]
            index += 1
        if band is not None:
            presents.append((round(end * 1000), band))
    return presents


def key_marks(marks, presses):
    """The presses' and all arrow events' times in µs on the page's clock."""
    downs = [round(t * 1000) for t, down in marks["keys"] if down]
    if len(downs) != presses:
        sys.exit(f"the page received {len(downs)} presses of the {presses} sent")
    return downs, [round(t * 1000) for t, _ in marks["keys"]]


def ensure_browser_game(game):
    if tuple(game.script(TITLE_PIXEL)) == NAVY:
        game.key("space", True)
        time.sleep(0.1)
        game.key("space", False)
        time.sleep(1.5)  # the shot leaves the band


def wait_until(what, check):
    deadline = time.monotonic() + 60
    while not check():
        if time.monotonic() > deadline:
            sys.exit(f"{what} within a minute")
        time.sleep(0.2)


def run_browser(presses, site):
    from browser import Browser, StaticServer
    bare_folder = os.path.join(ROOT, "tools", "bare_page")
    with StaticServer(site) as game_server, StaticServer(bare_folder) as bare_server, \
            Browser() as game, Browser() as bare:
        for browser in (game, bare):
            browser.run_before_pages(MARKS)
        game.open(game_server.url + "zephyx.html?presentlog")
        bare.open(bare_server.url + "bare.html?keys")
        wait_until("the game presented nothing", lambda: (game.presented() or 0) >= 120)
        wait_until("the bare page drew nothing", lambda: bare.script(
            "return window.bareLog ? bareLog.length : 0") >= 120)
        print("  the game's presenter:",
              game.script("return document.getElementById('screen').dataset.presenter"))
        for trial in range(presses):
            ensure_browser_game(game)
            time.sleep(random.uniform(0.25, 0.45))
            name = "Left" if trial % 2 else "Right"
            order = (game, bare) if trial % 2 else (bare, game)
            for browser in order:
                browser.key(name, True)
            time.sleep(HOLD_S)
            for browser in order:
                browser.key(name, False)
        drawings, game_marks = game.script(GAME_DRAWINGS)
        bare_drawings, bare_marks = bare.script("return [bareLog, latencyMarks]")
    game_presents = painted(drawings, game_marks["frames"])
    bare_presents = painted(bare_drawings, bare_marks["frames"])
    game_presses, key_times = key_marks(game_marks, presses)
    bare_presses, _ = key_marks(bare_marks, presses)
    if os.environ.get("MEASURE_LOGS"):
        with open(os.path.join(os.environ["MEASURE_LOGS"], "browser.json"), "w") as f:
            json.dump({"game": game_presents, "bare": bare_presents, "presses":
                       [game_presses, bare_presses], "drawings": drawings,
                       "frames": game_marks["frames"], "marks": [game_marks, bare_marks],
                       "bare_drawings": bare_drawings}, f)
    return compare(game_presents, bare_presents, list(zip(game_presses, bare_presses)),
                   key_times)


def report(path, ours, theirs, dropped):
    print(f"{path}: {len(ours)} presses counted; left out: "
          + (", ".join(f"{n} {why}" for why, n in dropped.items()) or "none"))
    if len(ours) < 10:
        print("  too few presses to say anything")
        return
    rows = [("zephyx", ours), ("bare reference", theirs)]
    for name, values in rows:
        print(f"  {name:<16} median {percentile(values, 0.5):6.2f} ms   p95 "
              f"{percentile(values, 0.95):6.2f} ms   best {min(values):6.2f}   worst "
              f"{max(values):6.2f}")
    ratio, excess = figures(ours, theirs)
    low, high = resampled_interval(ours, theirs)
    print(f"  median {ratio:.2f}x the reference's (goal <= 1.15: "
          f"{'met' if ratio <= 1.15 else 'MISSED'}), p95 {excess:+.2f} ms (goal <= +2 ms: "
          f"{'met' if excess <= 2 else 'MISSED'})")
    print(f"  90% of resamplings of these presses: median {low[0]:.2f}x to {high[0]:.2f}x, "
          f"p95 {low[1]:+.2f} to {high[1]:+.2f} ms")


def figures(ours, theirs):
    """The ratio of the medians and the difference of the 95th percentiles."""
    return (percentile(ours, 0.5) / percentile(theirs, 0.5),
            percentile(ours, 0.95) - percentile(theirs, 0.95))


def resampled_interval(ours, theirs, rounds=2000):
    """How far the figures could be from these presses' by chance: the 5th and 95th
    percentiles of both figures over resamplings of the presses (each press keeps its pair).
    A key comes at a random point of each program's frame, so with a hundred presses a median
    alone moves by a millisecond or so from run to run."""
    pairs = list(zip(ours, theirs))
    rng = random.Random(1)
    drawn = [figures(*zip(*rng.choices(pairs, k=len(pairs)))) for _ in range(rounds)]
    low = [percentile([d[i] for d in drawn], 0.05) for i in (0, 1)]
    high = [percentile([d[i] for d in drawn], 0.95) for i in (0, 1)]
    return low, high


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--presses", type=int, default=600)
    parser.add_argument("--path", choices=["surface", "renderer", "both", "browser"],
                        default="both")
    parser.add_argument("--program", default=os.path.join(BUILD, "zephyx"))
    parser.add_argument("--site", default=os.path.join(ROOT, "build", "web", "site"))
    parser.add_argument("--pool", nargs="+", metavar="LOGS",
                        help="measure nothing: the presses of the runs whose MEASURE_LOGS "
                             "folders these are, counted together")
    args = parser.parse_args()
    paths = ["surface", "renderer"] if args.path == "both" else [args.path]
    if args.pool:
        for path in paths:
            report_pooled(path, args.pool)
        return
    if args.path == "browser":
        subprocess.run(["cmake", "--build", "--preset", "web", "--target", "zephyx"], cwd=ROOT,
                       check=True, stdout=subprocess.DEVNULL)
    else:
        subprocess.run(["cmake", "--build", "--preset", "default", "--target", "zephyx",
                        "zephyx_bare_loop"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    with open("/proc/loadavg") as load:
        print("load average before:", " ".join(load.read().split()[:3]))
    with tempfile.TemporaryDirectory() as logs:
        logs = os.environ.get("MEASURE_LOGS", logs)
        for path in paths:
            if path == "browser":
                report(path, *run_browser(args.presses, args.site))
            else:
                report(path, *run_path(path, args.presses, args.program, logs))
    with open("/proc/loadavg") as load:
        print("load average after:", " ".join(load.read().split()[:3]))


if __name__ == "__main__":
    main()
