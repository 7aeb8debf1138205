"""Characters, portals, props and speaker portraits, with their sprite (and
animation) description files. Also the window icon."""

import math
import sys
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import common as C
import draw as D

Z_MOTH, Z_PLAYER, Z_BADGUY, Z_PROP_FRONT, Z_PROP, Z_PORTAL = 45, 50, 55, 60, 70, 80
Z_PORTRAIT = 10


def g(name):
    return "data/gfx/" + name


def gp(name):
    return C.data_path("gfx", name)


def sheet(frames):
    w, h = frames[0].size
    s = Image.new("RGBA", (w * len(frames), h), (0, 0, 0, 0))
    for i, f in enumerate(frames):
        s.paste(f, (i * w, 0))
    return s


def rects(n, w, h, lengths):
    return [C.frame_rect(i * w, 0, w, h, lengths[i]) for i in range(n)]


# --------------------------------------------------------------------------
# The player: a small candle flame

def player():
    w = h = 24
    frames = []
    for i, (lean, height) in enumerate([(0.0, 13), (0.12, 14), (-0.08, 12.5), (0.05, 13.5)]):
        cv = D.Canvas(w, h)
        ring = cv.mask(D.ellipse(12, 12, 11.5, 11.5)) - cv.mask(D.ellipse(12, 12, 10, 10))
        cv.paint(cv.mask(D.ellipse(12, 12, 10, 10)), (20, 14, 10), 0.55)
        cv.paint(np.clip(ring, 0, 1), (255, 214, 150), 0.8)
        cv.paint(C.radial(w, h, 12, 12, 11, 1.4), C.CANDLE, 0.5)
        D.draw_flame(cv, 12, 19, height + 1, 8.5, lean=lean, glow=0.0)
        cv.paint(cv.mask(D.ellipse(12, 19.5, 2.2, 1.2)), (60, 40, 30), 0.9)
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("icon_player.png"))
    anim = C.animation("burn", [C.frame_rect(i * w, 0, w, h, l) for i, l in enumerate([140, 110, 160, 120])])
    C.animated_sprite(gp("icon_player.xml"), g("icon_player.png"), (0, 0, w, h), Z_PLAYER, [anim], current="burn")


def window_icon():
    w = h = 32
    cv = D.Canvas(w, h, (10, 10, 14, 255))
    D.draw_flame(cv, 16, 27, 20, 11, lean=0.05, glow=0.8)
    img = cv.image().convert("RGB")
    img.save(gp("window_icon.bmp"))


# --------------------------------------------------------------------------
# Bad guys: each a two-frame breathing loop

def badguy(name, size, painter, lengths=(520, 480)):
    w, h = size
    frames = []
    for i in range(2):
        cv = D.Canvas(w, h)
        painter(cv, i)
        frames.append(cv.image())
    C.save_png(sheet(frames), gp(name + ".png"))
    anim = C.animation("haunt", rects(2, w, h, list(lengths)))
    C.animated_sprite(gp(name + ".xml"), g(name + ".png"), (0, 0, w, h), Z_BADGUY, [anim], current="haunt")


def paint_washerwoman(cv, i):
    # pale, bent over a sheet she never finishes washing
    D.hooded_top(cv, 20, 21, 14, (128, 140, 150), (214, 220, 222), (40, 50, 60), eye_glow=0.2, breath=i)
    cap = cv.mask(D.ellipse(20, 12, 7, 3.5), blur=0.4)
    cv.paint(cap, (236, 236, 232))
    sheet_m = cv.mask(D.polygon([(6, 30), (34, 30), (36, 38), (4, 38)]), blur=0.5)
    cv.paint(sheet_m, (226, 226, 220), 0.85)


