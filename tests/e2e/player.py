"""What a player does with the game and what they must see, the same on every platform.

play() starts the program, waits for the title, reads the frame counter, holds space to start a
game, steers the ship both ways (and, asked to, plays on until "Game Over") and quits with
Escape; a second start quits with F12, or does what the platform adds instead. The title and the
first game picture are saved for the comparison between platforms.
"""

import os
import time

from picture import (FPS_BOX, LOGO_GREY, NAVY, PANEL_BLUE_GREY, PROMPT_YELLOW, SCORE_BOX,
                     Bitmap, Font, close, ink_box, ship_centre)
from xsession import Failure, log, wait_for

# A real clock under load: start-up may take a while, quitting may not.
START_SECONDS = 40
# Escape ends the game within a frame or two; a busy machine may take its time to run them.
QUIT_SECONDS = 10
STEER_SECONDS = 3
STEER_PIXELS = 16  # the ship moves 2 pixels a frame
GAME_OVER_LINE = (0, 170, 640, 300)  # "Game Over" at 128 pixels from row 180
GAME_OVER_SWEEPS = 30


def is_blue(c):
    return c[2] >= 200 and c[2] - c[0] >= 50


class Assets:
    def __init__(self, folder):
        self.back = Bitmap(os.path.join(folder, "BACKIMG.bmp"))
        self.font = Font(Bitmap(os.path.join(folder, "STRINGS.bmp")))


def title_problems(picture):
    problems = []
    if not close(picture.at(0, 100), NAVY):
        problems.append(f"(0, 100) is {picture.at(0, 100)}, not navy {NAVY}")
    grey = picture.count((0, 100, 640, 200), lambda c: close(c, LOGO_GREY))
    if grey < 3000:
        problems.append(f"{grey} light grey logo pixels in rows 100-199")
    yellow = lambda c: close(c, PROMPT_YELLOW, 24)
    prompt = picture.count((0, 353, 640, 378), yellow)
    if prompt < 500:
        problems.append(f"{prompt} yellow prompt pixels in rows 353-377")
    stray = picture.count((0, 16, 640, 480), yellow) - prompt
    if stray:
        problems.append(f"{stray} yellow pixels outside rows 353-377")
    return problems


def sharp_problems(shot, left, top, step):
    """What is wrong with the picture at (left, top) scaled by the whole `step`: each picture
    pixel a step x step block, the title showing."""
    picture = shot.sample(left, top, step)
    problems = title_problems(picture)
    for y in range(0, 480, 37):
        for x in range(0, 640, 41):
            block = {shot.at(left + x * step + dx, top + y * step + dy)
                     for dx in range(step) for dy in range(step)}
            if len(block) != 1:
                return problems + [f"picture pixel ({x}, {y}) is not a {step}x{step} block"]
    return problems


def frame_counter(picture, assets):
    """The frames counted in the last second, and what is wrong with the counter."""
    blue = picture.count(FPS_BOX, is_blue)
    text = assets.font.read(picture, 0, 0, 0, 8)
    if blue < 20 or not text[:4].isdigit() or text[4:] != " FPS":
        return None, [f"frame counter reads {text!r} with {blue} blue pixels"]
    if int(text[:4]) == 0:
        return None, ["frame counter reads 0 frames a second"]
    return int(text[:4]), []


def game_problems(picture, assets):
    problems = []
    panel = sum(1 for y in range(480) if close(picture.at(149, y), PANEL_BLUE_GREY))
    if panel != 480:
        problems.append(f"only {panel} of 480 rows of column 149 are blue-grey")
    back = assets.back
    field = sum(1 for y in range(480)
                if close(picture.at(150, y), back.colour(150, y), 8) and
                not close(picture.at(150, y), PANEL_BLUE_GREY))
    if field < 430:
        problems.append(f"only {field} of 480 rows of column 150 show the background picture")
    score = assets.font.read(picture, SCORE_BOX[0], SCORE_BOX[1], 1, 14)
    if not (score.startswith("SCORE ") and score[6:].isdigit()):
        problems.append(f"the score at (20, 50) reads {score!r}")
    if picture.count(SCORE_BOX, lambda c: close(c, PROMPT_YELLOW, 24)) < 50:
        problems.append("the score is not yellow")
    return problems


