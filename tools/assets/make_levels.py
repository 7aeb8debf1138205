"""The five levels: their pictures (lit floor opaque, walls dark and
see-through: the alpha channel is the walk mask), level files, dialogue
files, and a check that every level has a safe route from the start to its
way out that no bad guy can see.

Run with --check to only check, --overlay DIR to also draw each level with
its route, patrol and sight lines for inspection."""

import math
import os
import sys
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import common as C
import draw as D
import levelsim as S
import make_background as B
from make_fonts import OgfFont

W, H = 800, 600
FLOOR_A, WALL_RIM_A, WALL_A_NEAR, WALL_A_FAR = 255, 110, 104, 88
Z_LEVEL = 200

MUSIC_TITLE = "data/music/title.ogg"
MUSIC_HOUSE = "data/music/house.ogg"
MUSIC_DREAD = "data/music/dread.ogg"

P_FLAME = "data/gfx/portrait_flame.xml"
P_MOTH = "data/gfx/portrait_moth.xml"
P_LADY = "data/gfx/portrait_lady.xml"
P_SNUFFER = "data/gfx/portrait_snuffer.xml"
P_LIBRARIAN = "data/gfx/portrait_librarian.xml"
NONE_DIALOG = "data/dialogs/none.xml"


def gfx(name):
    return "data/gfx/" + name


# --------------------------------------------------------------------------
# Level description

class Event:
    def __init__(self, pos, rng, script, player=True, badguy=False, times=1):
        self.pos, self.range, self.script = pos, rng, list(script)
        self.player, self.badguy, self.times = player, badguy, times


class Level:
    def __init__(self, n, name, material):
        self.n, self.name, self.material = n, name, material
        self.floor = []        # shapes that are open floor
        self.blocks = []       # (kind, shape) cut out of the floor again
        self.decor = []        # painters over the floor texture: fn(level, canvas rgb, floor mask)
        self.lights = []       # (x, y, radius, strength, tint)
        self.ambient = 0.34
        self.start = (0, 0)
        self.portals = []      # ((x, y), image, next file)
        self.badguy_image = ""
        self.badguy_size = (40, 40)
        self.speed, self.range, self.chases = 16.0, 300.0, True
        self.path = []
        self.loop = []
        self.rest = None
        self.switches = {}
        self.sprites = []      # (name, file, (x, y) or None)
        self.music = MUSIC_HOUSE
        self.intro = None      # (dialogue file, file shown after a capture)
        self.events = []
        self.route = []        # safe route for the player's centre
        self.preview_dialog = None
        self.notes = []

    @property
    def picture_file(self):
        return "data/levels/level_%02d.png" % self.n

    @property
    def file(self):
        return "data/levels/level_%02d.xml" % self.n

    @property
    def layer_file(self):
        return B.layer_file(self.n)

    @property
    def preview_sprites(self):
        from engine_xml import SpriteInfo
        out = []
        for name, f, pos in self.sprites:
            if pos is not None:
                out.append((f, pos))
            elif f.endswith("altar_taper.xml"):
                out.append((f, None))
        return out

    def build_path(self, minutes=11.0):
        """The patrol: the start corner, then the loop walked again and again
        for about the given time, then a resting place off every route (a
        bad guy stops for good at the end of its path, and after losing
        sight of the player it skips ahead to the last point it can see)."""
        lap = sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(self.loop, self.loop[1:] + self.loop[:1]))
        laps = max(2, int(minutes * 60 * self.speed / lap) + 1)
        self.path = [self.path_start] + self.loop * laps + [self.loop[0]]
        if self.rest:
            self.path.append(self.rest)


def R(x0, y0, x1, y1):
    return ("r", x0, y0, x1, y1)


def Circ(cx, cy, r):
    return ("c", cx, cy, r)


def shape_mask(shape):
    m = np.zeros((H, W), bool)
    if shape[0] == "r":
        _, x0, y0, x1, y1 = shape
        m[max(0, y0):min(H, y1), max(0, x0):min(W, x1)] = True
    elif shape[0] == "c":
        _, cx, cy, r = shape
        yy, xx = np.mgrid[0:H, 0:W]
        m = (xx + 0.5 - cx) ** 2 + (yy + 0.5 - cy) ** 2 < r * r
    return m