def paint_hound(cv, i):
    w, h = cv.w, cv.h
    sh = cv.mask(D.ellipse(25, 19, 22, 11), blur=3)
    cv.paint(sh, (0, 0, 0), 0.5)
    step = 2 if i else -2
    legs = D.several(*[D.ellipse(lx + d, ly, 3.2, 2.2) for (lx, ly, d) in
                       [(13, 7, step), (13, 25, -step), (29, 8, -step), (29, 24, step)]])
    cv.paint(cv.mask(legs), (26, 20, 20))
    tail = cv.mask(D.line([(8, 16), (3, 14 + i * 3), (0, 12 + i * 5)], 1.6))
    cv.paint(tail, (30, 24, 24))
    body = cv.mask(D.several(D.ellipse(20, 16, 13, 7.5), D.ellipse(31, 16, 5, 5.5)), blur=0.5)
    cv.paint(body, (34, 28, 28))
    spine = cv.mask(D.line([(9, 16), (33, 16)], 1.2))
    cv.paint(spine, (80, 64, 60), 0.6)
    head = cv.mask(D.several(D.ellipse(38, 16, 6, 5), D.polygon([(40, 12), (47, 14.5), (47, 17.5), (40, 20)])), blur=0.5)
    cv.paint(head, (40, 32, 32))
    ears = cv.mask(D.several(D.polygon([(34, 12), (37, 6), (39, 12)]), D.polygon([(34, 20), (37, 26), (39, 20)])))
    cv.paint(ears, (26, 20, 20))
    for ey in (13.5, 18.5):
        cv.paint(C.radial(w, h, 41, ey, 5, 1.5), (230, 40, 20), 0.7)
        cv.paint(cv.mask(D.ellipse(41, ey, 1.4, 1.1)), (255, 170, 120))


def paint_lady(cv, i):
    hair = cv.mask(D.ellipse(20, 20, 15, 16), blur=0.8)
    D.hooded_top(cv, 20, 22, 15, (52, 18, 26), (222, 214, 206), (10, 8, 10), eye_glow=0.0, breath=i)
    cv.paint(cv.mask(D.polygon([(8, 12), (32, 12), (28, 24), (20, 16), (12, 24)]), blur=0.8), (18, 12, 12))
    cv.paint(hair * 0 + cv.mask(D.ellipse(20, 33, 12, 4), blur=1), (120, 30, 40), 0.5)


def paint_librarian(cv, i):
    D.hooded_top(cv, 21, 22, 16, (72, 52, 36), (176, 160, 140), (220, 200, 120), eye_glow=0.5, breath=i)
    book = cv.mask(D.rect(12, 30, 30, 38))
    cv.paint(book, (90, 24, 20))
    cv.paint(cv.mask(D.rect(20, 30, 22, 38)), (200, 180, 120), 0.6)


def paint_snuffer(cv, i):
    D.hooded_top(cv, 22, 26, 17, (16, 14, 18), (120, 116, 112), (255, 240, 220), eye_glow=1.0, cone=True, breath=i)
    pole = cv.mask(D.line([(34, 40), (42, 10)], 1.6))
    cv.paint(pole, (90, 80, 60))
    cup = cv.mask(D.polygon([(39, 10), (45, 10), (43, 3)]))
    cv.paint(cup, (140, 120, 80))


def badguys():
    badguy("badguy_washerwoman", (40, 40), paint_washerwoman, (700, 700))
    badguy("badguy_hound", (48, 32), paint_hound, (180, 160))
    badguy("badguy_lady", (40, 40), paint_lady, (600, 600))
    badguy("badguy_librarian", (42, 42), paint_librarian, (800, 700))
    badguy("badguy_snuffer", (44, 48), paint_snuffer, (450, 450))


# --------------------------------------------------------------------------
# Portals

def portal_stairs():
    w = h = 64
    cv = D.Canvas(w, h)
    cv.paint(C.radial(w, h, 32, 32, 32, 1.2), C.CANDLE, 0.35)
    for k in range(5):
        y0 = 12 + k * 9
        shade = 0.45 + 0.12 * k
        m = cv.mask(D.rect(14 + k, y0, 50 - k, y0 + 8))
        cv.paint(m, tuple(int(c * shade) for c in (150, 120, 90)))
        cv.paint(cv.mask(D.rect(14 + k, y0, 50 - k, y0 + 1)), (220, 190, 140), 0.6)
    cv.paint(cv.mask(D.several(D.rect(10, 8, 14, 58), D.rect(50, 8, 54, 58))), (40, 30, 24))
    arrow = cv.mask(D.polygon([(32, 2), (39, 9), (25, 9)]))
    cv.paint(arrow, C.FLAME, 0.9)
    return cv