def steer(session, assets, key, direction):
    """Holds `key` until the ship has moved STEER_PIXELS in `direction` (+1 right, -1 left)
    and returns its centre before and after. The frame rate decides how long that takes: where
    nothing paces the flips (Wine on a screen without vertical blank) frames come by the
    hundred a second, and they slow down whenever the machine is busy."""
    before = ship_centre(session.screenshot(), assets.back)
    if before is None:
        raise Failure(f"no ship along the bottom of the play field before holding {key}")
    session.xdotool("keydown", key)
    try:
        def moved():
            after = ship_centre(session.screenshot(), assets.back)
            if after is None:
                return None, [f"no ship along the bottom of the play field holding {key}"]
            if (after - before) * direction < STEER_PIXELS:
                return after, [f"the ship stays around {after} (from {before})"]
            return after, []

        after = wait_for(f"holding {key}", moved, STEER_SECONDS, interval=0)
    finally:
        session.xdotool("keyup", key)
    log(f"holding {key}: ship centre {before} -> {after}")
    return before, after


def is_text_cyan(c):
    """The game-over text's colour, which no sprite has."""
    return c == (0, 255, 255)


def play_to_game_over(screenshot, press):
    """Flies up to where the enemies come in and sweeps across the field until the ship is
    hit; returns the picture with "Game Over". `press(key, down)` holds or releases a key. A
    sweep from one side to the other takes 4 seconds at 2 pixels a frame."""
    started = time.monotonic()

    def over():
        picture = screenshot()
        box = ink_box(picture, GAME_OVER_LINE, is_text_cyan)
        return picture, [] if box else ["no \"Game Over\""]

    press("Up", True)
    try:
        for sweep in range(GAME_OVER_SWEEPS):
            key = "Left" if sweep % 2 else "Right"
            press(key, True)
            try:
                picture = wait_for("game over", over, 4)
                log(f"the ship was hit {time.monotonic() - started:.1f} s into the flight")
                return picture
            except Failure:
                continue
            finally:
                press(key, False)
    finally:
        press("Up", False)
    raise Failure(f"the ship was not hit in {GAME_OVER_SWEEPS} sweeps across the enemies")


def quit_with(program, session, key):
    session.key(key)
    pressed = time.monotonic()
    code = program.wait_exit(QUIT_SECONDS)
    if code is None:
        raise Failure(f"{key} did not end the program within {QUIT_SECONDS} s")
    log(f"{key}: exit code {code} after {time.monotonic() - pressed:.2f} s")
    if code != 0:
        raise Failure(f"{key} ended the program with exit code {code}")
    problems = program.path_problems()
    if problems:
        raise Failure(problems[0])


def wait_for_title(session, program):
    def probe():
        if not program.running():
            raise Failure(f"the program ended with exit code {program.wait_exit(0)} "
                          "before the title showed")
        picture = session.screenshot()
        return picture, title_problems(picture)

    started = time.monotonic()
    picture = wait_for("the title", probe, START_SECONDS)
    log(f"title shows after {time.monotonic() - started:.1f} s")
    return picture


def quit_with_f12(session, launch):
    program = launch()
    try:
        wait_for_title(session, program)
        quit_with(program, session, "F12")
    finally:
        program.stop()


def play(session, launch, assets, shots=None, on_title=None, game_over=False,
         second_start=quit_with_f12):
    """The whole round on one platform. `launch(*options)` starts the program and returns it;
    `on_title(session, program)` adds the platform's own checks while the title shows;
    `second_start(session, launch)` is what the second start of the program does."""
    program = launch()
    try:
        wait_for_title(session, program)
        if on_title:
            on_title(session, program)

        def counter():
            picture = session.screenshot()
            rate, problems = frame_counter(picture, assets)
            return (picture, rate), problems + title_problems(picture)

        title, rate = wait_for("the frame counter on the title", counter, 5)
        log(f"frame counter: {rate} frames a second")
        if shots:
            title.save(os.path.join(shots, "title.ppm"))

        session.xdotool("keydown", "space")
        try:
            def game():
                picture = session.screenshot()
                return picture, game_problems(picture, assets)

            picture = wait_for("a game after holding space", game, 5)
        finally:
            session.xdotool("keyup", "space")
        if shots:
            picture.save(os.path.join(shots, "game.ppm"))

        steer(session, assets, "Right", +1)
        steer(session, assets, "Left", -1)
        if game_over:
            play_to_game_over(session.screenshot, lambda key, down: session.xdotool(
                "keydown" if down else "keyup", key))

        quit_with(program, session, "Escape")
    finally:
        program.stop()

    second_start(session, launch)
