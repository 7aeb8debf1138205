"""Checks what the generators made that the game's data checker
(build/tarn-check, which reads every level, dialogue, layer and sprite file
with the game's own loaders) does not see: texts fit their boxes in their
fonts, animation frames lie inside their pictures, level pictures keep a
clean walk mask, the screens' sprites sit where the game's code moves them,
fonts, sounds and music are what their users expect, every level is reached
from the first and the last ends the game, and every level still has its
safe route. Prints problems and exits 1 when there are any."""

import glob
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
    if not path or not os.path.isfile(os.path.join(C.ROOT, path)):
        problem("%s: names missing file %s" % (where, path))
        return False
    return True


def image_size(path):
    with Image.open(os.path.join(C.ROOT, path)) as im:
        return im.size, im.mode


def check_sprite_media(path):
    """The picture, text and frames of one sprite file."""
    root = X.parse(X.full(path))
    kind = root.attrs.get("type")
    img = root.text("ImageFilename")
    size = None
    if img and exists(img, path):
        size, mode = image_size(img)
        if not img.endswith(".jpg") and mode != "RGBA" and not img.endswith(".bmp"):
            problem("%s: %s is %s, not RGBA" % (path, img, mode))
    r = root.rect("ImageRect")
    if kind == "sprite_base" and size and r and (r[2], r[3]) != size:
        problem("%s: ImageRect size %s differs from the picture's %s" % (path, r[2:], size))
    if kind == "sprite_text":
        check_text_fits(root, r, path)
    if kind == "sprite_animated":
        for a in root.all("Animation"):
            for fr in a.all("Frame"):
                if fr.attrs.get("type") != "frame_rect":
                    continue
                rr = fr.rect("Rect")
                if size and (rr[0] < 0 or rr[1] < 0 or rr[0] + rr[2] > size[0] or rr[1] + rr[3] > size[1]):
                    problem("%s: frame %s outside the picture %s" % (path, rr, size))
                if r and (rr[2], rr[3]) != (r[2], r[3]):
                    problem("%s: frame %s differs from ImageRect size" % (path, rr))