def portal_door():
    w, h = 56, 64
    cv = D.Canvas(w, h)
    cv.paint(C.radial(w, h, 28, 40, 34, 1.4), C.CANDLE, 0.45)
    frame = cv.mask(D.rect(8, 4, 48, 60))
    cv.paint(frame, (46, 30, 20))
    gap = cv.mask(D.rect(12, 8, 44, 60))
    cv.paint(gap, (250, 200, 120))
    cv.paint(C.radial(w, h, 28, 34, 30, 1.0) * gap, (255, 240, 200), 0.6)
    leaf = cv.mask(D.polygon([(12, 8), (24, 12), (24, 60), (12, 60)]))
    cv.paint(leaf, (70, 44, 28))
    cv.paint(cv.mask(D.ellipse(21, 36, 1.6, 1.6)), (200, 170, 90))
    return cv


def portal_passage():
    w, h = 64, 64
    cv = D.Canvas(w, h)
    cv.paint(C.radial(w, h, 32, 32, 34, 1.2), (120, 150, 200), 0.45)
    hole = cv.mask(D.polygon([(18, 58), (18, 20), (32, 8), (46, 20), (46, 58)]), blur=0.6)
    cv.paint(hole, (6, 8, 14))
    cv.paint(C.radial(w, h, 32, 30, 16, 1.5) * hole, (120, 160, 220), 0.5)
    for side in (-1, 1):
        x = 32 + side * 20
        books = cv.mask(D.rect(x - 6, 12, x + 6, 60))
        cv.paint(books, (70, 40, 30))
        for k in range(4):
            cv.paint(cv.mask(D.rect(x - 6, 14 + k * 12, x + 6, 15 + k * 12)), (150, 120, 70), 0.6)
    return cv


def portals():
    for name, fn in [("portal_stairs", portal_stairs), ("portal_door", portal_door), ("portal_passage", portal_passage)]:
        cv = fn()
        C.save_png(cv.image(), gp(name + ".png"))
        C.image_sprite(gp(name + ".xml"), g(name + ".png"), (0, 0, cv.w, cv.h), Z_PORTAL)


# --------------------------------------------------------------------------
# Props named by the level scripts

def moth():
    w, h = 36, 32
    frames = []
    for wing in (1.0, 0.55, 0.2, 0.75):
        cv = D.Canvas(w, h)
        cv.paint(C.radial(w, h, 18, 16, 18, 1.5), (200, 190, 150), 0.18)
        D.draw_moth(cv, 18, 17, 30, wing)
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("moth.png"))
    flutter = C.animation("flutter", [C.frame_rect(0, 0, w, h, 70), C.frame_rect(w, 0, w, h, 60),
                                      C.frame_rect(2 * w, 0, w, h, 70), C.frame_rect(w, 0, w, h, 60)])
    rest = C.animation("rest", [C.frame_rect(3 * w, 0, w, h, 1500), C.frame_rect(0, 0, w, h, 200)])
    C.animated_sprite(gp("moth.xml"), g("moth.png"), (0, 0, w, h), Z_MOTH, [flutter, rest], current="flutter")


def tub():
    w = h = 60
    frames = []
    for k in range(3):
        cv = D.Canvas(w, h)
        cv.paint(cv.mask(D.ellipse(31, 32, 27, 27), blur=2), (0, 0, 0), 0.5)
        cv.paint(cv.mask(D.ellipse(30, 30, 27, 27)), (90, 64, 40))
        for r in (26, 20):
            band = cv.mask(D.ellipse(30, 30, r, r)) - cv.mask(D.ellipse(30, 30, r - 1.5, r - 1.5))
            cv.paint(np.clip(band, 0, 1), (50, 40, 36))
        water = cv.mask(D.ellipse(30, 30, 22, 22))
        cv.paint(water, (60, 78, 82))
        for j in range(3):
            r = 4 + ((k * 6 + j * 7) % 20)
            ring = cv.mask(D.ellipse(30, 30, r, r)) - cv.mask(D.ellipse(30, 30, r - 1, r - 1))
            cv.paint(np.clip(ring, 0, 1) * water, (170, 190, 190), 0.45)
        board = cv.mask(D.rect(22, 10, 38, 26))
        cv.paint(board, (120, 96, 60))
        for j in range(5):
            cv.paint(cv.mask(D.rect(22, 12 + j * 3, 38, 13 + j * 3)), (70, 56, 36))
        cv.paint(cv.mask(D.polygon([(36, 34), (50, 30), (52, 40), (38, 42)])), (220, 220, 214), 0.85)
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("washtub.png"))
    fr = []
    for cycle in range(3):
        fr += [C.frame_rect(i * w, 0, w, h, 420) for i in range(3)]
    fr.insert(0, C.frame_sound("data/sfx/scrub.wav"))
    anim = C.animation("scrub", fr)
    C.animated_sprite(gp("washtub.xml"), g("washtub.png"), (0, 0, w, h), Z_PROP, [anim], current="scrub")