def once(dialog, again):
    """Script that shows a dialogue the first time and another file after
    that: the first LoadDialog names the file through a console variable
    that does not exist yet (so the name stands for itself); the assignment
    after it makes the same name stand for the other file from then on."""
    return ["LoadDialog( %s );" % dialog, "%s = %s;" % (dialog, again)]


def add_sprite(name, f, pos=None):
    s = ['AddSprite( "%s", "%s" );' % (name, f)]
    if pos is not None:
        s.append('SpriteMoveTo( "%s", %d, %d );' % (name, pos[0], pos[1]))
    return s


# --------------------------------------------------------------------------
# Floor materials

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


def mat_planks(salt, vertical=False, base=(118, 78, 48)):
    r = C.rng(salt)
    tex = D.texture_field(W, H, salt + 1, base, 0.12, 10, 4, 0.05)
    streak = C.smooth_noise(W if not vertical else H, 4, 6, salt + 2, 3)
    out = np.zeros((H, W, 3), np.float32)
    pw = 18
    if vertical:
        tex = tex.transpose(1, 0, 2)[:W, :H] if False else tex
    for k, y in enumerate(range(0, (W if vertical else H), pw)):
        x = -int(r.integers(0, 200))
        while x < (H if vertical else W):
            L = int(r.integers(120, 260))
            shade = 0.8 + 0.35 * r.random()
            a0, a1 = max(0, x), max(0, x + L - 1)
            if vertical:
                out[a0:a1, y + 1:y + pw] = tex[a0:a1, y + 1:y + pw] * shade
            else:
                out[y + 1:y + pw, a0:a1] = tex[y + 1:y + pw, a0:a1] * shade
            x += L
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


def open_floor(lv):
    floor = np.zeros((H, W), bool)
    for s in lv.floor:
        floor |= shape_mask(s)
    for kind, s in lv.blocks:
        floor &= ~shape_mask(s)
    return floor


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
    dist_in = blur_mask(~floor, 0.1)  # noop copy for shape
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


# --------------------------------------------------------------------------
# Files

def level_xml(lv):
    root = C.Node("Level")
    script = ['PlayMusic( "%s" );' % lv.music]
    for name, f, pos in lv.sprites:
        script += add_sprite(name, f, pos)
    if lv.intro:
        script += once(*lv.intro)
    root.add(script_node("StartUpExecute", script))
    root.add(C.point_node("PlayerPosition", *lv.start))
    root.add(C.value("LevelBackgroundImage", lv.picture_file))
    root.add(C.value("BackgroundLayer", lv.layer_file))
    evs = root.add(C.Node("AreaEvents"))
    for e in lv.events:
        n = evs.add(C.Node("AreaEvent", attrs={"for_player": "1" if e.player else "0",
                                               "for_badguy": "1" if e.badguy else "0",
                                               "how_many_times": str(e.times)}))
        n.add(C.point_node("Position", *e.pos))
        n.add(C.value("Range", e.range))
        n.add(script_node("Execute", e.script))
    ps = root.add(C.Node("Portals"))
    for (pos, img, nxt) in lv.portals:
        p = ps.add(C.Node("Portal"))
        p.add(C.point_node("Position", *pos))
        p.add(C.value("PortalImage", img))
        p.add(C.value("NextFile", nxt))
    root.add(C.value("BadGuyImage", lv.badguy_image))
    root.add(C.value("BadGuySpeed", lv.speed))
    root.add(C.value("BadGuyAiRange", lv.range))
    root.add(C.value("BadGuyChasesPlayer", lv.chases))
    path = root.add(C.Node("BadGuyPath"))
    for (x, y) in lv.path:
        path.add(C.point_node("PathPoint", x, y))
    for key in ("PlayerEnabled", "BadguyEnabled", "PlayerVisible", "BadguyVisible"):
        root.add(C.value(key, lv.switches.get(key, True)))
    C.write_xml(os.path.join(C.ROOT, lv.file), root)


