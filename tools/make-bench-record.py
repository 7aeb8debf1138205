#!/usr/bin/env python3
"""Writes the benchmark's recording, tools/bench/bench.txt, and its scene
table, tools/bench/scenes.txt (see docs/performance.md).

The recording starts as the play-through does (the title, the questions
answered yes), then stops in the places whose frames the benchmark measures:

  title     the title picture with its animations
  dialogue  level 1's opening dialogue typing out its first line
  drag      the icon dragged through level 1 (floating things, a patrol)
  portal    level 1's portal fading to level 2
  idle      level 2's opening dialogue, typed out, waiting for a click:
            nothing on the screen changes
  chase     the icon dragged into the hound's sight; the hound gives chase
            and catches it, the level loads again
  patrol    level 2 with the icon resting: only the hound walks (and the
            icon's flame flickers)
  captures  twenty more captures, for the memory figures

Usage: tools/make-bench-record.py
"""

import os
import runpy
import types

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The play-through's generator, whose recorder and route walker this one uses.
playthrough = types.SimpleNamespace(**runpy.run_path(os.path.join(ROOT, "tools", "make-playthrough.py")))

RECORD = os.path.join(ROOT, "tools", "bench", "bench.txt")
SCENES = os.path.join(ROOT, "tools", "bench", "scenes.txt")
# The scenes up to the patrol, for slow runs (under callgrind).
SHORT_SCENES = os.path.join(ROOT, "tools", "bench", "scenes-short.txt")

LEVEL_1 = playthrough.LEVELS[0]
LEVEL_2_START = playthrough.LEVELS[1].route[0]
# Up the open column at the left, then along the middle of the kitchen into
# the hound's sight: it walks the upper side of its round first.
CHASE_ROUTE = [LEVEL_2_START, (LEVEL_2_START[0], 320), (400, 320), (400, 300)]
CAPTURES = 21
# From letting go in the hound's sight to the next load's dialogue being
# open: the chase, the capture and the load, with room to spare.
CAPTURE_WAIT = 4000
WAIT_CLICKS = 8
# The icon rests this long at the start while the hound walks away.
PATROL_TICKS = 3000


def wait_then_click(rec, opened, idle, lines):
    """Leaves a dialogue opened about `opened` alone for `idle` ms, then
    clicks through its lines."""
    rec.wait_until(opened + idle)
    rec.click_through(rec.ticks - playthrough.FIRST_CLICK_DELAY, lines)


def drag(rec, route):
    for a, b in zip(route, route[1:]):
        for p in playthrough.steps(a, b):
            rec.move(p[0], p[1], playthrough.STEP_TICKS)


def level_1(rec, scenes):
    """The opening dialogue left to type out, then the route to the portal;
    returns the time level 2 loads."""
    loaded = playthrough.FIRST_LEVEL_LOADED
    scenes.append(("dialogue", loaded + 300, loaded + 1300))
    wait_then_click(rec, loaded, 3000, LEVEL_1.intro_lines)
    route = LEVEL_1.route
    rec.grab(*route[0])
    start = rec.ticks
    # Up the left wall, before the dialogue on the way.
    drag(rec, route[:2])
    scenes.append(("drag", start + 200, rec.ticks))
    portal = playthrough.walk_route(rec, LEVEL_1, route[1:])
    scenes.append(("portal", portal, portal + 1500))
    return portal + playthrough.IDLE_TICKS


def click_repeatedly(rec, count):
    for _ in range(count):
        start = rec.ticks
        rec.press(0)
        rec.release(playthrough.PRESS_TICKS)
        rec.wait_until(start + playthrough.CLICK_TICKS)


def level_2(rec, scenes, loaded):
    """The opening dialogue left alone, then capture after capture, with a
    rest after the first while the hound patrols."""
    scenes.append(("idle", loaded + 3000, loaded + 5000))
    wait_then_click(rec, loaded, 5500, 2)
    for capture in range(CAPTURES):
        begin = rec.ticks
        # The hound starts its patrol as the dialogue closes; the icon meets
        # it on the upper side of its round.
        rec.grab(*LEVEL_2_START)
        drag(rec, CHASE_ROUTE)
        rec.let_go()
        rec.wait_until(rec.ticks + CAPTURE_WAIT)
        if capture == 0:
            scenes.append(("chase", begin, rec.ticks))
        # The level's short dialogue after a capture, one line; the clicks
        # after it has closed do nothing.
        click_repeatedly(rec, WAIT_CLICKS)
        if capture == 0:
            start = rec.ticks + 500
            rec.wait_until(start + PATROL_TICKS)
            scenes.append(("patrol", start, rec.ticks))
            captures_start = rec.ticks
    scenes.append(("captures", captures_start, rec.ticks))


def main():
    with open(playthrough.ANSWER_YES) as f:
        answer = [line.strip() for line in f if line.strip()]
    events = [line for line in answer[1:] if int(line.split()[0]) <= playthrough.ANSWERS_END]
    last = events[-1].split()
    rec = playthrough.Recorder(int(last[0]), int(last[2]), int(last[3]))
    scenes = [("title", 1000, 4000)]
    level_2_loaded = level_1(rec, scenes)
    level_2(rec, scenes, level_2_loaded)

    with open(RECORD, "w") as f:
        f.write(answer[0] + "\n")
        for line in events + rec.lines:
            f.write(line + "\n")
    short = scenes[:[name for name, _, _ in scenes].index("patrol") + 1]
    for path, table in ((SCENES, scenes), (SHORT_SCENES, short)):
        with open(path, "w") as f:
            f.write("# Written by tools/make-bench-record.py with bench.txt: scene start_ms end_ms\n")
            for name, start, end in table:
                f.write("%s %d %d\n" % (name, start, end))
    print("wrote %s: %.1f s of engine time, %d scenes" % (RECORD, rec.ticks / 1000.0, len(scenes)))


if __name__ == "__main__":
    main()