def door():
    """A door leaf seen from above, hinged at the top wall of a passage that
    runs left to right; closed it stands across the passage, open it lies
    along the wall."""
    w = h = 76
    frames = []
    for ang in (90, 62, 32, 4):
        cv = D.Canvas(w, h)
        hx, hy = 5, 3
        a = math.radians(ang)
        L = 70
        ex, ey = hx + math.cos(a) * L, hy + math.sin(a) * L
        nx, ny = -math.sin(a) * 4, math.cos(a) * 4
        quad = [(hx - nx, hy - ny), (ex - nx, ey - ny), (ex + nx, ey + ny), (hx + nx, hy + ny)]
        cv.paint(cv.mask(D.polygon([(x + 3, y + 2) for x, y in quad]), blur=1.5), (0, 0, 0), 0.6)
        cv.paint(cv.mask(D.polygon(quad)), (92, 60, 36))
        cv.paint(cv.mask(D.line([(hx, hy), (ex, ey)], 1)), (60, 38, 22))
        kx, ky = hx + math.cos(a) * (L - 9), hy + math.sin(a) * (L - 9)
        cv.paint(cv.mask(D.ellipse(kx - nx * 0.8, ky - ny * 0.8, 2, 2)), (200, 170, 90))
        cv.paint(cv.mask(D.ellipse(hx, hy, 3, 3)), (40, 34, 30))
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("pantry_door.png"))
    closed = C.animation("closed", [C.frame_rect(0, 0, w, h, 1000)])
    opening = C.animation("open", [C.frame_sound("data/sfx/door.wav"), C.frame_rect(0, 0, w, h, 60),
                                   C.frame_rect(w, 0, w, h, 160), C.frame_rect(2 * w, 0, w, h, 200),
                                   C.frame_rect(3 * w, 0, w, h, 400)], loop=False)
    C.animated_sprite(gp("pantry_door.xml"), g("pantry_door.png"), (0, 0, w, h), Z_PROP, [closed, opening], current="closed")


def painting(empty):
    w, h = 60, 76
    cv = D.Canvas(w, h)
    cv.paint(cv.mask(D.rect(2, 2, w, h), blur=2), (0, 0, 0), 0.6)
    frame = cv.mask(D.rect(0, 0, w - 2, h - 2))
    cv.paint_field(frame, D.texture_field(w, h, 701, (150, 110, 50), 0.3, 4, 2, 0.08))
    inner = cv.mask(D.rect(6, 6, w - 8, h - 8))
    cv.paint(inner, (30, 22, 26))
    cv.paint(C.radial(w, h, 28, 30, 30, 1.0) * inner, (70, 50, 50), 0.8)
    chair = cv.mask(D.several(D.rect(14, 34, 42, 40), D.rect(16, 16, 40, 36)))
    cv.paint(chair, (80, 30, 36))
    if not empty:
        cv.paint(cv.mask(D.ellipse(28, 60, 16, 12)), (50, 14, 22))
        cv.paint(cv.mask(D.rect(16, 36, 40, 62)), (60, 18, 28))
        cv.paint(cv.mask(D.ellipse(28, 26, 11, 13)), (24, 16, 14))
        cv.paint(cv.mask(D.ellipse(28, 28, 7, 9)), (224, 214, 200))
        for x in (25, 31):
            cv.paint(cv.mask(D.ellipse(x, 27, 1.3, 1.0)), (20, 10, 10))
        cv.paint(cv.mask(D.ellipse(28, 33, 2, 0.8)), (140, 50, 50))
    else:
        scratch = cv.mask(D.several(D.line([(12, 12), (44, 64)], 1), D.line([(44, 14), (18, 60)], 1)))
        cv.paint(scratch * inner, (200, 190, 170), 0.5)
    return cv


def paintings():
    cv = painting(False)
    C.save_png(cv.image(), gp("painting_lady.png"))
    C.image_sprite(gp("painting_lady.xml"), g("painting_lady.png"), (0, 0, cv.w, cv.h), Z_PROP)
    cv = painting(True)
    C.save_png(cv.image(), gp("painting_empty.png"))
    anim = C.animation("emptied", [C.frame_sound("data/sfx/sigh.wav"),
                                   C.frame_rect(0, 0, cv.w, cv.h, 5000)], loop=False)
    C.animated_sprite(gp("painting_empty.xml"), g("painting_empty.png"), (0, 0, cv.w, cv.h), Z_PROP, [anim], current="emptied")


