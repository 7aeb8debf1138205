#!/usr/bin/env python3
"""Writes a record file of random mouse input for tools/soak.sh: the title
is ended and the questions answered yes as answer_yes.txt does (the title's
buttons), then for the given minutes of engine time random drags of the
icon from where the levels start it or from where the last drag left it,
drags into the first level's bad guy (so that the level is lost and loads
again), drags from anywhere, single and double clicks (which also click the
dialogues through), presses of the other buttons, releases with no press
before them and pointer moves at rest, over the whole 800x600 window.

The input is random but the same for the same number: by default 1 (the
number also becomes the game's random start value).

Usage: tools/make-soak-record.py minutes output [number]
"""

import math
import os
import random
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ANSWER_YES = os.path.join(ROOT, "engine", "tests", "data", "records", "answer_yes.txt")

WIDTH, HEIGHT = 800, 600
LEFT, MIDDLE, RIGHT = 1, 2, 3
# answer_yes.txt's last click is at 9400; the first level then loads.
ANSWERS_END = 10000
# Where the five levels put the icon (tools/assets/LEVELS.md).
ICON_STARTS = [(100, 500), (90, 538), (80, 516), (80, 520), (100, 530)]
# The first level's bad guy walks this loop (tools/assets/LEVELS.md).
BADGUY_LOOP = [(360, 320), (540, 320), (540, 470), (360, 470)]
STEP_TICKS = 20
IDLE_TICKS = 50


class Recorder:
    def __init__(self, rng, ticks, x, y):
        self.rng = rng
        self.lines = []
        self.ticks, self.x, self.y = ticks, x, y
        # Where the icon should be: the end of the last drag that moved it.
        self.icon = ICON_STARTS[0]

    def emit(self, text):
        self.lines.append("%d %s" % (self.ticks, text))

    def move(self, x, y, after):
        self.ticks += after
        self.x = min(max(int(x), 0), WIDTH - 1)
        self.y = min(max(int(y), 0), HEIGHT - 1)
        self.emit("mm %d %d" % (self.x, self.y))

    def button(self, kind, button, after):
        self.ticks += after
        self.emit("%s %d" % (kind, button))

    def rest(self, ticks):
        end = self.ticks + ticks
        while self.ticks + IDLE_TICKS <= end:
            self.move(self.x, self.y, IDLE_TICKS)

    def walk(self, ticks):
        """Pointer moves in a wandering direction, a few pixels a step."""
        heading = self.rng.uniform(0, 2 * math.pi)
        speed = self.rng.uniform(1, 8)
        for _ in range(max(1, ticks // STEP_TICKS)):
            heading += self.rng.uniform(-0.4, 0.4)
            self.move(self.x + speed * math.cos(heading), self.y + speed * math.sin(heading), STEP_TICKS)

    def press_at(self, x, y):
        self.move(x, y, IDLE_TICKS)
        self.rest(self.rng.randint(100, 300))
        self.button("md", LEFT, IDLE_TICKS)

    def drag(self, x, y):
        self.press_at(x, y)
        self.walk(self.rng.randint(300, 5000))
        self.button("mu", LEFT, STEP_TICKS)

    def drag_to(self, start, end):
        """A drag straight from start to end, a few pixels a step."""
        self.press_at(*start)
        length = math.hypot(end[0] - start[0], end[1] - start[1])
        count = max(1, int(length / self.rng.uniform(2, 6)))
        for i in range(1, count + 1):
            f = i / count
            self.move(start[0] + (end[0] - start[0]) * f, start[1] + (end[1] - start[1]) * f, STEP_TICKS)
        self.rest(self.rng.randint(0, 4000))
        self.button("mu", LEFT, STEP_TICKS)

    def click(self, button, times):
        for _ in range(times):
            self.button("md", button, self.rng.randint(30, 200))
            self.button("mu", button, self.rng.randint(30, 120))

    def random_point(self):
        return self.rng.randrange(WIDTH), self.rng.randrange(HEIGHT)

    def something(self):
        roll = self.rng.random()
        if roll < 0.15:
            x, y = self.rng.choice(ICON_STARTS)
            self.drag(x + self.rng.randint(-6, 6), y + self.rng.randint(-6, 6))
        elif roll < 0.25:
            target = (self.icon[0] + self.rng.randint(-150, 150), self.icon[1] + self.rng.randint(-150, 150))
            self.drag_to(self.icon, target)
            self.icon = (self.x, self.y)
        elif roll < 0.35:
            # Caught, the level loads again with the icon at its start.
            self.drag_to(ICON_STARTS[0], self.rng.choice(BADGUY_LOOP))
            self.icon = ICON_STARTS[0]
        elif roll < 0.5:
            self.drag(*self.random_point())
        elif roll < 0.75:
            self.move(*self.random_point(), after=IDLE_TICKS)
            self.click(LEFT, self.rng.randint(1, 6))
        elif roll < 0.8:
            self.click(self.rng.choice([MIDDLE, RIGHT]), 1)
        elif roll < 0.85:
            self.button("mu", LEFT, IDLE_TICKS)
        elif roll < 0.9:
            self.walk(self.rng.randint(200, 2000))
        else:
            self.rest(self.rng.randint(100, 3000))


def main():
    if len(sys.argv) not in (3, 4):
        raise SystemExit(__doc__)
    minutes = float(sys.argv[1])
    output = sys.argv[2]
    number = int(sys.argv[3]) if len(sys.argv) == 4 else 1
    rng = random.Random(number)

    with open(ANSWER_YES) as f:
        answer = [line.strip() for line in f if line.strip()]
    events = [line for line in answer[1:] if int(line.split()[0]) <= ANSWERS_END]
    last = events[-1].split()
    rec = Recorder(rng, ANSWERS_END, int(last[2]), int(last[3]))
    end = ANSWERS_END + int(minutes * 60000)
    while rec.ticks < end:
        rec.something()

    with open(output, "w") as f:
        f.write("%d\n" % number)
        for line in events + rec.lines:
            f.write(line + "\n")
    print("wrote %s: %d events, %.1f minutes of engine time" % (output, len(events) + len(rec.lines),
                                                               rec.ticks / 60000.0))


if __name__ == "__main__":
    main()