class ScriptNode(C.Node):
    """Script text written one statement per line; the reader joins the
    trimmed lines without a separator, so every statement ends with ';'."""

    def __init__(self, name, statements):
        C.Node.__init__(self, name)
        for s in statements:
            assert s.endswith(";"), s
            assert "//" not in s and "\n" not in s
        self.statements = statements

    def lines(self, depth=0):
        pad = "  " * depth
        return [pad + "<" + self.name + ">"] + ["  " * (depth + 1) + s for s in self.statements] + [pad + "</" + self.name + ">"]


def script_node(name, statements):
    return ScriptNode(name, statements)


class Line:
    def __init__(self, speaker, text, after=()):
        self.speaker, self.text, self.after = speaker, text, list(after)


WRITE_DIALOGS = False


def dialog(path, lines):
    f = OgfFont("dialog")
    root = C.Node("WittyDialog")
    for ln in lines:
        f.check_text(ln.text)
        assert len(f.wrap(ln.text, 590)) * f.line_height <= 118, ln.text
        for bad in '"<>&':
            assert bad not in ln.text, ln.text
        d = root.add(C.Node("DialogLine"))
        d.add(C.value("SpeakerImage", ln.speaker))
        d.add(C.value("Dialogue", ln.text))
        if ln.after:
            d.add(script_node("AfterExecute", ln.after))
    if WRITE_DIALOGS:
        C.write_xml(os.path.join(C.ROOT, path), root)


def do_dialog(speaker, text):
    for bad in '"()=;<>&':
        assert bad not in text, text
    assert "::" not in text and "//" not in text
    OgfFont("dialog").check_text(text)
    return 'DoDialog( "%s", "%s" );' % (speaker, text)


# --------------------------------------------------------------------------
# The levels

def level_01():
    lv = Level(1, "The Cellar", "flagstone")
    lv.floor = [R(40, 400, 262, 570), R(60, 60, 142, 420), R(60, 48, 620, 132), R(582, 38, 772, 232),
                R(300, 250, 602, 522), R(262, 452, 300, 512), R(642, 232, 702, 332), R(602, 282, 642, 332)]
    lv.blocks = [("barrel", Circ(224, 430, 17)), ("barrel", Circ(228, 468, 15)), ("barrel", Circ(66, 548, 15)),
                 ("barrel", Circ(316, 498, 14)), ("barrel", Circ(748, 212, 16))]
    lv.decor = [coal(120, 440), stain(470, 470, 40, (20, 24, 26), 0.5, 881), grate(100, 300, 30, 14),
                stain(400, 90, 30, (30, 34, 30), 0.4, 882), chalk_circle(690, 190, 26)]
    lv.lights = [(150, 480, 170, 0.45, (0.7, 0.8, 1.0)), (100, 230, 150, 0.5, (1.0, 0.78, 0.5)),
                 (340, 90, 200, 0.5, (1.0, 0.78, 0.5)), (460, 320, 230, 0.55, (1.0, 0.8, 0.55)),
                 (690, 110, 190, 0.6, (1.0, 0.8, 0.55))]
    lv.start = (100, 500)
    lv.portals = [((700, 110), gfx("portal_stairs.xml"), "data/levels/level_02.xml")]
    lv.badguy_image = gfx("badguy_washerwoman.xml")
    lv.badguy_size = (40, 40)
    lv.speed, lv.range, lv.chases = 22.0, 200.0, False
    lv.path_start = (340, 300)
    lv.loop = [(360, 320), (540, 320), (540, 470), (360, 470)]
    lv.rest = (450, 300)
    lv.sprites = [("moth", gfx("moth.xml"), (150, 450)), ("tub", gfx("washtub.xml"), (420, 360))]
    lv.intro = ("data/dialogs/l1_intro.xml", "data/dialogs/l1_again.xml")
    lv.events = [
        Event((100, 300), 45, ['SpriteMoveTo( "moth", 300, 74 );']),
        Event((330, 90), 40, ['SpriteMoveTo( "moth", 660, 150 );',
                              do_dialog(P_MOTH, "Hear her scrubbing? She washes the same sheet every night. She will not come after you, but do not let her touch you.")]),
    ]
    lv.route = [(100, 500), (100, 90), (700, 90), (700, 110)]
    lv.preview_dialog = (P_MOTH, "Hear her scrubbing? She washes the same sheet every night. She will not come after you, but do not let her touch you.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "Where... where am I? It is so cold. I can only just feel my own edges."),
        Line(P_MOTH, "Hush, little light. You are a candle flame, the last one burning in this house."),
        Line(P_MOTH, "Something here puts out lights. The servants called it the Snuffer. Every other flame is gone."),
        Line(P_MOTH, "Press on yourself with the left mouse button and drag. Keep to the lit floor: touch a wall and you will let go, and noise brings things running."),
        Line(P_FLAME, "And if they catch me?"),
        Line(P_MOTH, "Then you gutter, and we begin this room again. Follow me. The stairs are in the far corner."),
    ])
    dialog(lv.intro[1], [Line(P_MOTH, "Again. Slower this time, little light.")])
    return lv


