"""Checks a level against its picture's walk mask (a safe route from the
start to a way out that keeps away from the patrol and out of the bad guy's
sight, events on the route, the path on screen) and writes LEVELS.md, the
walkthrough, from the same data as the level files."""

import math
import os
from PIL import Image, ImageDraw

import numpy as np

import common as C
import levelsim as S
import make_background as B
from level_model import W, H, shape_mask



def check(lv, alpha, overlay_dir=None):
    m = S.Mask(alpha)
    problems = []
    if not m.is_open(*lv.start):
        problems.append("start %s is not open" % (lv.start,))
    route = S.polyline_samples(lv.route, 1.0)
    for p in route:
        if not m.is_open(int(p[0] + 0.5), int(p[1] + 0.5)):
            problems.append("route point %s is in a wall" % (tuple(int(v) for v in p),))
            break
    exits = [p for p in lv.portals + getattr(lv, "late_portals", [])]
    end = lv.route[-1]
    if exits and not any(math.hypot(end[0] - q[0], end[1] - q[1]) < 35 for q, _, _ in exits):
        problems.append("route does not end at a portal")
    patrol = S.polyline_samples(S.patrol_centres(lv.path[:len(lv.loop) + 2], lv.badguy_size)
                                + [lv.loop[0]], 3.0)
    patrol += S.polyline_samples(lv.path[-2:], 3.0)
    closest = 1e9
    seen_at = 1e9
    worst = None
    for p in route[::3]:
        for b in patrol:
            d = math.hypot(p[0] - b[0], p[1] - b[1])
            closest = min(closest, d)
            if d < lv.range * 1.35 and d < seen_at and m.line_of_sight(b, p):
                seen_at, worst = d, (p, b)
    if closest < 70:
        problems.append("route passes within %d px of the patrol" % closest)
    if lv.chases and worst is not None and seen_at < lv.range * 1.25:
        problems.append("bad guy sees the route from %d px (range %d) at %s from %s" % (
            seen_at, lv.range, tuple(int(v) for v in worst[0]), tuple(int(v) for v in worst[1])))
    for e in lv.events:
        if e.player and not any(math.hypot(p[0] - e.pos[0], p[1] - e.pos[1]) < e.range for p in route) \
                and e.pos != (400, 85):
            problems.append("event at %s is off the route" % (e.pos,))
    for x, y in lv.path:
        if not (0 <= x < W and 0 <= y < H):
            problems.append("path point %s off screen" % ((x, y),))
    plea = B.plea_mask(lv.layer_theme)
    if plea is not None:
        covered = np.zeros((H, W), bool)
        for s in lv.floor:
            covered |= shape_mask(s)
        if (covered & (plea > 0.02)).any():
            problems.append("the wall writing of %s lies over floor or furniture" % lv.layer_theme)
    if overlay_dir:
        img = Image.open(os.path.join(C.ROOT, lv.picture_file)).convert("RGBA")
        over = Image.new("RGBA", img.size, (0, 0, 0, 255))
        over.alpha_composite(img)
        d = ImageDraw.Draw(over)
        d.line([tuple(p) for p in lv.route], fill=(0, 255, 0, 255), width=2)
        loop = S.patrol_centres(lv.path[:len(lv.loop) + 2], lv.badguy_size)
        d.line([tuple(p) for p in loop], fill=(255, 0, 0, 255), width=2)
        for e in lv.events:
            d.ellipse([e.pos[0] - e.range, e.pos[1] - e.range, e.pos[0] + e.range, e.pos[1] + e.range],
                      outline=(0, 160, 255, 255))
        if worst:
            d.line([worst[0], worst[1]], fill=(255, 255, 0, 255), width=1)
        over.convert("RGB").save(os.path.join(overlay_dir, "check_level_%02d.png" % lv.n))
    info = "closest %d px, nearest sight %s px (range %d)" % (
        closest, "none" if seen_at == 1e9 else int(seen_at), lv.range)
    return problems, info