def check_text_fits(root, r, path):
    ff = root.text("FontFile")
    if not ff or not exists(ff, path):
        return
    font = OgfFont(os.path.splitext(os.path.basename(ff))[0])
    fr = root.rect("FontRect")
    text = root.text("Text", "")
    try:
        font.check_text(text)
        lines = font.wrap(text, fr[2]) if text else []
        if len(lines) * font.line_height > fr[3]:
            problem("%s: text needs %d lines, rect holds %d" % (path, len(lines), fr[3] // font.line_height))
        if text and font.lone_word(text, fr[2]):
            problem("%s: %r stands alone on the last line" % (path, font.lone_word(text, fr[2])))
    except ValueError as e:
        problem("%s: %s" % (path, e))
    if fr[0] + fr[2] > r[2] - 1 or fr[1] + fr[3] > r[3]:
        problem("%s: FontRect %s outside the sprite's %dx%d buffer" % (path, fr, r[2] - 1, r[3]))


def check_dialogue_texts(path):
    """Every line's text in the dialogue font fits the open box."""
    font = OgfFont("dialog")
    root = X.parse(X.full(path))
    for line in root.all("DialogLine"):
        text = line.text("Dialogue", "")
        try:
            font.check_text(text)
            if len(font.wrap(text, 590)) * font.line_height > 118:
                problem("%s: line too long for the box: %s" % (path, text))
            if font.lone_word(text, 590):
                problem("%s: %r stands alone on the last line of: %s" % (path, font.lone_word(text, 590), text))
        except ValueError as e:
            problem("%s: %s" % (path, e))
    for text in re.findall(r'DoDialog\(\s*"[^"]*"\s*,\s*"([^"]*)"', open(X.full(path)).read()):
        check_said_text(text, path)


def check_said_text(text, where):
    try:
        OgfFont("dialog").check_text(text)
        if OgfFont("dialog").lone_word(text, 590):
            problem("%s: a word stands alone on the last line of: %s" % (where, text))
    except ValueError as e:
        problem("%s: %s" % (where, e))
    if "(" in text or ")" in text:
        problem("%s: parentheses in a DoDialog text" % where)


def check_level_picture(path):
    pic = X.parse(X.full(path)).text("LevelBackgroundImage")
    size, mode = image_size(pic)
    if size != (800, 600) or mode != "RGBA":
        problem("%s: level picture %s is %s %s" % (path, pic, size, mode))
        return
    with Image.open(os.path.join(C.ROOT, pic)) as im:
        if any(im.getchannel("A").histogram()[111:250]):
            problem("%s: walk mask has alpha values between walls and floor" % pic)


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
    # questions: under the curtain's full black at (31, 123), left of its
    # resting place at x 700
    stair = X.SpriteInfo("data/gfx/blackstair.xml")
    sw, sh = stair.rect[2], stair.rect[3]
    if 31 + sw < 800:
        problem("blackstair: does not reach the right edge at x 31")
    opaque_rows = [cy for cy in range(sh) if stair.image.getpixel((sw - 1, cy))[3] == 255]
    left = next(cx for cx in range(sw) if stair.image.getpixel((cx, sh // 2))[3] == 255)
    top, bottom = 123 + opaque_rows[0], 123 + opaque_rows[-1] + 1
    for i in range(1, 6):
        s = X.SpriteInfo("data/gfx/questions_%02d.xml" % i)
        x, y, w, h = s.rect
        if x < 31 + left or x + w > 700 or y < top or y + h > bottom:
            problem("questions_%02d: %s outside the curtain's full black (x %d.., y %d..%d)" % (
                i, s.rect, 31 + left, top, bottom))
        want = 255 if i == 1 else 0
        if s.alpha != want:
            problem("questions_%02d: alpha %d, expected %d" % (i, s.alpha, want))
    # the continue button's plaque (its opaque pixels) centres under the texts
    cont = X.SpriteInfo("data/gfx/questions_you_continue.xml")
    box = cont.image.getchannel("A").getbbox()
    if box and abs(cont.rect[0] + (box[0] + box[2]) / 2.0 - 400) > 1:
        problem("questions_you_continue: plaque centred at x %.1f, not 400" % (cont.rect[0] + (box[0] + box[2]) / 2.0))
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


def check_journey(levels):
    """level_01 leads to every level, and some dialogue ends the game."""
    todo, done, ends = ["data/levels/level_01.xml"], set(), False
    while todo:
        lv = todo.pop()
        if lv in done or not exists(lv, "journey"):
            continue
        done.add(lv)
        text = open(X.full(lv)).read()
        check_level_picture(lv)
        for text_said in re.findall(r'DoDialog\(\s*"[^"]*"\s*,\s*"([^"]*)"', text):
            check_said_text(text_said, lv)
        for d in sorted(set(re.findall(r"data/dialogs/[\w.]+", text))):
            if exists(d, lv):
                check_dialogue_texts(d)
                ends = ends or "EndGame()" in open(X.full(d)).read()
        todo += sorted(set(re.findall(r"data/levels/level_\d+\.xml", text)) - done)
    if not ends:
        problem("no level leads to a dialogue or event that runs EndGame()")
    for lv in levels:
        if lv not in done:
            problem("%s is not reachable from level_01" % lv)
    return done


def main():
    for f in REQUIRED:
        exists(f, "required")
    sprites = sorted(os.path.relpath(p, C.ROOT) for p in glob.glob(os.path.join(C.DATA, "gfx", "*.xml")))
    for p in sprites:
        if not os.path.basename(p).startswith("layer_") and p not in LAYER_FILES:
            check_sprite_media(p)
    check_screens()
    check_fonts()
    check_sounds()
    if not os.path.isfile(os.path.join(C.DATA, "gfx", "window_icon.bmp")) or image_size("data/gfx/window_icon.bmp")[0] != (32, 32):
        problem("window_icon.bmp missing or not 32x32")
    levels = sorted(os.path.relpath(p, C.ROOT) for p in glob.glob(os.path.join(C.DATA, "levels", "level_*.xml")))
    done = check_journey(levels)
    # safe routes, checked on the committed pictures
    import make_levels as L
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
    print("checked %d sprite files, %d levels; data/ is %.1f MB; %d problems" % (
        len(sprites), len(done), total / 1048576.0, len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
