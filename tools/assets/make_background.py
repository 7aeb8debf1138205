"""The background layer behind every level: one dark wall texture per level
(seen through the semi-transparent walls of the level pictures), the four
stains and scratchings dealt into the screen's quarters and the four pale
things that drift inside the walls; plus one background-layer file per
level."""

import math
import sys
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import common as C
import draw as D

W, H = 800, 600
Z_BACKDROP, Z_CRAP, Z_FLOAT = 400, 350, 300

# level number: (theme, create crapground, float things around); the
# library's walls are all bookshelves, with no bare wall for scratchings
LAYERS = {
    1: ("cellar", True, True),
    2: ("kitchen", True, False),
    3: ("gallery", False, True),
    4: ("library", False, True),
    5: ("chapel", False, True),
}

# A plea scratched into the wall texture, where its level has bare wall
# (level_check.py holds it to that): the quarter pictures land at random,
# and words cut off by a floor's edge read as a drawing fault.
PLEA = "LET ME OUT"
PLEA_AT = {"cellar": (196, 168), "kitchen": (244, 92)}


def g(name):
    return "data/gfx/" + name


def gp(name):
    return C.data_path("gfx", name)


def blocks(salt, base, rows, jitter, mortar=(10, 10, 12), var=0.3, min_w=40, max_w=110):
    """Irregular stone blocks or bricks."""
    r = C.rng(salt)
    tex = D.texture_field(W, H, salt + 1, base, var, 30, 5, 0.05)
    cv = D.Canvas(W, H)
    cv.rgb = np.zeros((H, W, 3), np.float32) + np.array(mortar, np.float32)
    cv.a[:] = 255
    soft = np.zeros((H, W), np.float32)
    shade = np.zeros((H, W), np.float32)
    y = 0
    while y < H:
        rh = rows + r.integers(-jitter, jitter + 1)
        x = -r.integers(0, max_w)
        while x < W:
            bw = r.integers(min_w, max_w)
            x0, x1 = max(0, x + 2), min(W, x + bw - 1)
            y0, y1 = y + 2, min(H, y + rh - 1)
            if x1 > x0 and y1 > y0:
                soft[y0:y1, x0:x1] = 1.0
                shade[y0:y1, x0:x1] = 0.75 + 0.5 * r.random()
            x += bw
        y += rh
    soft = np.asarray(Image.fromarray((soft * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(0.8)), np.float32) / 255
    cv.paint_field(soft, tex * shade[..., None])
    return cv


def backdrop(theme):
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float32)
    if theme == "cellar":
        cv = blocks(501, (58, 62, 56), 34, 6)
        damp = C.smooth_noise(W, H, 120, 502, 4)
        cv.rgb *= (0.75 + 0.5 * damp)[..., None]
        cv.rgb += np.clip(damp - 0.55, 0, 1)[..., None] * np.array((0, 40, 20), np.float32)
    elif theme == "kitchen":
        cv = D.Canvas(W, H)
        cv.a[:] = 255
        tex = D.texture_field(W, H, 511, (64, 72, 78), 0.25, 20, 4, 0.04)
        tile = 40
        gx = (xx % tile < 2) | (yy % tile < 2)
        cv.rgb = np.where(gx[..., None], np.array((16, 16, 18), np.float32), tex)
        grime = C.smooth_noise(W, H, 90, 512, 5)
        cv.rgb *= (0.55 + 0.7 * grime)[..., None]
    elif theme == "gallery":
        cv = D.Canvas(W, H)
        cv.a[:] = 255
        base = D.texture_field(W, H, 521, (70, 24, 28), 0.2, 50, 4, 0.03)
        stripe = (np.sin(xx / 48.0 * 2 * math.pi) > 0.93).astype(np.float32)
        dam = np.clip(np.sin(xx / 9.0) * np.sin(yy / 13.0) + 0.5 * np.sin((xx - yy) / 17.0), 0, 1) ** 3
        cv.rgb = base * (0.85 + 0.3 * dam)[..., None] + stripe[..., None] * np.array((40, 30, 14), np.float32)
    elif theme == "library":
        r = C.rng(531)
        cv = D.Canvas(W, H)
        cv.rgb[:] = np.array((20, 12, 8), np.float32)
        cv.a[:] = 255
        shelf_h = 60
        cols = [(96, 32, 24), (40, 56, 40), (70, 52, 30), (34, 38, 64), (90, 76, 52), (60, 26, 40)]
        for y in range(0, H, shelf_h):
            x = 0
            while x < W:
                bw = int(r.integers(7, 16))
                bh = int(r.integers(shelf_h - 22, shelf_h - 8))
                col = np.array(cols[int(r.integers(0, len(cols)))], np.float32) * (0.7 + 0.5 * r.random())
                top = y + shelf_h - 6 - bh
                cv.rgb[top:y + shelf_h - 6, x:min(W, x + bw - 1)] = col
                cv.rgb[top + 6:top + 8, x:min(W, x + bw - 1)] = col * 0.65 + np.array((150, 120, 60)) * 0.35
                cv.rgb[top:y + shelf_h - 6, min(W - 1, x + bw - 2):min(W, x + bw - 1)] *= 0.6
                x += bw + int(r.integers(0, 3))
            cv.rgb[y + shelf_h - 6:y + shelf_h, :] = np.array((54, 34, 20), np.float32)
        cv.rgb *= (0.6 + 0.6 * C.smooth_noise(W, H, 100, 532, 4))[..., None]
    elif theme == "chapel":
        cv = blocks(541, (48, 46, 56), 56, 4, mortar=(10, 10, 14), var=0.2, min_w=80, max_w=170)
        glass = np.zeros((H, W), np.float32)
        for cx in (130, 400, 670):
            glass += C.radial(W, H, cx, 140, 170, 2.0)
        cv.rgb += glass[..., None] * np.array((26, 8, 40), np.float32)
    else:
        raise ValueError(theme)
    v = C.vignette(W, H, 0.45, 2.0)
    # dark: these are seen only through the walls, which must stay darker
    # than any lit floor
    cv.rgb *= v[..., None] * 0.5
    plea = plea_mask(theme)
    if plea is not None:
        cv.paint(plea, C.BONE, 0.5 * 0.45)
    name = "backdrop_" + theme
    C.save_jpg(cv.image(), gp(name + ".jpg"), quality=84)
    C.image_sprite(gp(name + ".xml"), g(name + ".jpg"), (0, 0, W, H), Z_BACKDROP, background_usage=False)
    return g(name + ".xml")


