#!/usr/bin/env python3
"""Compares the title and the first game picture of two runs of the play test, where the
pictures do not depend on the clock or on chance: the Windows program under Wine with the Linux
program, or the Linux program on its window surface with the same on a GPU renderer.

    compare_shots_test.py SHOTS [REFERENCE OTHER]     (wine sdl when not given)

The title must match everywhere but the frame counter. In a game the panel and the right
border must match exactly, and the star field wherever neither picture has a sprite on it.

Any difference fails: both show palette entries 0 and 255 as black and white, since the game
makes its palette without DDPCAPS_ALLOW256.
"""

import os
import sys

from picture import FPS_BOX, SCORE_BOX, load_ppm
from xsession import Failure, Skip, log, run_test

SHIP_BOX = (386, 448, 418, 480)  # where every game starts the ship


def inside(box, x, y):
    return box[0] <= x < box[2] and box[1] <= y < box[3]


class Comparison:
    def __init__(self, names, reference, other):
        self.names, self.reference, self.other = names, reference, other

    def same(self, x, y):
        return self.reference.at(x, y) == self.other.at(x, y)

    def differing(self, box, skip=()):
        left, top, right, bottom = box
        return [(x, y) for y in range(top, bottom) for x in range(left, right)
                if not any(inside(s, x, y) for s in skip) and not self.same(x, y)]


def describe(points, comparison):
    x, y = points[0]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (f"{len(points)} pixels in ({min(xs)}, {min(ys)})-({max(xs)}, {max(ys)}), "
            f"first at ({x}, {y}): {comparison.names[0]} {comparison.reference.at(x, y)}, "
            f"{comparison.names[1]} {comparison.other.at(x, y)}")


def main():
    shots = sys.argv[1]
    names = tuple(sys.argv[2:4]) or ("wine", "sdl")
    paths = {(platform, scene): os.path.join(shots, platform, scene + ".ppm")
             for platform in names for scene in ("title", "game")}
    missing = [path for path in paths.values() if not os.path.exists(path)]
    if missing:
        raise Skip("no screenshots from a play test that was skipped: " + ", ".join(missing))
    problems = []

    pictures = {scene: [load_ppm(paths[name, scene]) for name in names]
                for scene in ("title", "game")}
    title = Comparison(names, *pictures["title"])
    wrong = title.differing((0, 0, 640, 480), skip=[FPS_BOX])
    if wrong:
        problems.append("title: " + describe(wrong, title))
    else:
        log("title: the same outside the frame counter")

    game = Comparison(names, *pictures["game"])
    wrong = game.differing((0, 0, 150, 480), skip=[FPS_BOX, SCORE_BOX])
    wrong += game.differing((630, 0, 640, 480))
    if wrong:
        problems.append("game panel and border: " + describe(wrong, game))
    else:
        log("game: panel and right border the same")
    field = game.differing((150, 0, 630, 480), skip=[SHIP_BOX])
    share = len(field) / (480 * 480 - 32 * 32)
    log(f"game: {len(field)} star-field pixels differ ({share:.2%}), sprites and shots included")
    if share > 0.02:
        problems.append("game star field: " + describe(field, game))
    ship = game.differing(SHIP_BOX)
    log(f"NOTE: the ship's sprite differs in {len(ship)} of 1024 pixels (its animation frame "
        "may too)" + (": " + describe(ship, game) if ship else ""))

    if problems:
        raise Failure(f"{names[0]} and {names[1]} draw differently: " + "; ".join(problems))


if __name__ == "__main__":
    run_test(main)