def key():
    w, h = 28, 28
    frames = []
    for glint in (0.0, 1.0):
        cv = D.Canvas(w, h)
        cv.paint(C.radial(w, h, 14, 14, 14, 1.5), C.CANDLE, 0.2 + 0.25 * glint)
        bow = cv.mask(D.ellipse(8, 14, 5, 5)) - cv.mask(D.ellipse(8, 14, 2.2, 2.2))
        cv.paint(np.clip(bow, 0, 1), (200, 160, 70))
        cv.paint(cv.mask(D.rect(12, 13, 24, 16)), (200, 160, 70))
        cv.paint(cv.mask(D.several(D.rect(19, 16, 21, 20), D.rect(22, 16, 24, 21))), (200, 160, 70))
        if glint:
            star = cv.mask(D.several(D.line([(8, 5), (8, 23)], 1), D.line([(-1, 14), (17, 14)], 1)), blur=0.6)
            cv.paint(star, (255, 250, 220), 0.9)
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("key.png"))
    anim = C.animation("glint", [C.frame_rect(0, 0, w, h, 1100), C.frame_rect(w, 0, w, h, 140)])
    C.animated_sprite(gp("key.xml"), g("key.png"), (0, 0, w, h), Z_PROP_FRONT, [anim], current="glint")


def sound_carriers():
    """Sprites that are only heard: a transparent speck with an animation of
    sound frames (the step and the heartbeat)."""
    img = Image.new("RGBA", (4, 4), (0, 0, 0, 0))
    C.save_png(img, gp("silence.png"))
    step = C.animation("creak", [C.frame_sound("data/sfx/step.wav"), C.frame_rect(0, 0, 4, 4, 400),
                                 C.frame_sound("data/sfx/step.wav"), C.frame_rect(0, 0, 4, 4, 100)], loop=False)
    C.animated_sprite(gp("sound_step.xml"), g("silence.png"), (0, 0, 4, 4), 90, [step], current="creak")
    beat = C.animation("beat", [C.frame_sound("data/sfx/heartbeat.wav"), C.frame_rect(0, 0, 4, 4, 1150)])
    C.animated_sprite(gp("sound_heartbeat.xml"), g("silence.png"), (0, 0, 4, 4), 90, [beat], current="beat")


def bell_rope():
    w, h = 24, 84
    frames = []
    for sway in (0, 6, -5, 3):
        cv = D.Canvas(w, h)
        pts = [(12 + sway * (t / 10.0) ** 2, t * 7.6) for t in range(0, 11)]
        cv.paint(cv.mask(D.line(pts, 3)), (150, 110, 60))
        cv.paint(cv.mask(D.line(pts, 1)), (200, 160, 90), 0.6)
        ex, ey = pts[-1]
        cv.paint(cv.mask(D.ellipse(ex, ey - 4, 4, 6)), (120, 30, 30))
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("bell_rope.png"))
    still = C.animation("still", [C.frame_rect(0, 0, w, h, 1000)])
    toll = C.animation("toll", [C.frame_sound("data/sfx/bell.wav"), C.frame_rect(w, 0, w, h, 260),
                                C.frame_rect(2 * w, 0, w, h, 260), C.frame_rect(3 * w, 0, w, h, 260),
                                C.frame_rect(2 * w, 0, w, h, 220), C.frame_rect(0, 0, w, h, 200)], loop=False)
    C.animated_sprite(gp("bell_rope.xml"), g("bell_rope.png"), (0, 0, w, h), Z_PROP, [still, toll], current="still")


