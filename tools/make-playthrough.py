#!/usr/bin/env python3
"""Writes engine/tests/data/records/playthrough.txt, a record file of mouse
input that plays the whole game: it ends the title and answers the questions
yes (as answer_yes.txt does), then in every level clicks through the opening
dialogue, drags the icon along the level's safe route (tools/assets/LEVELS.md),
clicks through the dialogues that open on the way and reaches the portal; in
the last level it clicks through the ending.

The engine clock follows the recording during playback, so the times below
are engine times. Every wait is filled with pointer moves on the spot, a few
every second: a playback that runs late delivers one event per frame, and the
small steps keep the game's clock from jumping over a dialogue's click guard.

Usage: tools/make-playthrough.py [output file]
"""

import math
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ANSWER_YES = os.path.join(ROOT, "engine", "tests", "data", "records", "answer_yes.txt")
OUTPUT = os.path.join(ROOT, "engine", "tests", "data", "records", "playthrough.txt")

LEFT = 1

# answer_yes.txt gives its last click ("continue" for the second time) at
# 9400; the first level loads at the game's next update.
ANSWERS_END = 10000
FIRST_LEVEL_LOADED = 9450

STEP_PIXELS = 4          # one drag step
STEP_TICKS = 20          # between drag steps
IDLE_TICKS = 50          # between the pointer moves that fill a wait
CLICK_TICKS = 300        # between dialogue clicks
PRESS_TICKS = 50         # a click's button down to button up
# A box counts clicks 350 ms after it opens; it opens an update or two after
# its level loads or its area event fires.
FIRST_CLICK_DELAY = 700
EXTRA_CLICKS = 4         # clicks beyond two a line: harmless once the box is closed
AFTER_DIALOGUE = 300     # the gameplay takes the mouse again at its next update
SETTLE_TICKS = 200       # the pointer rests on the icon before the press
AWAY_PIXELS = 60         # from the icon's centre while dialogues are clicked


class DialogueEvent:
    """A player area event that opens a dialogue of `lines` lines."""

    def __init__(self, x, y, range_, lines):
        self.x, self.y, self.range, self.lines = x, y, range_, lines

    def contains(self, p):
        # The game's rule: strictly inside the range.
        dx, dy = p[0] - self.x, p[1] - self.y
        return dx * dx + dy * dy < self.range * self.range


class Level:
    def __init__(self, name, route, intro_lines, events, goal):
        self.name = name
        self.route = route
        self.intro_lines = intro_lines
        self.events = events
        # The portal, or the last level's ending, as an area event.
        self.goal = goal


PORTAL_RANGE = 35

LEVELS = [
    Level("level_01", [(100, 420), (100, 90), (700, 90), (700, 110)], 6,
          [DialogueEvent(330, 90, 40, 1)],
          DialogueEvent(700, 110, PORTAL_RANGE, 0)),
    Level("level_02", [(165, 420), (165, 462), (100, 462), (100, 538), (720, 538), (720, 80)], 2,
          [],
          DialogueEvent(720, 80, PORTAL_RANGE, 0)),
    Level("level_03", [(70, 429), (70, 516), (730, 516), (730, 100)], 2,
          [DialogueEvent(400, 516, 60, 2)],
          DialogueEvent(730, 100, PORTAL_RANGE, 0)),
    # The portal of the library appears when the key is taken at (150, 90).
    Level("level_04", [(80, 420), (80, 350), (350, 350), (350, 222), (80, 222), (80, 90), (150, 90), (330, 90)], 4,
          [DialogueEvent(350, 350, 40, 1), DialogueEvent(150, 90, 35, 1)],
          DialogueEvent(330, 90, PORTAL_RANGE, 0)),
    # The altar ends the game with a dialogue of four lines.
    Level("level_05", [(100, 420), (100, 85), (400, 85)], 3,
          [],
          DialogueEvent(400, 85, 40, 4)),
]