def layer_files():
    for n, (theme, crap, floats) in LAYERS.items():
        image = backdrop(theme)
        root = C.Node("BackgroundLayer")
        root.add(C.value("LevelBackgroundImage", image))
        root.add(C.value("CreateCrapground", crap))
        root.add(C.value("FloatThingsAround", floats))
        C.write_xml(gp("layer_%02d_%s.xml" % (n, theme)), root)


def layer_file(n):
    theme = LAYERS[n][0]
    return g("layer_%02d_%s.xml" % (n, theme))


# --------------------------------------------------------------------------
# Crapground: stains and scratchings

def crap_01():
    """Tally marks."""
    w, h = 300, 200
    cv = D.Canvas(w, h)
    r = C.rng(601)
    for grp in range(5):
        gx, gy = 20 + grp * 54, 24 + int(r.integers(-6, 6))
        for k in range(4):
            x = gx + k * 9
            cv.paint(cv.mask(D.line([(x, gy), (x + r.integers(-2, 3), gy + 44)], 1.6)), C.BONE, 0.55)
        cv.paint(cv.mask(D.line([(gx - 4, gy + 30), (gx + 36, gy + 10)], 1.6)), C.BONE, 0.55)
    return cv


def plea_mask(theme):
    """Coverage (H, W) of the scratched plea on theme's wall, or None."""
    if theme not in PLEA_AT:
        return None
    x, y = PLEA_AT[theme]
    fnt = C.font(C.FONT_TITLE, 40)
    m = Image.new("L", (W, H), 0)
    ImageDraw.Draw(m).text((x, y), PLEA, font=fnt, fill=255)
    l, t, r, b = m.getbbox()
    m = m.rotate(-4, resample=Image.BICUBIC, center=((l + r) / 2, (t + b) / 2))
    jag = (C.smooth_noise(W, H, 3, 602, 2) > 0.35).astype(np.float32)
    return np.asarray(m, np.float32) / 255 * jag


def crap_02():
    """A damp bloom of mould."""
    w, h = 340, 260
    cv = D.Canvas(w, h)
    n = C.smooth_noise(w, h, 40, 611, 5)
    rad = C.radial(w, h, w / 2, h / 2, 150, 1.0)
    m = np.clip((n * 0.8 + rad * 0.9 - 0.75) * 4, 0, 1)
    cv.paint(m, (40, 52, 30), 0.65)
    edge = np.clip(1 - np.abs(n * 0.8 + rad * 0.9 - 0.78) * 25, 0, 1)
    cv.paint(edge, (60, 66, 44), 0.4)
    return cv