def altar():
    """The altar's candle: its wax is a slider (a taper burnt down to less
    than half) on a brass tray, and the big flame added at the end."""
    w, h = 130, 22
    cv = D.Canvas(w, h)
    cv.paint(cv.mask(D.rect(0, 2, w, h)), (120, 92, 44))
    cv.paint(cv.mask(D.rect(0, 2, w, 4)), (200, 170, 100), 0.8)
    C.save_png(cv.image(), gp("altar_tray.png"))
    C.image_sprite(gp("altar_tray.xml"), g("altar_tray.png"), (0, 0, w, h), Z_PROP)
    tw, th = 116, 10
    cv = D.Canvas(tw, th)
    cv.paint_field(cv.mask(D.rect(0, 0, tw, th)), D.texture_field(tw, th, 711, C.WAX, 0.08, 4, 2, 0.02))
    cv.paint(cv.mask(D.rect(0, 0, tw, 2)), (250, 240, 216), 0.7)
    C.save_png(cv.image(), gp("altar_wax.png"))
    # in front of the tray: both parts are loaded at their own depths, and of
    # two sprites with equal depth the later one (the tray) would cover it
    C.image_sprite(gp("altar_wax.xml"), g("altar_wax.png"), (0, 0, tw, th), Z_PROP - 2)
    root = C.Node("Sprite", attrs={"type": "sprite_slider"})
    root.add(C.rect_node("BottomRect", 335, 62, w, h))
    root.add(C.rect_node("TopRect", 342, 68, tw, th))
    root.add(C.value("TopSprite", g("altar_wax.xml")))
    root.add(C.value("BottomSprite", g("altar_tray.xml")))
    root.add(C.value("Value", "0.4"))
    C.write_xml(gp("altar_taper.xml"), root)
    fw, fh = 48, 64
    frames = []
    for lean, height in [(0.0, 40), (0.1, 43), (-0.07, 38), (0.04, 42)]:
        cv = D.Canvas(fw, fh)
        D.draw_flame(cv, 24, 58, height, 16, lean=lean, glow=0.9)
        frames.append(cv.image())
    C.save_png(sheet(frames), gp("altar_flame.png"))
    anim = C.animation("burn", [C.frame_rect(i * fw, 0, fw, fh, l) for i, l in enumerate([150, 120, 170, 130])])
    C.animated_sprite(gp("altar_flame.xml"), g("altar_flame.png"), (0, 0, fw, fh), Z_PROP_FRONT, [anim], current="burn")


# --------------------------------------------------------------------------
# Speaker portraits: 176 x 150, slid in at the left of the dialogue box

PW, PH, PY = 176, 150, 446


def portrait_frame(painter, salt):
    cv = D.Canvas(PW, PH)
    x0, y0, x1, y1 = 14, 2, 162, 148
    cv.paint(cv.mask(D.rect(x0 + 3, y0 + 3, x1 + 3, y1 + 3), blur=3), (0, 0, 0), 0.7)
    frame = cv.mask(D.rect(x0, y0, x1, y1))
    cv.paint_field(frame, D.texture_field(PW, PH, salt, (130, 96, 50), 0.3, 5, 3, 0.08))
    inner = cv.mask(D.rect(x0 + 7, y0 + 7, x1 - 7, y1 - 7))
    pic = D.Canvas(PW, PH)
    painter(pic)
    pic.rgb *= C.vignette(PW, PH, 0.55, 2.0)[..., None]
    cv.paint_field(inner, pic.rgb)
    bevel = cv.mask(D.rect(x0 + 6, y0 + 6, x1 - 6, y1 - 6)) - inner
    cv.paint(np.clip(bevel, 0, 1), (40, 28, 16))
    return cv


def bg(cv, colour, salt):
    cv.rgb = D.texture_field(cv.w, cv.h, salt, colour, 0.3, 20, 4, 0.03)
    cv.a[:] = 255


def p_flame(cv):
    bg(cv, (26, 20, 20), 721)
    cv.add_light(C.radial(cv.w, cv.h, 88, 60, 90, 1.5), (1.0, 0.62, 0.3), 110)
    cv.paint_field(cv.mask(D.rect(74, 84, 102, 150)), D.texture_field(cv.w, cv.h, 722, C.WAX, 0.06, 6, 2, 0.01))
    cv.paint(cv.mask(D.rect(94, 84, 102, 150)), (0, 0, 0), 0.2)
    cv.paint(cv.mask(D.ellipse(88, 84, 14, 4)), (246, 232, 196))
    cv.paint(cv.mask(D.line([(88, 84), (89, 74)], 2)), (24, 18, 16))
    D.draw_flame(cv, 89, 76, 46, 20, lean=0.06, glow=0.9)


def p_moth(cv):
    bg(cv, (22, 24, 30), 731)
    cv.add_light(C.radial(cv.w, cv.h, 88, 76, 90, 1.4), (0.7, 0.72, 0.8), 60)
    D.draw_moth(cv, 88, 80, 120, 1.0, (212, 200, 168))