class Recorder:
    def __init__(self, ticks, x, y):
        self.lines = []
        self.ticks = ticks
        self.x, self.y = x, y

    def emit(self, text):
        self.lines.append("%d %s" % (self.ticks, text))

    def move(self, x, y, after):
        self.ticks += after
        self.x, self.y = x, y
        self.emit("mm %d %d" % (x, y))

    def wait_until(self, ticks):
        """Pointer moves on the spot every IDLE_TICKS up to ticks."""
        while self.ticks + IDLE_TICKS <= ticks:
            self.move(self.x, self.y, IDLE_TICKS)
        self.ticks = max(self.ticks, ticks)

    def press(self, after=IDLE_TICKS):
        self.ticks += after
        self.emit("md %d" % LEFT)

    def release(self, after=IDLE_TICKS):
        self.ticks += after
        self.emit("mu %d" % LEFT)

    def click_through(self, opened, lines):
        """Clicks through a dialogue that opens about `opened`: a click on a
        line still typing completes it, the next one goes on."""
        self.wait_until(opened + FIRST_CLICK_DELAY)
        for _ in range(2 * lines + EXTRA_CLICKS):
            start = self.ticks
            self.press(0)
            self.release(PRESS_TICKS)
            self.wait_until(start + CLICK_TICKS)
        self.wait_until(self.ticks + AFTER_DIALOGUE)

    def let_go(self):
        """Releases the icon and puts the pointer beside it, at once: the
        events of one time reach the game before its next update, and so
        before a dialogue opened now pauses the gameplay. The gameplay still
        takes presses while paused, at the last pointer position it saw;
        beside the icon, the dialogue's clicks do not grab the icon (and
        each let-go would make a noise)."""
        self.release(0)
        away = self.y + AWAY_PIXELS if self.y < 300 else self.y - AWAY_PIXELS
        self.move(self.x, away, 0)

    def grab(self, x, y):
        """Puts the pointer on the icon's centre and presses there."""
        self.move(x, y, IDLE_TICKS)
        self.wait_until(self.ticks + SETTLE_TICKS)
        self.press()


def steps(a, b):
    """The points from a (excluded) to b (included), STEP_PIXELS apart."""
    length = math.hypot(b[0] - a[0], b[1] - a[1])
    count = max(1, math.ceil(length / STEP_PIXELS))
    for i in range(1, count + 1):
        f = i / count
        yield (round(a[0] + (b[0] - a[0]) * f), round(a[1] + (b[1] - a[1]) * f))


def play_level(rec, level, loaded):
    """Plays one level loaded at about `loaded`; returns when its goal fires
    (the engine time then)."""
    rec.click_through(loaded, level.intro_lines)
    rec.grab(*level.route[0])
    return walk_route(rec, level, level.route)


def walk_route(rec, level, route):
    """Drags the grabbed icon along route, clicking through the dialogues
    of the level's events on the way; returns when the goal fires."""
    pending = list(level.events)
    for a, b in zip(route, route[1:]):
        for p in steps(a, b):
            rec.move(p[0], p[1], STEP_TICKS)
            if level.goal.contains(p):
                rec.let_go()
                if level.goal.lines:
                    rec.click_through(rec.ticks, level.goal.lines)
                return rec.ticks
            fired = [e for e in pending if e.contains(p)]
            for event in fired:
                pending.remove(event)
            if fired:
                # Let go first; the gameplay ignores pointer moves while the
                # box is open, so the icon stays where the event fired.
                rec.let_go()
                rec.click_through(rec.ticks, sum(e.lines for e in fired))
                rec.grab(*p)
    raise SystemExit("%s: the route ends before its goal" % level.name)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else OUTPUT
    with open(ANSWER_YES) as f:
        answer = [line.strip() for line in f if line.strip()]
    random_start = answer[0]
    events = [line for line in answer[1:] if int(line.split()[0]) <= ANSWERS_END]
    last = events[-1].split()
    rec = Recorder(int(last[0]), int(last[2]), int(last[3]))

    loaded = FIRST_LEVEL_LOADED
    for level in LEVELS:
        # The next level loads at the game's update after its portal fires.
        loaded = play_level(rec, level, loaded) + IDLE_TICKS

    with open(output, "w") as f:
        f.write(random_start + "\n")
        for line in events + rec.lines:
            f.write(line + "\n")
    print("wrote %s: %d events, %.1f s of engine time" % (output, len(events) + len(rec.lines), rec.ticks / 1000.0))


if __name__ == "__main__":
    main()