def level_02():
    lv = Level(2, "The Kitchen", "tiles")
    lv.floor = [R(210, 150, 632, 472), R(40, 502, 762, 576), R(680, 40, 762, 576), R(40, 150, 180, 472),
                R(180, 282, 210, 342), R(60, 472, 140, 502), R(560, 58, 680, 112), R(560, 112, 620, 150)]
    lv.blocks = [("shelf", R(40, 150, 58, 300)), ("shelf", R(242, 502, 420, 516)), ("shelf", R(600, 502, 680, 516)),
                 ("barrel", Circ(160, 170, 14)), ("shelf", R(744, 250, 762, 420))]
    lv.decor = [table(320, 262, 522, 360, [plate(350, 290), plate(400, 330), plate(470, 292), candle_stub(430, 300),
                                           candle_stub(500, 338)]),
                table(60, 330, 150, 440, [plate(90, 360)]),
                stain(420, 420, 30, (90, 20, 20), 0.45, 891), stain(280, 200, 22, (60, 30, 20), 0.4, 892),
                grate(420, 540, 36, 14)]
    lv.lights = [(420, 300, 230, 0.6, (1.0, 0.8, 0.5)), (110, 300, 150, 0.45, (1.0, 0.8, 0.5)),
                 (150, 540, 160, 0.45, (0.7, 0.8, 1.0)), (520, 540, 200, 0.45, (1.0, 0.8, 0.55)),
                 (720, 300, 200, 0.45, (1.0, 0.8, 0.55)), (720, 90, 130, 0.55, (1.0, 0.8, 0.55))]
    lv.start = (90, 538)
    lv.portals = [((720, 80), gfx("portal_door.xml"), "data/levels/level_03.xml")]
    lv.badguy_image = gfx("badguy_hound.xml")
    lv.badguy_size = (48, 32)
    lv.speed, lv.range, lv.chases = 45.0, 170.0, True
    lv.path_start = (246, 194)
    lv.loop = [(270, 210), (580, 210), (580, 420), (270, 420)]
    lv.rest = (420, 210)
    lv.sprites = [("moth", gfx("moth.xml"), (130, 520)), ("pantrydoor", gfx("pantry_door.xml"), (544, 502))]
    lv.intro = ("data/dialogs/l2_intro.xml", "data/dialogs/l2_again.xml")
    lv.events = [
        Event((480, 538), 50, ['SpritePlayAnimation( "pantrydoor", "open" );']),
        Event((720, 420), 45, ['SpriteMoveTo( "moth", 704, 126 );', 'SpritePlayAnimation( "moth", "rest" );']),
    ]
    lv.route = [(90, 538), (720, 538), (720, 80)]
    lv.preview_dialog = (P_MOTH, "It runs when it sees you. Stay in the pantry passage along the bottom wall; the shelves will hide you.")
    dialog(lv.intro[0], [
        Line(P_MOTH, "The kitchen. Something in here is still hungry. Listen to its claws on the tiles."),
        Line(P_MOTH, "It runs when it sees you. Stay in the pantry passage along the bottom wall; the shelves will hide you."),
    ])
    dialog(lv.intro[1], [Line(P_FLAME, "Its breath was warm. Again, and quietly.")])
    return lv