def dialog_lines(path):
    import engine_xml as X
    root = X.parse(X.full(path))
    return [c for c in root.children if c.name == "DialogLine"]


def describe(levels):
    """tools/assets/LEVELS.md: the walkthrough, written from the same data
    as the level files."""
    out = ["# Levels", "",
           "Written by `tools/assets/make_levels.py` from the level definitions; do not edit by hand.",
           "",
           "All points are screen pixels (800x600, x right, y down). The player's",
           "positions are the centre of the 24x24 icon. A bad guy's path starts with",
           "the top-left corner of its picture (the engine's rule for the first path",
           "point); every later point is where its centre walks to. The loop is walked",
           "again and again (the file repeats it for about eleven minutes of patrol) and",
           "ends at a resting point away from the safe route, because a bad guy stops",
           "for good at the end of its path.",
           "",
           "The safe route of each level keeps the player's centre on open floor and out",
           "of the bad guy's sight (range and walls) from every point of its patrol, with",
           "at least 70 px between route and patrol; `tools/assets/check_assets.py`",
           "checks this with the engine's IsOpen and HasLineOfSight rules.",
           "",
           "For a recorded play-through: press the left button on the icon and drag it",
           "along the route (any speed; each mouse move only tests the destination).",
           "When a dialogue opens, release the button first, then click once per line",
           "(the first click on a line that is still typing only completes it; clicks",
           "count after the box has been open 350 ms). After the box closes, press on",
           "the icon again and go on. Dialogues marked *first time only* are shown once",
           "per game: after a capture the level shows the short line named after it.",
           ""]
    for lv in levels:
        out += ["## Level %d: %s (`%s`)" % (lv.n, lv.name, lv.file), ""]
        out.append("- Picture `%s`, background layer `%s`, music `%s`." % (lv.picture_file, lv.layer_file, lv.music))
        out.append("- Start: %s." % (lv.start,))
        for (pos, img, nxt) in lv.portals:
            out.append("- Portal at %s to `%s`." % (pos, nxt))
        for (pos, img, nxt) in getattr(lv, "late_portals", []):
            out.append("- Portal at %s to `%s`, added by an area event (see below)." % (pos, nxt))
        out.append("- Safe route: %s." % " -> ".join(str(p) for p in lv.route))
        sw = ", ".join('"%s" %d' % (k, int(v)) for k, v in lv.switches.items())
        out.append("- Bad guy `%s` (%dx%d): speed %g px/s, sight %g px, %s.%s" % (
            lv.badguy_image, lv.badguy_size[0], lv.badguy_size[1], lv.speed, lv.range,
            "chases" if lv.chases else "never chases", (" Switches: " + sw + ".") if sw else ""))
        out.append("  Path: corner %s, then the loop %s, repeated, then rest at %s." % (
            lv.path_start, " -> ".join(str(p) for p in lv.loop), lv.rest))
        if lv.intro:
            n = len(dialog_lines(lv.intro[0]))
            out.append("- On start: dialogue `%s` (%d lines, first time only; after a capture `%s`, %d line)." % (
                lv.intro[0], n, lv.intro[1], len(dialog_lines(lv.intro[1]))))
        for e in lv.events:
            who = "player" if e.player else "bad guy"
            what = " ".join(e.script)
            note = ""
            for st in e.script:
                if st.startswith("LoadDialog("):
                    f = st[st.index("(") + 1:st.rindex(")")].strip().strip('"')
                    note = " Opens `%s` (%d lines%s)." % (f, len(dialog_lines(f)),
                                                          ", first time only" if "=" in " ".join(e.script) else "")
                elif st.startswith("DoDialog("):
                    note = " Opens a one-line dialogue."
            out.append("- Area event for the %s at %s, range %g, %d time(s): `%s`%s" % (
                who, e.pos, e.range, e.times, what, note))
        out.append("")
    with open(os.path.join(os.path.dirname(__file__), "LEVELS.md"), "w") as f:
        f.write("\n".join(out))
