"""Checks the committed data files the way the game will read them: every XML
file parses with the engine's line rules and lists its keys in the order the
loaders bind them (out-of-order keys cost warnings in log.txt); every file a
data file names exists; pictures, fonts, sounds and music are what their
users expect; the start-up and event scripts only use the game's commands;
and every level still has its safe route. Prints problems and exits 1 when
there are any."""

import glob
import math
import os
import re
import sys
import wave
import subprocess
from PIL import Image

import common as C
import engine_xml as X
from make_fonts import OgfFont

problems = []


def problem(msg):
    problems.append(msg)


def exists(path, where):
    if not path:
        problem("%s: empty file name" % where)
        return False
    if not os.path.isfile(os.path.join(C.ROOT, path)):
        problem("%s: names missing file %s" % (where, path))
        return False
    return True


def check_order(node, keys, where):
    """Children named by keys must come in the keys' order; others must
    not be there at all."""
    seen = [c.name for c in node.children]
    for name in seen:
        if name not in keys:
            problem("%s: unexpected element <%s> in <%s>" % (where, name, node.name))
    idx = [keys.index(n) for n in seen if n in keys]
    if idx != sorted(idx):
        problem("%s: keys out of order in <%s>: %s" % (where, node.name, seen))
    for name in set(seen):
        if seen.count(name) > 1 and name not in ("Animation", "Frame", "DialogLine", "AreaEvent", "Portal", "PathPoint"):
            problem("%s: <%s> given twice" % (where, name))


BASE_KEYS = ["ImageFilename", "BackgroundUsage", "ScrollRect", "ImageRect", "Z", "Alpha"]
TEXT_KEYS = ["FontStartPosition", "FontRect", "Text", "BackdropFile", "FontFile"]
ANIM_KEYS = ["CurrentAnimation", "CurrentFrame", "MiniumUpdateTime", "Play", "TimeMultiply", "Animation"]
SLIDER_KEYS = ["BottomRect", "TopRect", "TopSprite", "BottomSprite", "Value"]
KINDS = ["sprite_base", "sprite_layer", "sprite_screenlayer", "sprite_text", "sprite_animated", "sprite_slider"]
LAYER_KEYS = ["LevelBackgroundImage", "CreateCrapground", "FloatThingsAround"]
LEVEL_KEYS = ["StartUpExecute", "PlayerPosition", "LevelBackgroundImage", "BackgroundLayer", "AreaEvents",
              "Portals", "BadGuyImage", "BadGuySpeed", "BadGuyAiRange", "BadGuyChasesPlayer", "BadGuyPath",
              "PlayerEnabled", "BadguyEnabled", "PlayerVisible", "BadguyVisible"]
GAME_COMMANDS = ["LoadLevel", "LoadDialog", "DoDialog", "SetPlayerEnabled", "SetBadguyEnabled", "SetPlayerShown",
                 "SetBadguyShown", "AddPortal", "AddSprite", "RemoveSprite", "SpritePlayAnimation", "SpriteMoveTo",
                 "PlayMusic", "EndGame"]


def is_int(text):
    return re.fullmatch(r"-?\d+", text or "") is not None


def is_bool(text):
    return text in ("0", "1")


def image_size(path):
    with Image.open(os.path.join(C.ROOT, path)) as im:
        return im.size, im.mode


