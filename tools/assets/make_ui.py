"""Title sequence, question screen, dialogue box and end-of-game pictures and
their sprite description files."""

import math
import sys
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import common as C
import draw as D
from make_fonts import OgfFont

W, H = 800, 600
TITLE = open(C.data_path("TITLE")).read().strip()

# Depths (smaller is in front)
Z_END_ANIM, Z_END_BLACK = 2, 3
Z_TITLE_BLACK = 5
Z_PROMPT, Z_DIALOG_TEXT, Z_PORTRAIT, Z_DIALOG_BOX = 8, 9, 10, 12
Z_FADER = 20
Z_BUTTON = 25
Z_TEXT = 30
Z_LOGO = 35


def g(name):
    return "data/gfx/" + name


def gp(name):
    return C.data_path("gfx", name)


# --------------------------------------------------------------------------
# Title

def title_background():
    r = C.rng(101)
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    # night sky: dusk blue at the horizon to ink at the top
    t = np.clip(yy / 330.0, 0, 1)
    sky = np.array(C.INK, np.float32) * (1 - t[..., None]) + np.array((34, 38, 56), np.float32) * t[..., None]
    clouds = C.smooth_noise(W, H, 160, 102, 5)
    band = np.clip(1 - np.abs(yy - 250) / 140.0, 0, 1)
    sky += (clouds[..., None] - 0.45) * 60 * band[..., None] * np.array((0.8, 0.85, 1.0))
    # moon and its halo
    moon_x, moon_y = 610, 170
    halo = C.radial(W, H, moon_x, moon_y, 190, 2.2)
    sky += halo[..., None] * np.array((70, 74, 82), np.float32)
    cv = D.Canvas(W, H)
    cv.rgb = sky
    cv.a[:] = 255
    moon = cv.mask(D.ellipse(moon_x, moon_y, 34, 34), blur=0.8)
    cv.paint_field(moon, D.texture_field(W, H, 103, (214, 212, 196), 0.12, 12, 3, 0.02))
    # clouds drifting over the moon
    cl = np.clip((C.smooth_noise(W, H, 90, 104, 5) - 0.52) * 3.5, 0, 1) * np.clip(1 - np.abs(yy - 185) / 60, 0, 1)
    cv.paint(cl, (26, 28, 40), 0.8)
    # stars
    for _ in range(120):
        sx, sy = r.integers(0, W), r.integers(0, 300)
        b = r.random() * 0.6 + 0.2
        s = cv.mask(D.ellipse(sx, sy, 0.7, 0.7))
        cv.paint(s, (200, 205, 220), b * (1 - halo[sy, sx]))
    # the hill and the manor
    hill = [(0, 330)] + [(x, 318 - 26 * math.exp(-((x - 420) / 210.0) ** 2) + 3 * math.sin(x / 37.0)) for x in range(0, 801, 10)] + [(800, 600), (0, 600)]
    house = [
        (300, 300), (300, 232), (292, 232), (330, 196), (368, 232), (360, 232), (360, 250),
        (382, 250), (382, 180), (376, 180), (400, 136), (424, 180), (418, 180), (418, 250),
        (440, 250), (440, 214), (452, 214), (452, 196), (462, 196), (462, 214), (470, 214),
        (470, 230), (500, 200), (538, 232), (530, 232), (530, 300)]
    tower_spire = [(397, 140), (400, 104), (403, 140)]
    chimneys = [D.rect(318, 188, 326, 214), D.rect(506, 192, 514, 214)]
    sil = cv.mask(D.several(D.polygon(hill), D.polygon(house), D.polygon(tower_spire), *chimneys))
    cv.paint(sil, (4, 4, 7))
    # windows: all dark but one
    for (x0, y0) in [(312, 250), (340, 250), (392, 196), (408, 196), (392, 262), (480, 252), (508, 252), (450, 262)]:
        w = cv.mask(D.rect(x0, y0, x0 + 7, y0 + 11))
        cv.paint(w, (18, 20, 28))
    lit = cv.mask(D.rect(400, 196, 407, 207))
    cv.paint(lit, (255, 200, 120))
    cv.paint(C.radial(W, H, 403.5, 201.5, 26, 2.0), C.CANDLE, 0.5)
    # thin mist at the foot of the hill
    mist = np.clip((C.smooth_noise(W, H, 120, 105, 4) - 0.4) * 2.0, 0, 1) * np.clip(1 - np.abs(yy - 318) / 26.0, 0, 1)
    cv.paint(mist, (60, 64, 80), 0.35)
    # everything below the hill line stays black for the credits and the fader
    below = np.clip((yy - 336) / 10.0, 0, 1)
    cv.paint(below, (0, 0, 0))
    # the game's title in the sky
    fnt = C.font(C.FONT_TITLE, 92)
    spaced = " ".join(TITLE.upper())
    tw = fnt.getlength(spaced)
    ti = C.glow_text((W, 140), spaced, fnt, (228, 218, 198), (200, 120, 50), 9, 0.55,
                     pos=((W - tw) / 2, 10))
    cv.paste_image(ti, 0, 22)
    C.save_jpg(cv.image(), gp("title_background.jpg"))
    root = C.Node("BackgroundLayer")
    root.add(C.value("LevelBackgroundImage", g("title_backdrop.xml")))
    root.add(C.value("CreateCrapground", False))
    root.add(C.value("FloatThingsAround", False))
    C.write_xml(gp("title_background.xml"), root)
    C.image_sprite(gp("title_backdrop.xml"), g("title_background.jpg"), (0, 0, W, H), 400, background_usage=False)


