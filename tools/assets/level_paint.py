"""Paints a level's picture: a floor material, decorations on the floor,
lights, and walls that are dark and see-through with a lit rim where they
meet the floor. The alpha channel is the walk mask (floor opaque, walls and
blocking furniture see-through)."""

import math
import os
import numpy as np
from PIL import Image, ImageFilter

import common as C
import draw as D
from level_model import W, H, shape_mask, open_floor

FLOOR_A, WALL_RIM_A, WALL_A_NEAR, WALL_A_FAR = 255, 110, 104, 88



def mat_flagstone(salt):
    r = C.rng(salt)
    tex = D.texture_field(W, H, salt + 1, (124, 116, 104), 0.22, 24, 5, 0.05)
    out = np.zeros((H, W, 3), np.float32) + 34
    y = 0
    while y < H:
        rh = int(r.integers(34, 56))
        x = -int(r.integers(0, 60))
        while x < W:
            bw = int(r.integers(40, 90))
            shade = 0.78 + 0.34 * r.random()
            out[y + 2:y + rh - 1, max(0, x + 2):max(0, x + bw - 1)] = tex[y + 2:y + rh - 1, max(0, x + 2):max(0, x + bw - 1)] * shade
            x += bw
        y += rh
    return out


def mat_tiles(salt):
    yy, xx = np.mgrid[0:H, 0:W]
    t = 30
    chk = ((xx // t + yy // t) % 2).astype(np.float32)
    light = D.texture_field(W, H, salt, (160, 152, 138), 0.15, 16, 4, 0.04)
    dark = D.texture_field(W, H, salt + 1, (106, 96, 88), 0.2, 16, 4, 0.04)
    out = light * chk[..., None] + dark * (1 - chk[..., None])
    grout = ((xx % t) < 1) | ((yy % t) < 1)
    out[grout] = (40, 38, 36)
    grime = C.smooth_noise(W, H, 70, salt + 2, 5)
    return out * (0.72 + 0.45 * grime)[..., None]


def mat_planks(salt, base=(118, 78, 48)):
    r = C.rng(salt)
    tex = D.texture_field(W, H, salt + 1, base, 0.12, 10, 4, 0.05)
    out = np.zeros((H, W, 3), np.float32)
    pw = 18
    for y in range(0, H, pw):
        x = -int(r.integers(0, 200))
        while x < W:
            length = int(r.integers(120, 260))
            shade = 0.8 + 0.35 * r.random()
            a0, a1 = max(0, x), max(0, x + length - 1)
            out[y + 1:y + pw, a0:a1] = tex[y + 1:y + pw, a0:a1] * shade
            x += length
    out[out.sum(axis=2) == 0] = (30, 20, 14)
    return out


def mat_chapel(salt):
    yy, xx = np.mgrid[0:H, 0:W]
    tex = D.texture_field(W, H, salt, (156, 142, 124), 0.18, 30, 5, 0.04)
    r = C.rng(salt + 3)
    shade = r.random((H // 60 + 1, W // 60 + 1)) * 0.3 + 0.82
    out = tex * shade[yy // 60, xx // 60][..., None]
    joint = ((xx % 60) < 2) | ((yy % 60) < 2)
    out[joint] = (44, 42, 48)
    return out


MATERIALS = {
    "flagstone": lambda: mat_flagstone(801),
    "tiles": lambda: mat_tiles(811),
    "parquet": lambda: mat_planks(821, base=(112, 74, 56)),
    "planks": lambda: mat_planks(831, base=(112, 80, 50)),
    "chapel": lambda: mat_chapel(841),
}


# --------------------------------------------------------------------------
# Decorations painted on the floor (walkable)

def rug(x0, y0, x1, y1, colour, border):
    def f(lv, cv, floor):
        m = cv.mask(D.rect(x0, y0, x1, y1))
        cv.paint_field(m, D.texture_field(W, H, 851 + x0, colour, 0.15, 6, 3, 0.05))
        edge = cv.mask(D.rect(x0 + 4, y0 + 4, x1 - 4, y1 - 4)) - cv.mask(D.rect(x0 + 7, y0 + 7, x1 - 7, y1 - 7))
        cv.paint(np.clip(edge, 0, 1), border, 0.8)
    return f


def table(x0, y0, x1, y1, things=()):
    def f(lv, cv, floor):
        cv.paint(cv.mask(D.rect(x0 + 5, y0 + 7, x1 + 5, y1 + 7), blur=4), (0, 0, 0), 0.5)
        m = cv.mask(D.rect(x0, y0, x1, y1))
        cv.paint_field(m, D.texture_field(W, H, 861 + y0, (96, 62, 36), 0.15, 8, 3, 0.06))
        rim = m - cv.mask(D.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2))
        cv.paint(np.clip(rim, 0, 1), (54, 34, 20))
        for t in things:
            t(cv)
    return f


def plate(cx, cy, r=9):
    def f(cv):
        cv.paint(cv.mask(D.ellipse(cx, cy, r, r)), (200, 196, 184))
        cv.paint(cv.mask(D.ellipse(cx, cy, r * 0.6, r * 0.6)), (170, 164, 150))
    return f


def candle_stub(cx, cy):
    def f(cv):
        cv.paint(cv.mask(D.ellipse(cx, cy, 5, 5)), C.WAX)
        cv.paint(cv.mask(D.ellipse(cx, cy, 1.5, 1.5)), (30, 20, 16))
    return f


def stain(cx, cy, r, colour, op, salt):
    def f(lv, cv, floor):
        n = C.smooth_noise(W, H, max(4, r / 3.0), salt, 3)
        m = np.clip((C.radial(W, H, cx, cy, r, 0.8) + n * 0.6 - 0.8) * 3, 0, 1)
        cv.paint(m, colour, op)
    return f


def grate(cx, cy, w, h):
    def f(lv, cv, floor):
        cv.paint(cv.mask(D.rect(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2)), (20, 20, 22))
        for k in range(int(w // 6)):
            x = cx - w / 2 + 3 + k * 6
            cv.paint(cv.mask(D.rect(x, cy - h / 2 + 2, x + 2, cy + h / 2 - 2)), (90, 90, 92))
    return f


def hung_painting(x, y, w, h, salt, subject):
    """A framed picture leaning against the wall (drawn on the floor)."""
    def f(lv, cv, floor):
        r = C.rng(salt)
        cv.paint(cv.mask(D.rect(x + 3, y + 4, x + w + 3, y + h + 4), blur=2.5), (0, 0, 0), 0.55)
        cv.paint_field(cv.mask(D.rect(x, y, x + w, y + h)), D.texture_field(W, H, salt, (150, 112, 52), 0.3, 3, 2, 0.08))
        ix0, iy0, ix1, iy1 = x + 4, y + 4, x + w - 4, y + h - 4
        inner = cv.mask(D.rect(ix0, iy0, ix1, iy1))
        base = [(40, 46, 40), (34, 30, 44), (48, 34, 28)][int(r.integers(0, 3))]
        cv.paint(inner, base)
        cx, cy = (ix0 + ix1) / 2.0, (iy0 + iy1) / 2.0
        if subject == "face":
            cv.paint(cv.mask(D.ellipse(cx, cy + h * 0.28, w * 0.32, h * 0.2)) * inner, (30, 22, 20))
            cv.paint(cv.mask(D.ellipse(cx, cy - h * 0.05, w * 0.17, h * 0.2)), (196, 176, 150))
            for dx in (-0.06, 0.06):
                cv.paint(cv.mask(D.ellipse(cx + w * dx, cy - h * 0.08, 1.2, 1.2)), (20, 14, 12))
        elif subject == "landscape":
            cv.paint(cv.mask(D.polygon([(ix0, iy1), (ix0, cy), (cx - 4, cy - h * 0.15), (cx + 6, cy + 2), (ix1, cy - 4), (ix1, iy1)])), (26, 30, 24))
            cv.paint(cv.mask(D.ellipse(ix1 - 8, iy0 + 7, 3, 3)), (200, 196, 170))
        else:
            cv.paint(cv.mask(D.polygon([(cx, iy0 + 4), (ix1 - 4, cy), (cx, iy1 - 4), (ix0 + 4, cy)])), (90, 30, 30))
    return f


def runner(x0, y0, x1, y1):
    return rug(x0, y0, x1, y1, (110, 22, 26), (190, 150, 70))


def chalk_circle(cx, cy, r):
    def f(lv, cv, floor):
        ring = cv.mask(D.ellipse(cx, cy, r, r)) - cv.mask(D.ellipse(cx, cy, r - 2, r - 2))
        cv.paint(np.clip(ring, 0, 1), (220, 216, 200), 0.6)
        for k in range(5):
            a = -math.pi / 2 + k * 4 * math.pi / 5
            b = -math.pi / 2 + (k + 1) * 4 * math.pi / 5
            cv.paint(cv.mask(D.line([(cx + r * math.cos(a), cy + r * math.sin(a)), (cx + r * math.cos(b), cy + r * math.sin(b))], 1.5)), (220, 216, 200), 0.5)
    return f


def coal(cx, cy):
    def f(lv, cv, floor):
        r = C.rng(cx)
        for _ in range(60):
            x, y = cx + r.normal() * 18, cy + r.normal() * 12
            cv.paint(cv.mask(D.ellipse(x, y, 3 + r.random() * 3, 2 + r.random() * 3)), (24 + r.integers(0, 20),) * 3)
    return f


# --------------------------------------------------------------------------
# Blocking furniture: painted on the (see-through) wall pixels

def look_barrel(cv, shape, alpha):
    _, cx, cy, r = shape
    m = cv.mask(D.ellipse(cx, cy, r, r))
    cv.rgb = np.where(m[..., None] > 0.5, np.array((70, 46, 28), np.float32), cv.rgb)
    for rr in (r - 2, r * 0.55):
        ring = cv.mask(D.ellipse(cx, cy, rr, rr)) - cv.mask(D.ellipse(cx, cy, rr - 1.5, rr - 1.5))
        cv.rgb = np.where(ring[..., None] > 0.5, np.array((26, 22, 20), np.float32), cv.rgb)


def look_shelf(cv, shape, alpha):
    _, x0, y0, x1, y1 = shape
    r = C.rng(x0 * 7 + y0)
    horizontal = (x1 - x0) > (y1 - y0)
    cols = [(130, 40, 30), (50, 80, 50), (120, 90, 50), (50, 56, 100), (140, 120, 80)]
    if horizontal:
        x = x0 + 2
        while x < x1 - 2:
            bw = int(r.integers(5, 11))
            cv.rgb[y0 + 3:y1 - 3, x:min(x1 - 2, x + bw - 1)] = cols[int(r.integers(0, len(cols)))]
            x += bw
    else:
        y = y0 + 2
        while y < y1 - 2:
            bh = int(r.integers(5, 11))
            cv.rgb[y:min(y1 - 2, y + bh - 1), x0 + 3:x1 - 3] = cols[int(r.integers(0, len(cols)))]
            y += bh


def look_pew(cv, shape, alpha):
    _, x0, y0, x1, y1 = shape
    cv.rgb[y0:y1, x0:x1] = (70, 44, 28)
    cv.rgb[y0:y0 + 4, x0:x1] = (110, 74, 44)


def look_pillar(cv, shape, alpha):
    _, cx, cy, r = shape
    m = cv.mask(D.ellipse(cx, cy, r, r))
    cv.rgb = np.where(m[..., None] > 0.5, np.array((90, 88, 96), np.float32), cv.rgb)
    inner = cv.mask(D.ellipse(cx - r * 0.2, cy - r * 0.2, r * 0.5, r * 0.5))
    cv.rgb = np.where(inner[..., None] > 0.5, np.array((120, 118, 126), np.float32), cv.rgb)


LOOKS = {"barrel": look_barrel, "shelf": look_shelf, "pew": look_pew, "pillar": look_pillar, "wall": None}


# --------------------------------------------------------------------------
# Rendering a level picture

def blur_mask(m, radius):
    img = Image.fromarray((m.astype(np.float32) * 255).astype(np.uint8))
    return np.asarray(img.filter(ImageFilter.GaussianBlur(radius)), np.float32) / 255.0


def render(lv):
    floor = open_floor(lv)
    cv = D.Canvas(W, H)
    cv.rgb = MATERIALS[lv.material]()
    cv.a[:] = 255
    for dec in lv.decor:
        dec(lv, cv, floor)
    # light
    light = np.zeros((H, W, 3), np.float32) + lv.ambient * np.array((0.95, 0.88, 0.8), np.float32)
    for (x, y, rad, strength, tint) in lv.lights:
        light += C.radial(W, H, x, y, rad * 1.15, 1.5)[..., None] * strength * 1.5 * np.array(tint, np.float32)
    near_wall = blur_mask(floor, 7)
    ao = 0.5 + 0.5 * np.clip(near_wall * 1.6 - 0.4, 0, 1)
    grain = 1 + C.grain(W, H, 871, 0.03)
    floor_rgb = cv.rgb * np.clip(light, 0, 1.35) * (ao * grain)[..., None]
    # walls: dark and see-through, with a lit rim where they meet the floor
    near = blur_mask(floor, 10)
    rim = (~floor) & (blur_mask(floor, 1.5) > 0.08)
    wall_rgb = np.zeros((H, W, 3), np.float32) + np.array((10, 9, 12), np.float32)
    wall_rgb += near[..., None] * np.array((40, 34, 30), np.float32)
    rim_rgb = np.array((96, 86, 74), np.float32)[None, None, :] * np.clip(light, 0.4, 1.2)
    wall_rgb = np.where(rim[..., None], rim_rgb, wall_rgb)
    wall_a = WALL_A_FAR + (WALL_A_NEAR - WALL_A_FAR) * np.clip(near * 2, 0, 1)
    wall_a = np.where(rim, WALL_RIM_A, wall_a)
    # blocking furniture gets its own look on the wall pixels
    fcv = D.Canvas(W, H)
    fcv.rgb = wall_rgb
    for kind, s in lv.blocks:
        if LOOKS.get(kind):
            LOOKS[kind](fcv, s, WALL_RIM_A)
            m = shape_mask(s) & ~floor
            wall_a = np.where(m, WALL_RIM_A - 4, wall_a)
    wall_rgb = fcv.rgb * np.clip(light * 0.8, 0.3, 1.0)
    rgb = np.where(floor[..., None], floor_rgb, wall_rgb)
    alpha = np.where(floor, FLOOR_A, np.minimum(wall_a, WALL_RIM_A))
    img = C.to_rgba_image(rgb, alpha)
    C.save_png(img, os.path.join(C.ROOT, lv.picture_file))
    return np.asarray(img)[..., 3]