def level_03():
    lv = Level(3, "The Gallery", "parquet")
    lv.floor = [R(60, 170, 642, 412), R(40, 470, 770, 562), R(690, 50, 770, 562), R(598, 412, 642, 470)]
    lv.blocks = [("pillar", Circ(150, 190, 14)), ("pillar", Circ(300, 190, 14)), ("pillar", Circ(500, 190, 14)),
                 ("pillar", Circ(150, 392, 14)), ("pillar", Circ(300, 392, 14)), ("pillar", Circ(500, 392, 14)),
                 ("shelf", R(690, 50, 704, 160))]
    lv.decor = [runner(100, 270, 600, 312), rug(720, 440, 756, 550, (70, 24, 30), (160, 120, 60)),
                hung_painting(184, 172, 40, 50, 931, "face"), hung_painting(240, 172, 46, 36, 932, "landscape"),
                hung_painting(444, 172, 36, 46, 933, "face"), hung_painting(540, 172, 50, 40, 934, "landscape"),
                hung_painting(110, 360, 44, 36, 935, "landscape"), hung_painting(400, 362, 34, 44, 936, "sigil"),
                hung_painting(560, 364, 36, 44, 937, "face"), hung_painting(708, 180, 40, 50, 938, "face"),
                stain(250, 520, 26, (40, 20, 20), 0.35, 901)]
    lv.lights = [(200, 290, 200, 0.45, (1.0, 0.8, 0.55)), (480, 290, 200, 0.45, (1.0, 0.8, 0.55)),
                 (400, 515, 220, 0.45, (0.7, 0.78, 1.0)), (100, 515, 150, 0.45, (1.0, 0.8, 0.55)),
                 (730, 300, 220, 0.5, (1.0, 0.8, 0.55)), (730, 100, 140, 0.55, (1.0, 0.8, 0.55))]
    lv.start = (80, 516)
    lv.portals = [((730, 100), gfx("portal_stairs.xml"), "data/levels/level_04.xml")]
    lv.badguy_image = gfx("badguy_lady.xml")
    lv.badguy_size = (40, 40)
    lv.speed, lv.range, lv.chases = 30.0, 260.0, True
    lv.path_start = (380, 222)
    lv.loop = [(200, 240), (470, 240), (470, 350), (200, 350)]
    lv.rest = (400, 250)
    lv.switches = {"BadguyVisible": False}
    lv.sprites = [("moth", gfx("moth.xml"), (120, 496)), ("lady_painting", gfx("painting_lady.xml"), (368, 171))]
    lv.intro = ("data/dialogs/l3_intro.xml", "data/dialogs/l3_again.xml")
    lv.events = [
        Event((400, 516), 60, ['SetBadguyShown( 1 );', 'RemoveSprite( "lady_painting" );']
              + add_sprite("empty_painting", gfx("painting_empty.xml"), (368, 171))
              + ['PlayMusic( "%s" );' % MUSIC_DREAD]
              + once("data/dialogs/l3_lady.xml", NONE_DIALOG)),
        Event((730, 400), 45, ['SpriteMoveTo( "moth", 714, 140 );']),
    ]
    lv.route = [(80, 516), (730, 516), (730, 100)]
    lv.preview_dialog = (P_LADY, "You are so warm. Stay with me, just for one night. They all stayed for one night.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "Portraits. Dozens of them, and all of them watching."),
        Line(P_MOTH, "Keep to the servants' passage. And do not look at her for too long."),
    ])
    dialog(lv.intro[1], [Line(P_MOTH, "She is patient. You must be quicker than patience.")])
    dialog("data/dialogs/l3_lady.xml", [
        Line(P_LADY, "You are so warm. Stay with me, just for one night. They all stayed for one night."),
        Line(P_FLAME, "The frame is empty. She is out there, in the gallery."),
    ])
    return lv