def crap_03():
    """Smeared handprints."""
    w, h = 260, 220
    cv = D.Canvas(w, h)
    for (hx, hy, ang, op) in [(70, 80, -12, 0.6), (150, 110, 8, 0.5), (200, 60, 20, 0.35)]:
        m = Image.new("L", (120 * D.SS, 140 * D.SS), 0)
        d = ImageDraw.Draw(m)
        s = D.SS
        d.ellipse([30 * s, 60 * s, 90 * s, 120 * s], fill=255)
        for i, (fx, fl) in enumerate([(34, 44), (48, 56), (62, 58), (76, 50)]):
            d.rounded_rectangle([(fx - 6) * s, (64 - fl) * s, (fx + 6) * s, 72 * s], radius=6 * s, fill=255)
        d.rounded_rectangle([82 * s, 76 * s, 108 * s, 88 * s], radius=6 * s, fill=255)
        m = m.resize((120, 140), Image.LANCZOS).rotate(ang, resample=Image.BICUBIC, expand=False)
        arr = np.zeros((h, w), np.float32)
        sub = np.asarray(m, np.float32) / 255
        x0, y0 = hx - 60, hy - 60
        ys, xs = slice(max(0, y0), min(h, y0 + 140)), slice(max(0, x0), min(w, x0 + 120))
        arr[ys, xs] = sub[ys.start - y0:ys.stop - y0, xs.start - x0:xs.stop - x0]
        smear = np.asarray(Image.fromarray((arr * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(1.2)), np.float32) / 255
        drip = np.zeros_like(smear)
        for k in range(1, 30):
            drip[k:] = np.maximum(drip[k:], smear[:-k] * (1 - k / 30.0) * 0.5)
        cv.paint(np.maximum(smear, drip * (C.smooth_noise(w, h, 4, 621 + hx, 2) > 0.5)), C.BLOOD, op)
    return cv


def crap_04():
    """Cracks around a chalk circle."""
    w, h = 320, 240
    cv = D.Canvas(w, h)
    r = C.rng(631)
    cx, cy = w / 2, h / 2
    ring = cv.mask(D.ellipse(cx, cy, 70, 70)) - cv.mask(D.ellipse(cx, cy, 67, 67))
    cv.paint(np.clip(ring, 0, 1), (200, 200, 196), 0.45)
    for k in range(7):
        a = k / 7.0 * 2 * math.pi
        x, y = cx + math.cos(a) * 56, cy + math.sin(a) * 56
        cv.paint(cv.mask(D.several(D.line([(x - 5, y - 5), (x + 5, y + 5)], 1.4), D.line([(x + 5, y - 5), (x - 5, y + 5)], 1.4))), (200, 200, 196), 0.45)
    for k in range(9):
        pts = [(cx + r.normal() * 10, cy + r.normal() * 10)]
        a = r.random() * 2 * math.pi
        for _ in range(8):
            a += r.normal() * 0.5
            x, y = pts[-1]
            step = r.integers(8, 18)
            pts.append((x + math.cos(a) * step, y + math.sin(a) * step))
        cv.paint(cv.mask(D.line(pts, 1.3)), (6, 6, 8), 0.8)
    return cv


def crapground():
    for i, fn in enumerate([crap_01, crap_02, crap_03, crap_04], 1):
        cv = fn()
        cv.a *= 0.45
        name = "background_crap_%02d" % i
        C.save_png(cv.image(), gp(name + ".png"))
        C.image_sprite(gp(name + ".xml"), g(name + ".png"), (0, 0, cv.w, cv.h), Z_CRAP)


# --------------------------------------------------------------------------
# Floating things: pale shapes drifting in the walls

def float_face():
    w, h = 80, 104
    cv = D.Canvas(w, h)
    face = cv.mask(D.ellipse(40, 52, 26, 40), blur=5)
    fade = np.clip(1.2 - np.mgrid[0:h, 0:w][0] / 104.0, 0, 1)
    cv.paint(face * fade, C.GHOST, 0.32)
    for side in (-1, 1):
        e = cv.mask(D.ellipse(40 + side * 11, 44, 6, 8), blur=3)
        cv.paint(e, (4, 4, 8), 0.55)
    mouth = cv.mask(D.ellipse(40, 72, 9, 3), blur=2.5)
    cv.paint(mouth, (4, 4, 8), 0.4)
    return cv


def float_moth():
    w, h = 96, 80
    cv = D.Canvas(w, h)
    D.draw_moth(cv, 48, 42, 88, 1.0, (196, 200, 196), 0.4)
    return cv


def float_hand():
    w, h = 70, 110
    cv = D.Canvas(w, h)
    s = D.SS

    def hand(d, k):
        d.ellipse([18 * k, 50 * k, 54 * k, 96 * k], fill=255)
        d.rectangle([24 * k, 80 * k, 48 * k, 110 * k], fill=255)
        for fx, top in [(22, 14), (31, 6), (40, 8), (49, 18)]:
            d.rounded_rectangle([(fx - 4) * k, top * k, (fx + 4) * k, 64 * k], radius=4 * k, fill=255)
        d.rounded_rectangle([6 * k, 50 * k, 16 * k, 76 * k], radius=5 * k, fill=255)
    m = cv.mask(hand, blur=1.5)
    fade = np.clip((110 - np.mgrid[0:h, 0:w][0]) / 40.0, 0, 1)
    cv.paint(m * fade, C.GHOST, 0.5)
    return cv


def float_eyes():
    w, h = 70, 34
    cv = D.Canvas(w, h)
    for x in (20, 50):
        cv.paint(C.radial(w, h, x, 17, 16, 1.6), (200, 60, 40), 0.5)
        cv.paint(cv.mask(D.ellipse(x, 17, 4, 3)), (255, 190, 150), 0.9)
    return cv


def floating_things():
    for i, fn in enumerate([float_face, float_moth, float_hand, float_eyes], 1):
        cv = fn()
        name = "floating_things_%02d" % i
        C.save_png(cv.image(), gp(name + ".png"))
        C.image_sprite(gp(name + ".xml"), g(name + ".png"), (0, 0, cv.w, cv.h), Z_FLOAT)


def main():
    crapground()
    floating_things()
    layer_files()


if __name__ == "__main__":
    sys.exit(main())
