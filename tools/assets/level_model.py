"""What a level is made of, shared by the level generator, its picture
painter and its checks: the open floor and blocking furniture as shapes,
lights, the start, portals, the bad guy's patrol, sprites, music and area
events. All points are screen pixels (800x600, x right, y down)."""

import math
import numpy as np

import make_background as B

W, H = 800, 600

MUSIC_TITLE = "data/music/title.ogg"
MUSIC_HOUSE = "data/music/house.ogg"
MUSIC_DREAD = "data/music/dread.ogg"



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
    def layer_theme(self):
        return B.LAYERS[self.n][0]

    @property
    def preview_sprites(self):
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


def open_floor(lv):
    floor = np.zeros((H, W), bool)
    for s in lv.floor:
        floor |= shape_mask(s)
    for kind, s in lv.blocks:
        floor &= ~shape_mask(s)
    return floor