def level_04():
    lv = Level(4, "The Library", "planks")
    lv.floor = [R(40, 40, 762, 562)]
    lv.blocks = [("shelf", R(400, 40, 432, 500)),
                 ("shelf", R(140, 400, 400, 424)), ("shelf", R(40, 270, 300, 294)), ("shelf", R(140, 150, 400, 174)),
                 ("shelf", R(560, 180, 584, 380)), ("shelf", R(640, 40, 762, 60)), ("shelf", R(480, 540, 762, 562)),
                 ("shelf", R(40, 40, 120, 58))]
    lv.decor = [table(600, 230, 660, 330, [candle_stub(630, 250)]), table(110, 70, 190, 110, [candle_stub(176, 80)]),
                rug(60, 440, 240, 545, (60, 30, 40), (150, 110, 60)), rug(200, 196, 380, 258, (40, 44, 70), (150, 120, 70)),
                stain(300, 500, 24, (20, 16, 14), 0.4, 911)]
    lv.lights = [(150, 90, 170, 0.55, (1.0, 0.8, 0.55)), (230, 230, 190, 0.4, (1.0, 0.8, 0.55)),
                 (240, 360, 190, 0.4, (1.0, 0.8, 0.55)), (120, 500, 160, 0.45, (0.7, 0.78, 1.0)),
                 (620, 280, 240, 0.5, (1.0, 0.8, 0.55))]
    lv.ambient = 0.38
    lv.start = (80, 520)
    lv.portals = []
    lv.badguy_image = gfx("badguy_librarian.xml")
    lv.badguy_size = (42, 42)
    lv.speed, lv.range, lv.chases = 16.0, 380.0, True
    lv.path_start = (679, 99)
    lv.loop = [(700, 120), (700, 470), (500, 470), (500, 120)]
    lv.rest = (620, 200)
    lv.switches = {"PlayerVisible": False}
    lv.sprites = [("moth", gfx("moth.xml"), (110, 480)), ("key", gfx("key.xml"), (136, 76))]
    lv.intro = ("data/dialogs/l4_intro.xml", "data/dialogs/l4_again.xml")
    lv.events = [
        Event((150, 90), 35, ['RemoveSprite( "key" );',
                              'AddPortal( 330, 90, "data/gfx/portal_passage.xml", "data/levels/level_05.xml" );',
                              'SpriteMoveTo( "moth", 312, 118 );',
                              do_dialog(P_FLAME, "A key, still warm from someone's hand. Somewhere behind me a shelf has swung aside.")]),
        Event((350, 350), 40, once("data/dialogs/l4_librarian.xml", NONE_DIALOG)),
        Event((700, 300), 20, add_sprite("creak", gfx("sound_step.xml")), player=False, badguy=True, times=1),
    ]
    lv.route = [(80, 520), (80, 350), (350, 350), (350, 222), (80, 222), (80, 90), (150, 90), (330, 90)]
    lv.late_portals = [((330, 90), gfx("portal_passage.xml"), "data/levels/level_05.xml")]
    lv.preview_dialog = (P_LIBRARIAN, "Shhh. Someone is turning pages in my library. Someone small, and warm.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "I went out. On the stairs there was a draught, and then nothing at all."),
        Line(P_MOTH, "Breathe, little light. Breathe in the dust of all these books.", ["SetPlayerShown( 1 );"]),
        Line(P_MOTH, "There. You are burning again. The librarian reads in the dark and hears every page that turns."),
        Line(P_MOTH, "The way to the chapel is behind a shelf. Find the key on the reading desk, top left."),
    ])
    dialog(lv.intro[1], [Line(P_MOTH, "Breathe again. There. Quietly now.", ["SetPlayerShown( 1 );"])])
    dialog("data/dialogs/l4_librarian.xml", [
        Line(P_LIBRARIAN, "Shhh. Someone is turning pages in my library. Someone small, and warm."),
    ])
    return lv