def black(name, z, w=W, h=H, x=0, y=0, alpha=None):
    img = Image.new("RGBA", (w, h), (0, 0, 0, 255))
    C.save_png(img, gp(name + ".png"))
    C.image_sprite(gp(name + ".xml"), g(name + ".png"), (x, y, w, h), z, alpha)


def logo():
    w, h = 300, 120
    cv = D.Canvas(w, h)
    cx, cy, r = 60, 60, 44
    ring = cv.mask(D.ellipse(cx, cy, r, r)) - cv.mask(D.ellipse(cx, cy, r - 3, r - 3))
    cv.paint(np.clip(ring, 0, 1), C.BONE)
    inner = cv.mask(D.ellipse(cx, cy, r - 6, r - 6))
    cv.paint(inner, (14, 16, 24))
    # two peaks over still water and their reflection
    peaks = D.polygon([(cx - 34, cy + 2), (cx - 12, cy - 26), (cx - 2, cy - 12), (cx + 12, cy - 32), (cx + 34, cy + 2)])
    pm = cv.mask(peaks) * inner
    cv.paint(pm, (186, 182, 170))
    refl = D.polygon([(cx - 34, cy + 4), (cx - 12, cy + 26), (cx - 2, cy + 14), (cx + 12, cy + 32), (cx + 34, cy + 4)])
    rm = cv.mask(refl) * inner
    ripple = 0.55 + 0.25 * np.sin(np.mgrid[0:h, 0:w][0] * 1.6)
    cv.paint(rm * ripple, (96, 112, 124))
    water = cv.mask(D.rect(cx - 40, cy + 2, cx + 40, cy + 4)) * inner
    cv.paint(water, C.BONE, 0.8)
    fnt = C.font(C.FONT_TITLE, 56)
    t = C.glow_text((w, h), "TARN", fnt, C.BONE, (120, 140, 160), 5, 0.35, pos=(118, 18))
    cv.paste_image(t, 0, 0)
    C.save_png(cv.image(), gp("morvane_logo.png"))
    C.image_sprite(gp("morvane_logo.xml"), g("morvane_logo.png"), (400 - w // 2, 440, w, h), Z_LOGO)


def centred_text_sprite(name, text, font_name, y, z, alpha=None, width_limit=(78, 718)):
    f = OgfFont(font_name)
    f.check_text(text)
    tw = f.text_width(text)
    w = tw + 8
    x = 400 - w // 2
    assert x >= width_limit[0] and x + w <= width_limit[1], (name, x, w)
    C.text_sprite(gp(name + ".xml"), (x, y, w + 1, f.line_height), z, "data/fonts/%s.ogf" % font_name,
                  text, font_rect=(0, 0, w, f.line_height), alpha=alpha)


def fader():
    w, h, feather = 700, 64, 34
    xx = np.arange(w, dtype=np.float32)
    a = np.clip(np.minimum(xx / feather, (w - 1 - xx) / feather), 0, 1)
    a = (a * a * (3 - 2 * a)) * 255
    alpha = np.repeat(a[None, :], h, axis=0)
    img = C.to_rgba_image(np.zeros((h, w, 3), np.float32), alpha)
    C.save_png(img, gp("blackfader.png"))
    C.image_sprite(gp("blackfader.xml"), g("blackfader.png"), (726, 369, w, h), Z_FADER)


def title():
    title_background()
    black("title_blackout", Z_TITLE_BLACK)
    logo()
    centred_text_sprite("title_game_by", "a game by the tarn project", "credits", 386, Z_TEXT)
    centred_text_sprite("title_music_by", "music and sound by the tarn project", "credits", 386, Z_TEXT)
    fader()


# --------------------------------------------------------------------------
# Questions

QUESTIONS = [
    "Are you afraid of the dark?",
    "Do you leave a light burning when you go to sleep?",
    "If something stood at the foot of your bed tonight, would you want to know?",
    "Then keep your light close. The house has been waiting a long time for someone like you.",
    "Whatever happens in there, do not let it put you out.",
]
Q_RECT = (112, 150, 576, 136)   # x, y, w, h: under the curtain's full black at x 31, left of x 700


def questions_background():
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    base = D.texture_field(W, H, 201, (20, 18, 22), 0.35, 60, 5, 0.03)
    cv = D.Canvas(W, H)
    cv.rgb = base
    cv.a[:] = 255
    # a faint damask pattern on the wall
    pat = (np.sin(xx / 11.0) * np.sin(yy / 17.0) + np.sin((xx + yy) / 23.0)) * 0.5
    cv.add_light(np.clip(pat, 0, 1) * 0.06, (60, 50, 56))
    # a candle stub on a table at the bottom
    table = cv.mask(D.rect(0, 520, W, H))
    cv.paint_field(table, D.texture_field(W, H, 202, (40, 26, 16), 0.35, 30, 4, 0.05))
    light = C.radial(W, H, 400, 500, 360, 1.8)
    cv.add_light(light, (1.0, 0.62, 0.28), 150)
    stub = cv.mask(D.rect(390, 480, 410, 524))
    cv.paint(stub, C.WAX)
    cv.paint(cv.mask(D.ellipse(400, 524, 24, 5)), (60, 44, 30))
    cv.paint(cv.mask(D.line([(400, 480), (400, 474)], 1.2)), (30, 24, 20))
    D.draw_flame(cv, 400, 478, 22, 9, lean=0.08, glow=0.8)
    # the room falls off into black away from the candle; the band where
    # the stair rests (right of x 700, y 123 to 309) is black
    v = C.vignette(W, H, 1.0, 2.0)
    falloff = np.clip(0.35 + 0.9 * C.radial(W, H, 400, 470, 520, 1.3), 0, 1)
    edge = np.clip((xx - 610) / 70.0, 0, 1) * np.clip(1 - (np.abs(yy - 216) - 90) / 60.0, 0, 1)
    shade = np.clip(v * falloff - edge, 0, 1)
    cv.rgb *= shade[..., None]
    C.save_jpg(cv.image(), gp("questions_background.jpg"))
    C.image_sprite(gp("questions_backdrop.xml"), g("questions_background.jpg"), (0, 0, W, H), 400, background_usage=False)
    root = C.Node("BackgroundLayer")
    root.add(C.value("LevelBackgroundImage", g("questions_backdrop.xml")))
    root.add(C.value("CreateCrapground", False))
    # nothing drifts here: a pale shape behind a question muddles its text
    root.add(C.value("FloatThingsAround", False))
    C.write_xml(gp("questions_background.xml"), root)


# The curtain that uncovers the first question: black with a wide soft
# leading edge and soft top and bottom, so that sliding off to the right it
# reads as a shadow drawn back, not as a block left on the screen.
STAIR_W, STAIR_H = 770, 186
STAIR_FEATHER = 72          # the leading edge, from transparent to full black
STAIR_FEATHER_Y = 22        # top and bottom


def smooth_ramp(n, feather):
    """0 to 1 over the first feather of n samples, smoothstepped."""
    t = np.clip(np.arange(n, dtype=np.float32) / feather, 0, 1)
    return t * t * (3 - 2 * t)


def stair():
    across = smooth_ramp(STAIR_W, STAIR_FEATHER)
    down = np.minimum(smooth_ramp(STAIR_H, STAIR_FEATHER_Y), smooth_ramp(STAIR_H, STAIR_FEATHER_Y)[::-1])
    alpha = down[:, None] * across[None, :] * 255
    img = C.to_rgba_image(np.zeros((STAIR_H, STAIR_W, 3), np.float32), alpha)
    C.save_png(img, gp("blackstair.png"))
    C.image_sprite(gp("blackstair.xml"), g("blackstair.png"), (31, 123, STAIR_W, STAIR_H), Z_FADER)


def question_sprites():
    f = OgfFont("title")
    x, y, w, h = Q_RECT
    for i, q in enumerate(QUESTIONS):
        f.check_text(q)
        # wrapped to even lines: no word left alone under a full line
        lines = f.wrap(q, f.balanced_width(q, w))
        assert len(lines) * f.line_height <= h, q
        block_w = max(f.text_width(l) for l in lines) + 4
        block_h = len(lines) * f.line_height
        bx = 400 - block_w // 2
        by = y + (h - block_h) // 2
        C.text_sprite(gp("questions_%02d.xml" % (i + 1)), (bx, by, block_w + 1, block_h), Z_TEXT,
                      "data/fonts/title.ogf", q, font_rect=(0, 0, block_w, block_h),
                      alpha=None if i == 0 else 0)


def plaque(w, h, text, size, salt):
    cv = D.Canvas(w, h)
    body = cv.mask(D.rect(0, 0, w, h))
    cv.paint_field(body, D.texture_field(w, h, salt, (46, 34, 28), 0.4, 8, 3, 0.06))
    inner = cv.mask(D.rect(3, 3, w - 3, h - 3)) - cv.mask(D.rect(4, 4, w - 4, h - 4))
    cv.paint(np.clip(inner, 0, 1), (150, 120, 84), 0.7)
    edge = cv.mask(D.rect(0, 0, w, h)) - cv.mask(D.rect(1, 1, w - 1, h - 1))
    cv.paint(np.clip(edge, 0, 1), (12, 8, 8))
    fnt = C.font(C.FONT_TITLE, size)
    l, t, r, b = fnt.getbbox(text)
    tx, ty = (w - (r - l)) / 2 - l, (h - (b - t)) / 2 - t - 1
    sh = Image.new("L", (w, h), 0)
    ImageDraw.Draw(sh).text((tx + 1, ty + 1), text, font=fnt, fill=255)
    cv.paint(np.asarray(sh, np.float32) / 255, (0, 0, 0), 0.8)
    tm = Image.new("L", (w, h), 0)
    ImageDraw.Draw(tm).text((tx, ty), text, font=fnt, fill=255)
    cv.paint(np.asarray(tm, np.float32) / 255, C.BONE)
    assert r - l <= w - 12, (text, r - l, w)
    return cv.image()


# Button sprites stand where the game's code puts them; the continue
# button's rectangle is wider than its plaque, which sits at its right end
# so that it centres under the texts at x 400.
CONTINUE_RECT = (295, 348, 150, 35)
CONTINUE_PLAQUE_W = 2 * (CONTINUE_RECT[0] + CONTINUE_RECT[2] - W // 2)


def buttons():
    for name, (x, y, w, h), text, size, salt in [
            ("questions_yes", (176, 363, 72, 42), "yes", 28, 211),
            ("questions_no", (495, 363, 56, 31), "no", 22, 212)]:
        C.save_png(plaque(w, h, text, size, salt), gp(name + ".png"))
        C.image_sprite(gp(name + ".xml"), g(name + ".png"), (x, y, w, h), Z_BUTTON)
    x, y, w, h = CONTINUE_RECT
    pw = CONTINUE_PLAQUE_W
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img.paste(plaque(pw, h, "continue", 22, 213), (w - pw, 0))
    C.save_png(img, gp("questions_you_continue.png"))
    C.image_sprite(gp("questions_you_continue.xml"), g("questions_you_continue.png"), CONTINUE_RECT, Z_BUTTON)


def questions():
    questions_background()
    stair()
    question_sprites()
    centred_text_sprite("questions_continue", "answer, and be honest", "credits", 430, Z_TEXT, alpha=0)
    buttons()


# --------------------------------------------------------------------------
# Dialogue box

BOX_H = 160
TEXT_RECT = (194, 458, 590, 118)


def dialog():
    w, h = W, BOX_H
    cv = D.Canvas(w, h)
    body = cv.mask(D.rect(0, 0, w, h))
    tex = D.texture_field(w, h, 301, (16, 14, 18), 0.35, 40, 4, 0.03)
    cv.paint_field(body, tex, 0.93)
    top = cv.mask(D.rect(0, 0, w, 2))
    cv.paint(top, (150, 112, 66))
    top2 = cv.mask(D.rect(0, 4, w, 5))
    cv.paint(top2, (90, 66, 40), 0.8)
    glow = np.clip(1 - np.mgrid[0:h, 0:w][0] / 40.0, 0, 1) ** 2
    cv.add_light(glow * (cv.a / 255.0), (1.0, 0.7, 0.4), 18)
    # portrait niche and a divider
    niche = cv.mask(D.rect(10, 12, 176, 154))
    cv.paint(niche, (6, 6, 8), 0.6)
    div = cv.mask(D.rect(184, 18, 185, 146))
    cv.paint(div, (120, 92, 58), 0.6)
    C.save_png(cv.image(), gp("dialog_box.png"))
    C.image_sprite(gp("dialog_box.xml"), g("dialog_box.png"), (0, 600, w, h), Z_DIALOG_BOX)
    x, y, tw, th = TEXT_RECT
    C.text_sprite(gp("dialog_text.xml"), (x, y, tw + 1, th), Z_DIALOG_TEXT, "data/fonts/dialog.ogf",
                  font_rect=(0, 0, tw, th))
    # the prompt
    fnt = C.font(C.FONT_TITLE_ITALIC, 17)
    text = "click to continue"
    pw = int(fnt.getlength(text)) + 24
    ph = 22
    cv = D.Canvas(pw, ph)
    tm = Image.new("L", (pw, ph), 0)
    ImageDraw.Draw(tm).text((16, 1), text, font=fnt, fill=255)
    cv.paint(np.asarray(tm, np.float32) / 255, (200, 170, 120))
    tri = cv.mask(D.polygon([(3, 8), (11, 12), (3, 16)]))
    cv.paint(tri, (200, 150, 80))
    C.save_png(cv.image(), gp("click_to_continue.png"))
    C.image_sprite(gp("click_to_continue.xml"), g("click_to_continue.png"), (784 - pw, 575, pw, ph), Z_PROMPT)


# --------------------------------------------------------------------------
# End of the game

# The end card fades in over the darkening level faster than the black
# cover does, so its edges fade out to nothing: it shows as a glow, never as
# a black box on the level.
END_MARGIN_X, END_MARGIN_Y = 70, 50


def end_screen():
    fw, fh, frames = 480 + 2 * END_MARGIN_X, 330 + 2 * END_MARGIN_Y, 4
    sheet = Image.new("RGBA", (fw * frames, fh), (0, 0, 0, 0))
    leans = [0.0, 0.10, -0.06, 0.04]
    heights = [44, 47, 42, 46]
    edge = np.minimum(smooth_ramp(fw, END_MARGIN_X)[None, :], smooth_ramp(fh, END_MARGIN_Y)[:, None])
    edge = np.minimum(edge, edge[::-1, ::-1])
    for i in range(frames):
        cv = D.Canvas(fw, fh, (0, 0, 0, 255))
        cx, base = fw // 2, 170 + END_MARGIN_Y
        cv.add_light(C.radial(fw, fh, cx, base - 30, 200, 2.0), (1.0, 0.66, 0.32), 95 + 6 * (i % 3))
        stick = cv.mask(D.rect(cx - 16, base + 6, cx + 16, base + 80))
        cv.paint_field(stick, D.texture_field(fw, fh, 401, C.WAX, 0.05, 10, 2, 0.01))
        shade = cv.mask(D.rect(cx + 6, base + 6, cx + 16, base + 80))
        cv.paint(shade, (0, 0, 0), 0.25)
        drip = cv.mask(D.several(D.ellipse(cx - 9, base + 24, 3, 10), D.ellipse(cx + 4, base + 16, 2.5, 8)))
        cv.paint(drip, (240, 226, 190))
        top = cv.mask(D.ellipse(cx, base + 6, 16, 4))
        cv.paint(top, (246, 232, 196))
        dish = cv.mask(D.ellipse(cx, base + 82, 46, 8))
        cv.paint(dish, (84, 66, 44))
        wick = cv.mask(D.line([(cx, base + 6), (cx + 1, base - 2)], 1.6))
        cv.paint(wick, (24, 18, 16))
        D.draw_flame(cv, cx + 1, base - 1, heights[i], 15, lean=leans[i], glow=0.9)
        fnt = C.font(C.FONT_TITLE, 30)
        for text, y, colour in [("The house keeps its dark.", 262 + END_MARGIN_Y, (214, 204, 186)),
                                ("You kept your light.", 294 + END_MARGIN_Y, (240, 206, 150))]:
            tw = fnt.getlength(text)
            tm = Image.new("L", (fw, fh), 0)
            ImageDraw.Draw(tm).text(((fw - tw) / 2, y), text, font=fnt, fill=255)
            cv.paint(np.asarray(tm, np.float32) / 255, colour)
        cv.a = cv.a * edge
        sheet.paste(cv.image(), (i * fw, 0))
    C.save_png(sheet, gp("end_of_game_animation.png"))
    lengths = [170, 130, 190, 150]
    anim = C.animation("burn", [C.frame_rect(i * fw, 0, fw, fh, lengths[i]) for i in range(frames)])
    C.animated_sprite(gp("end_of_game_animation.xml"), g("end_of_game_animation.png"),
                      (400 - fw // 2, 300 - fh // 2 - 20, fw, fh), Z_END_ANIM, [anim], current="burn")
    black("end_of_game_blackout", Z_END_BLACK)


def main():
    title()
    questions()
    dialog()
    end_screen()


if __name__ == "__main__":
    sys.exit(main())