def check_sprite_file(path):
    where = path
    try:
        root = X.parse(X.full(path))
    except Exception as e:
        problem("%s: does not parse: %s" % (where, e))
        return None
    kind = root.attrs.get("type")
    if kind not in KINDS:
        problem("%s: unknown sprite type %r" % (where, kind))
        return root
    if kind == "sprite_slider":
        check_order(root, SLIDER_KEYS, where)
        for k in ("TopSprite", "BottomSprite"):
            f = root.text(k)
            if exists(f, where + " " + k):
                check_sprite_file(f)
        return root
    keys = BASE_KEYS + (TEXT_KEYS if kind == "sprite_text" else ANIM_KEYS if kind == "sprite_animated" else [])
    check_order(root, keys, where)
    img = root.text("ImageFilename")
    size = None
    if img is not None and exists(img, where):
        size, mode = image_size(img)
        if not img.endswith(".jpg") and mode != "RGBA" and not img.endswith(".bmp"):
            problem("%s: %s is %s, not RGBA" % (where, img, mode))
    r = root.rect("ImageRect")
    if r is None or r[2] <= 0 or r[3] <= 0:
        problem("%s: no usable ImageRect" % where)
    for k in ("Z", "Alpha"):
        if root.child(k) is not None and not is_int(root.text(k)):
            problem("%s: %s is not a whole number" % (where, k))
    if root.child("BackgroundUsage") is not None and not is_bool(root.text("BackgroundUsage")):
        problem("%s: BackgroundUsage not 0/1" % where)
    if kind == "sprite_base" and size and r and (r[2], r[3]) != size:
        problem("%s: ImageRect size %s differs from the picture's %s" % (where, r[2:], size))
    if kind == "sprite_text":
        ff = root.text("FontFile")
        if exists(ff, where):
            font = OgfFont(os.path.splitext(os.path.basename(ff))[0])
            fr = root.rect("FontRect")
            text = root.text("Text", "")
            try:
                font.check_text(text)
                lines = font.wrap(text, fr[2]) if text else []
                if len(lines) * font.line_height > fr[3]:
                    problem("%s: text needs %d lines, rect holds %d" % (where, len(lines), fr[3] // font.line_height))
            except ValueError as e:
                problem("%s: %s" % (where, e))
            if fr[0] + fr[2] > r[2] - 1 or fr[1] + fr[3] > r[3]:
                problem("%s: FontRect %s outside the sprite's %dx%d buffer" % (where, fr, r[2] - 1, r[3]))
    if kind == "sprite_animated":
        names = []
        for a in root.all("Animation"):
            names.append(a.attrs.get("name"))
            if a.attrs.get("loop", "1") not in ("0", "1"):
                problem("%s: loop attribute not 0/1" % where)
            if not a.all("Frame"):
                problem("%s: animation %s has no frames" % (where, a.attrs.get("name")))
            for fr in a.all("Frame"):
                t = fr.attrs.get("type")
                if t == "frame_rect":
                    check_order(fr, ["Rect", "FrameLength", "Wrapped"], where)
                    rr = fr.rect("Rect")
                    if size and (rr[0] < 0 or rr[1] < 0 or rr[0] + rr[2] > size[0] or rr[1] + rr[3] > size[1]):
                        problem("%s: frame %s outside the picture %s" % (where, rr, size))
                    if r and (rr[2], rr[3]) != (r[2], r[3]):
                        problem("%s: frame %s differs from ImageRect size" % (where, rr))
                    if not is_int(fr.text("FrameLength")):
                        problem("%s: FrameLength missing" % where)
                elif t == "frame_sound":
                    exists(fr.attrs.get("sound_file"), where + " sound frame")
                else:
                    problem("%s: frame without a known type" % where)
        cur = root.text("CurrentAnimation")
        if cur and cur not in names:
            problem("%s: CurrentAnimation %s is not an animation" % (where, cur))
    return root


def check_layer_file(path):
    root = X.parse(X.full(path))
    check_order(root, LAYER_KEYS, path)
    f = root.text("LevelBackgroundImage")
    if exists(f, path):
        if f.endswith("xml"):
            s = check_sprite_file(f)
            if s is not None and s.rect("ImageRect") != (0, 0, 800, 600):
                problem("%s: background picture does not cover the screen" % path)
    for k in ("CreateCrapground", "FloatThingsAround"):
        if not is_bool(root.text(k)):
            problem("%s: %s missing or not 0/1" % (path, k))


def statements(script):
    """Splits joined script text at ';' outside quotes, as the console does."""
    out, cur, q = [], "", False
    for ch in script:
        if ch == '"':
            q = not q
        if ch == ";" and not q:
            if cur.strip(" \t"):
                out.append(cur.strip(" \t"))
            cur = ""
        else:
            cur += ch
    if cur.strip(" \t"):
        out.append(cur.strip(" \t"))
    return out


def check_script(script, where, sprites):
    """Game-console script: every statement a known game command with its
    arguments, or a variable assignment; named files must exist."""
    if "//" in script:
        problem("%s: '//' in a script cuts the line" % where)
    if script.count('"') % 2:
        problem("%s: unbalanced quotes" % where)
    for st in statements(script):
        if "=" in st.split("(")[0] and "(" not in st:
            target, value = [s.strip() for s in st.split("=", 1)]
            exists(value, where + " assignment")
            continue
        m = re.fullmatch(r"(\w+)\((.*)\)", st, re.S)
        if not m:
            if st.strip() == "EndGame":
                continue
            problem("%s: statement %r is not a call" % (where, st))
            continue
        name, inner = m.group(1), m.group(2)
        if name not in GAME_COMMANDS:
            problem("%s: unknown game command %s" % (where, name))
        args = [a.strip() for a in re.findall(r'"[^"]*"|[^,]+', inner) if a.strip()]
        strings = [a[1:-1] for a in args if a.startswith('"')]
        for a in args:
            if not a.startswith('"') and a.startswith("data/"):
                exists(a, where + " " + name)
        for s in strings:
            if s.startswith("data/"):
                exists(s, where + " " + name)
        if name == "AddSprite":
            sprites.add(strings[0])
        if name in ("RemoveSprite", "SpritePlayAnimation", "SpriteMoveTo") and strings and strings[0] not in sprites:
            problem("%s: %s of sprite %s that no script added" % (where, name, strings[0]))
        if name == "SpritePlayAnimation":
            pass
        if name == "DoDialog":
            f = OgfFont("dialog")
            f.check_text(strings[1])
            if "(" in strings[1] or ")" in strings[1]:
                problem("%s: parentheses in a DoDialog text" % where)


def check_dialog_file(path, sprites):
    root = X.parse(X.full(path))
    font = OgfFont("dialog")
    for line in root.children:
        if line.name != "DialogLine":
            problem("%s: unexpected <%s>" % (path, line.name))
            continue
        check_order(line, ["SpeakerImage", "Dialogue", "AfterExecute"], path)
        sp = line.text("SpeakerImage")
        if sp and exists(sp, path):
            check_sprite_file(sp)
        text = line.text("Dialogue", "")
        if not text:
            problem("%s: empty dialogue line (it could never be clicked past)" % path)
        try:
            font.check_text(text)
            if len(font.wrap(text, 590)) * font.line_height > 118:
                problem("%s: line too long for the box: %s" % (path, text))
        except ValueError as e:
            problem("%s: %s" % (path, e))
        if line.text("AfterExecute"):
            check_script(line.text("AfterExecute"), path, sprites)


def check_level(path, levels_seen):
    root = X.parse(X.full(path))
    check_order(root, LEVEL_KEYS, path)
    sprites = set()
    check_script(root.text("StartUpExecute", ""), path + " StartUpExecute", sprites)
    for key in ("LevelBackgroundImage", "BackgroundLayer", "BadGuyImage"):
        exists(root.text(key), path + " " + key)
    pic = root.text("LevelBackgroundImage")
    size, mode = image_size(pic)
    if size != (800, 600) or mode != "RGBA":
        problem("%s: level picture %s is %s %s" % (path, pic, size, mode))
    else:
        with Image.open(os.path.join(C.ROOT, pic)) as im:
            a = im.getchannel("A")
            hist = a.histogram()
            if any(hist[111:250]):
                problem("%s: walk mask has alpha values between walls and floor" % pic)
    check_layer_file(root.text("BackgroundLayer"))
    check_sprite_file(root.text("BadGuyImage"))
    for ev in root.child("AreaEvents").children:
        check_order(ev, ["Position", "Range", "Execute"], path)
        for k in ("for_player", "for_badguy"):
            if not is_bool(ev.attrs.get(k)):
                problem("%s: AreaEvent %s not 0/1" % (path, k))
        if not is_int(ev.attrs.get("how_many_times")) or int(ev.attrs["how_many_times"]) < 1:
            problem("%s: AreaEvent how_many_times must be at least 1" % path)
        check_script(ev.text("Execute", ""), path + " AreaEvent", sprites)
    for p in root.child("Portals").children:
        check_order(p, ["Position", "PortalImage", "NextFile"], path)
        exists(p.text("PortalImage"), path + " portal")
        nxt = p.text("NextFile")
        if exists(nxt, path + " portal"):
            levels_seen.add(nxt)
    for k in ("BadGuySpeed", "BadGuyAiRange"):
        float(root.text(k))
    for k in LEVEL_KEYS[-4:] + ["BadGuyChasesPlayer"]:
        if root.child(k) is not None and not is_bool(root.text(k)):
            problem("%s: %s not 0/1" % (path, k))
    script_text = open(X.full(path)).read()
    for f in re.findall(r"data/dialogs/[\w.]+", script_text):
        if exists(f, path):
            check_dialog_file(f, sprites)
    for f in re.findall(r"data/levels/level_\d+\.xml", script_text):
        levels_seen.add(f)
    return root


REQUIRED = ["data/gfx/%s.xml" % n for n in (
    "icon_player", "dialog_box", "dialog_text", "click_to_continue", "title_background", "title_blackout",
    "morvane_logo", "title_game_by", "title_music_by", "blackfader", "questions_background", "questions_01",
    "questions_02", "questions_03", "questions_04", "questions_05", "blackstair", "questions_continue",
    "questions_yes", "questions_no", "questions_you_continue", "end_of_game_blackout", "end_of_game_animation",
    "background_crap_01", "background_crap_02", "background_crap_03", "background_crap_04",
    "floating_things_01", "floating_things_02", "floating_things_03", "floating_things_04")] + [
    "data/sfx/shriek_01.wav", "data/sfx/shriek_02.wav", "data/sfx/shriek_03.wav", "data/levels/level_01.xml"]

LAYER_FILES = ["data/gfx/title_background.xml", "data/gfx/questions_background.xml"]

# sprite file: (x, y, w, h) that the game's code expects
RECTS = {
    "data/gfx/questions_yes.xml": (176, 363, 72, 42),
    "data/gfx/questions_no.xml": (495, 363, 56, 31),
    "data/gfx/questions_you_continue.xml": (295, 348, 150, 35),
    "data/gfx/title_blackout.xml": (0, 0, 800, 600),
    "data/gfx/end_of_game_blackout.xml": (0, 0, 800, 600),
}


def check_screens():
    # dialogue box slides up from y 600 and must fit the screen when open
    box = X.SpriteInfo("data/gfx/dialog_box.xml")
    if box.rect[1] != 600 or box.rect[0] != 0 or box.rect[2] != 800:
        problem("dialog_box: expected at (0, 600) and 800 wide, got %s" % (box.rect,))
    open_y = 601 - box.rect[3]
    for f in ("data/gfx/dialog_text.xml", "data/gfx/click_to_continue.xml"):
        s = X.SpriteInfo(f)
        x, y, w, h = s.rect
        if y < open_y or y + h > 600 or x < 0 or x + w > 800:
            problem("%s: %s not inside the open box (y %d..600)" % (f, s.rect, open_y))
    for f in glob.glob(os.path.join(C.DATA, "gfx", "portrait_*.xml")):
        s = X.SpriteInfo(os.path.relpath(f, C.ROOT))
        if s.rect[2] > 300 or s.rect[1] < open_y - 20 or s.rect[1] + s.rect[3] > 600:
            problem("%s: portrait does not fit beside the box" % f)
    # title: credits under the fader's cover at (48, 369), off screen at 726 and -726
    fader = X.SpriteInfo("data/gfx/blackfader.xml")
    fw, fh = fader.rect[2], fader.rect[3]
    for f in ("data/gfx/title_game_by.xml", "data/gfx/title_music_by.xml"):
        s = X.SpriteInfo(f)
        x, y, w, h = s.rect
        if x < 48 + 30 or x + w > 48 + fw - 30 or y < 369 or y + h > 369 + fh:
            problem("%s: %s not covered by the fader at (48, 369)" % (f, s.rect))
    if -726 + fw > 0:
        problem("blackfader: still on screen at (-726, 369)")
    # questions: under the stair at (31, 123), left of its resting place at x 700
    stair = X.SpriteInfo("data/gfx/blackstair.xml")
    sw, sh = stair.rect[2], stair.rect[3]
    if 31 + sw < 800:
        problem("blackstair: does not reach the right edge at x 31")
    for i in range(1, 6):
        s = X.SpriteInfo("data/gfx/questions_%02d.xml" % i)
        x, y, w, h = s.rect
        if x < 31 + 72 or x + w > 700 or y < 123 or y + h > 123 + sh:
            problem("questions_%02d: %s outside the stair's band" % (i, s.rect))
        want = 255 if i == 1 else 0
        if s.alpha != want:
            problem("questions_%02d: alpha %d, expected %d" % (i, s.alpha, want))
    for f, want in RECTS.items():
        s = X.SpriteInfo(f)
        if s.rect != want:
            problem("%s: rect %s, expected %s" % (f, s.rect, want))


def check_fonts():
    for ogf in glob.glob(os.path.join(C.DATA, "fonts", "*.ogf")):
        name = os.path.splitext(os.path.basename(ogf))[0]
        line = open(ogf).readline().rstrip("\n")
        if not line.startswith("OGF;"):
            problem("%s: not an OGF line" % ogf)
        f = OgfFont(name)
        if not exists(f.image, ogf):
            continue
        (w, h), mode = image_size(f.image)
        cw, ch, cols, rows = f.cell
        if (w, h) != (cols * cw, rows * ch):
            problem("%s: picture %dx%d, expected %dx%d" % (ogf, w, h, cols * cw, rows * ch))
        if mode != "RGBA":
            problem("%s: font picture must have an alpha channel" % ogf)
        if f.space <= 0:
            problem("%s: space has no width" % ogf)


def check_sounds():
    for wav in glob.glob(os.path.join(C.DATA, "sfx", "*.wav")):
        with wave.open(wav) as w:
            if w.getframerate() != 22050 or w.getsampwidth() != 2:
                problem("%s: not 16-bit 22050 Hz" % wav)
            if w.getnframes() / 22050.0 > 8:
                problem("%s: longer than 8 s" % wav)
    for ogg in glob.glob(os.path.join(C.DATA, "music", "*.ogg")):
        try:
            d = float(subprocess.check_output(["soxi", "-D", ogg]).decode())
        except Exception as e:
            problem("%s: cannot read: %s" % (ogg, e))
            continue
        if not 20 < d < 60:
            problem("%s: %.1f s long" % (ogg, d))


def main():
    for f in REQUIRED:
        exists(f, "required")
    xmls = sorted(os.path.relpath(p, C.ROOT) for p in glob.glob(os.path.join(C.DATA, "**", "*.xml"), recursive=True))
    layer_files = set(LAYER_FILES)
    for p in xmls:
        if os.path.basename(p).startswith("layer_"):
            layer_files.add(p)
    for p in xmls:
        try:
            X.parse(X.full(p))
        except Exception as e:
            problem("%s: does not parse: %s" % (p, e))
    for p in xmls:
        if p.startswith("data/gfx/") and p not in layer_files:
            check_sprite_file(p)
    for p in layer_files:
        check_layer_file(p)
    check_screens()
    check_fonts()
    check_sounds()
    if not os.path.isfile(os.path.join(C.DATA, "gfx", "window_icon.bmp")) or image_size("data/gfx/window_icon.bmp")[0] != (32, 32):
        problem("window_icon.bmp missing or not 32x32")
    # the journey: level_01 to the level whose end runs EndGame()
    seen, todo, done = set(), ["data/levels/level_01.xml"], set()
    ends = False
    while todo:
        lv = todo.pop()
        if lv in done:
            continue
        done.add(lv)
        found = set()
        check_level(lv, found)
        text = open(X.full(lv)).read()
        for d in re.findall(r"data/dialogs/[\w.]+", text):
            if "EndGame()" in open(X.full(d)).read():
                ends = True
        todo += sorted(found - done)
    if not ends:
        problem("no level leads to a dialogue or event that runs EndGame()")
    levels = sorted(os.path.relpath(p, C.ROOT) for p in glob.glob(os.path.join(C.DATA, "levels", "level_*.xml")))
    for lv in levels:
        if lv not in done:
            problem("%s is not reachable from level_01" % lv)
    # safe routes, checked on the committed pictures
    import make_levels as L
    import levelsim as S
    import numpy as np
    for lv in L.LEVELS:
        alpha = np.asarray(Image.open(os.path.join(C.ROOT, lv.picture_file)).getchannel("A"))
        ps, info = L.check(lv, alpha)
        for p in ps:
            problem("level %d: %s" % (lv.n, p))
    total = 0
    for dirpath, _, files in os.walk(C.DATA):
        total += sum(os.path.getsize(os.path.join(dirpath, f)) for f in files)
    if total > 12 * 1024 * 1024:
        problem("data/ is %.1f MB" % (total / 1048576.0))
    for p in problems:
        print("PROBLEM: " + p)
    print("checked %d XML files, %d levels; data/ is %.1f MB; %d problems" % (
        len(xmls), len(done), total / 1048576.0, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