def level_05():
    lv = Level(5, "The Chapel", "chapel")
    lv.floor = [R(40, 470, 200, 572), R(60, 40, 160, 470), R(60, 40, 742, 122), Circ(400, 60, 62),
                R(222, 160, 580, 572), R(640, 122, 742, 572), R(580, 500, 640, 562)]
    pews = []
    for y in (220, 290, 360, 430):
        pews += [("pew", R(252, y, 366, y + 28)), ("pew", R(436, y, 550, y + 28))]
    lv.blocks = pews + [("pillar", Circ(146, 180, 11)), ("pillar", Circ(146, 330, 11)),
                        ("pillar", Circ(690, 220, 12)), ("pillar", Circ(690, 380, 12))]
    lv.decor = [runner(372, 170, 430, 560), rug(290, 42, 510, 120, (90, 20, 26), (200, 160, 80)),
                table(326, 52, 474, 94, []),
                chalk_circle(120, 520, 30), stain(660, 520, 30, (40, 20, 20), 0.4, 921)]
    lv.lights = [(400, 70, 200, 0.6, (1.0, 0.8, 0.55)), (110, 250, 200, 0.45, (0.85, 0.72, 1.0)),
                 (400, 360, 260, 0.45, (0.85, 0.72, 1.0)), (690, 300, 220, 0.4, (0.85, 0.72, 1.0)),
                 (110, 520, 140, 0.5, (1.0, 0.8, 0.55)), (110, 90, 120, 0.45, (1.0, 0.8, 0.55))]
    lv.ambient = 0.3
    lv.start = (100, 530)
    lv.portals = []
    lv.music = MUSIC_DREAD
    lv.badguy_image = gfx("badguy_snuffer.xml")
    lv.badguy_size = (44, 48)
    lv.speed, lv.range, lv.chases = 28.0, 320.0, True
    lv.path_start = (378, 496)
    lv.loop = [(400, 190), (566, 190), (566, 530), (236, 530), (236, 190), (400, 190), (400, 520)]
    lv.rest = (400, 200)
    lv.switches = {"BadguyEnabled": False}
    lv.sprites = [("moth", gfx("moth.xml"), (110, 490)), ("bellrope", gfx("bell_rope.xml"), (472, 470)),
                  ("taper", gfx("altar_taper.xml"), None)]
    lv.intro = ("data/dialogs/l5_intro.xml", "data/dialogs/l5_again.xml")
    enable = ["SetBadguyEnabled( 1 );"] + add_sprite("heart", gfx("sound_heartbeat.xml"))
    lv.events = [
        Event((110, 250), 45, ['SpriteMoveTo( "moth", 290, 64 );']),
        Event((566, 530), 24, ['SpritePlayAnimation( "bellrope", "toll" );'], player=False, badguy=True, times=1),
        Event((400, 85), 40, ["SetBadguyEnabled( 0 );", "SetPlayerEnabled( 0 );", 'LoadDialog( "data/dialogs/l5_end.xml" );']),
    ]
    lv.route = [(100, 530), (100, 85), (400, 85)]
    lv.preview_dialog = (P_SNUFFER, "Little light. You came all this way to me.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "A chapel. It smells of smoke and cold wax."),
        Line(P_SNUFFER, "Little light. You came all this way to me.", enable),
        Line(P_MOTH, "The altar candle! Go round by the north aisle, where it cannot see you. Go!"),
    ])
    dialog(lv.intro[1], [Line(P_SNUFFER, "Again, little light? I am still here.", enable)])
    dialog("data/dialogs/l5_end.xml", [
        Line(P_FLAME, "The altar candle. Cold for a hundred years."),
        Line(P_MOTH, "Touch it. Give it a little of yourself. Only a little.",
             add_sprite("altar_flame", gfx("altar_flame.xml"), (376, 8)) + ['RemoveSprite( "heart" );']),
        Line(P_SNUFFER, "No. No! It was mine. All of the dark was mine...",
             ["SetBadguyShown( 0 );", 'PlayMusic( "%s" );' % MUSIC_TITLE]),
        Line(P_FLAME, "It is lit. Whatever waited in the dark has nowhere left to stand.", ["EndGame();"]),
    ])
    return lv


def all_levels():
    return [level_01(), level_02(), level_03(), level_04(), level_05()]


# --------------------------------------------------------------------------
# Checking

class CheckError(Exception):
    pass


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
           "at least 70 px between route and patrol; `tools/assets/check_data.py`",
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
        exits = lv.portals + getattr(lv, "late_portals", [])
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


def main():
    args = sys.argv[1:]
    overlay = None
    if "--overlay" in args:
        overlay = args[args.index("--overlay") + 1]
        os.makedirs(overlay, exist_ok=True)
    global WRITE_DIALOGS
    WRITE_DIALOGS = True
    levels = all_levels()
    dialog(NONE_DIALOG, [])
    failed = False
    for lv in levels:
        lv.build_path()
        alpha = render(lv)
        level_xml(lv)
        problems, info = check(lv, alpha, overlay)
        print("level %d (%s): %s" % (lv.n, lv.name, info))
        for p in problems:
            print("  PROBLEM: " + p)
            failed = True
    describe(levels)
    return 1 if failed else 0


LEVELS = all_levels()
for _lv in LEVELS:
    _lv.build_path()

if __name__ == "__main__":
    sys.exit(main())