def p_lady(cv):
    bg(cv, (40, 16, 22), 741)
    cv.add_light(C.radial(cv.w, cv.h, 88, 60, 80, 1.3), (0.9, 0.8, 0.8), 50)
    cv.paint(cv.mask(D.ellipse(88, 150, 52, 50)), (60, 16, 28))
    cv.paint(cv.mask(D.ellipse(88, 68, 34, 42)), (20, 12, 12))
    cv.paint(cv.mask(D.ellipse(88, 74, 22, 29)), (226, 216, 204))
    for x in (79, 97):
        cv.paint(cv.mask(D.ellipse(x, 70, 5, 4), blur=1), (8, 6, 8))
    cv.paint(cv.mask(D.ellipse(88, 92, 5, 1.5)), (130, 40, 44))
    cv.paint(cv.mask(D.polygon([(54, 60), (66, 36), (88, 30), (110, 36), (122, 60), (108, 50), (88, 46), (68, 50)])), (26, 14, 14))
    cv.paint(cv.mask(D.ellipse(88, 112, 8, 3)), (200, 190, 160), 0.5)


def p_snuffer(cv):
    bg(cv, (12, 12, 16), 751)
    cv.add_light(C.radial(cv.w, cv.h, 88, 100, 70, 1.5), (0.5, 0.5, 0.6), 30)
    cv.paint(cv.mask(D.polygon([(40, 150), (60, 80), (88, 8), (116, 80), (136, 150)])), (10, 9, 12))
    cv.paint(cv.mask(D.polygon([(62, 86), (88, 20), (114, 86)])), (30, 28, 30))
    cv.paint(cv.mask(D.ellipse(88, 96, 18, 22)), (6, 6, 8))
    for x in (81, 95):
        cv.paint(C.radial(cv.w, cv.h, x, 94, 10, 1.5), (255, 230, 200), 0.6)
        cv.paint(cv.mask(D.ellipse(x, 94, 2, 1.5)), (255, 250, 240))
    cv.paint(cv.mask(D.line([(128, 150), (146, 40)], 3)), (90, 78, 56))
    cv.paint(cv.mask(D.polygon([(140, 40), (154, 40), (148, 22)])), (150, 126, 80))


def p_librarian(cv):
    bg(cv, (30, 20, 14), 761)
    cv.add_light(C.radial(cv.w, cv.h, 88, 70, 90, 1.4), (0.9, 0.75, 0.5), 40)
    cv.paint(cv.mask(D.ellipse(88, 150, 60, 56)), (60, 42, 28))
    cv.paint(cv.mask(D.ellipse(88, 76, 34, 38)), (52, 36, 24))
    cv.paint(cv.mask(D.ellipse(88, 84, 20, 24)), (150, 136, 118))
    for x in (80, 96):
        cv.paint(cv.mask(D.ellipse(x, 80, 8, 6)) - cv.mask(D.ellipse(x, 80, 6, 4)), (200, 180, 120))
        cv.paint(cv.mask(D.ellipse(x, 80, 6, 4)), (220, 210, 170), 0.7)
    cv.paint(cv.mask(D.line([(86, 80), (90, 80)], 1.5)), (200, 180, 120))
    cv.paint(cv.mask(D.ellipse(88, 100, 6, 1.5)), (40, 24, 20))
    cv.paint(cv.mask(D.rect(60, 118, 116, 140)), (100, 26, 22))
    cv.paint(cv.mask(D.rect(86, 118, 90, 140)), (210, 190, 140))


PORTRAITS = {"flame": (p_flame, 781), "moth": (p_moth, 782), "lady": (p_lady, 783),
             "snuffer": (p_snuffer, 784), "librarian": (p_librarian, 785)}


def portraits():
    for name, (painter, salt) in PORTRAITS.items():
        cv = portrait_frame(painter, salt)
        C.save_png(cv.image(), gp("portrait_%s.png" % name))
        C.image_sprite(gp("portrait_%s.xml" % name), g("portrait_%s.png" % name), (-300, PY, PW, PH), Z_PORTRAIT)


def main():
    player()
    window_icon()
    badguys()
    portals()
    moth()
    tub()
    door()
    paintings()
    key()
    sound_carriers()
    bell_rope()
    altar()
    portraits()


if __name__ == "__main__":
    sys.exit(main())
