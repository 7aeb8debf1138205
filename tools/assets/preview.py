"""Composes still previews of game screens from the data files (sprites by
depth, text sprites typed with their OGF fonts), for looking at the art
while the engine cannot show it yet. Writes PNG files to a folder given on
the command line (default /tmp/tallow-preview)."""

import os
import random
import sys
from PIL import Image

import common as C
import engine_xml as X
from make_fonts import OgfFont

W, H = 800, 600


class Screen:
    def __init__(self):
        self.items = []  # (z, order, image, x, y)

    def add(self, path, pos=None, alpha=None, text=None, frame=None):
        s = X.SpriteInfo(path)
        if s.kind == "sprite_slider":
            b = X.SpriteInfo(s.bottom)
            t = X.SpriteInfo(s.top)
            self._put(b.first_view().resize(s.bottom_rect[2:]), s.bottom_rect[:2], b.z, 255)
            tw = int(s.top_rect[2] * s.value)
            self._put(t.first_view().resize((s.top_rect[2], s.top_rect[3])).crop((0, 0, tw, s.top_rect[3])),
                      s.top_rect[:2], b.z - 1, 255)
            return s
        x, y, w, h = s.rect
        if pos is not None:
            x, y = pos
        a = s.alpha if alpha is None else alpha
        if s.kind == "sprite_text":
            img = Image.new("RGBA", (w - 1, h), (0, 0, 0, 0))
            name = os.path.splitext(os.path.basename(s.font_file))[0]
            OgfFont(name).render(img, s.text if text is None else text, s.font_rect)
        else:
            img = s.first_view()
            if frame is not None and s.kind == "sprite_animated":
                r = s.animations[frame[0]][1][frame[1]][1]
                img = s.image.crop((r[0], r[1], r[0] + r[2], r[1] + r[3]))
        if img is not None:
            self._put(img, (x, y), s.z, a)
        return s

    def _put(self, img, pos, z, alpha):
        if alpha < 255:
            r, g, b, a = img.split()
            a = a.point(lambda v: v * alpha // 255)
            img = Image.merge("RGBA", (r, g, b, a))
        self.items.append((z, len(self.items), img, pos[0], pos[1]))

    def layer(self, path, salt=1):
        root = X.parse(X.full(path))
        self.add(root.text("LevelBackgroundImage"))
        rnd = random.Random(salt)
        if root.text("CreateCrapground", "1") == "1":
            files = ["data/gfx/background_crap_%02d.xml" % i for i in range(1, 5)]
            rnd.shuffle(files)
            for f, (cx, cy) in zip(files, [(200, 150), (600, 150), (200, 450), (600, 450)]):
                s = X.SpriteInfo(f)
                self.add(f, pos=(cx - s.rect[2] // 2, cy - s.rect[3] // 2))
        if root.text("FloatThingsAround", "1") == "1":
            files = ["data/gfx/floating_things_%02d.xml" % i for i in range(1, 5)]
            rnd.shuffle(files)
            for f in files[:2]:
                s = X.SpriteInfo(f)
                self.add(f, pos=(rnd.randint(100, 700) - s.rect[2] // 2, rnd.randint(75, 525) - s.rect[3] // 2))

    def render(self):
        out = Image.new("RGBA", (W, H), (0, 0, 0, 255))
        for z, _, img, x, y in sorted(self.items, key=lambda t: (-t[0], t[1])):
            out.alpha_composite(img, (0, 0)) if False else None
            layer = Image.new("RGBA", (W, H), (0, 0, 0, 0))
            layer.paste(img, (x, y))
            out = Image.alpha_composite(out, layer)
        return out.convert("RGB")


def title_screens(out):
    s = Screen()
    s.layer("data/gfx/title_background.xml")
    s.add("data/gfx/morvane_logo.xml")
    s.add("data/gfx/title_game_by.xml")
    s.add("data/gfx/blackfader.xml", pos=(726, 369))
    s.render().save(os.path.join(out, "title.png"))


def question_screens(out):
    s = Screen()
    s.layer("data/gfx/questions_background.xml")
    s.add("data/gfx/questions_01.xml")
    s.add("data/gfx/blackstair.xml", pos=(700, 123))
    s.add("data/gfx/questions_continue.xml", alpha=255)
    s.add("data/gfx/questions_yes.xml")
    s.add("data/gfx/questions_no.xml")
    s.render().save(os.path.join(out, "questions_1.png"))
    s = Screen()
    s.layer("data/gfx/questions_background.xml")
    s.add("data/gfx/questions_04.xml", alpha=255)
    s.add("data/gfx/blackstair.xml", pos=(700, 123))
    s.add("data/gfx/questions_you_continue.xml")
    s.render().save(os.path.join(out, "questions_4.png"))
    for i in (2, 3, 5):
        s = Screen()
        s.layer("data/gfx/questions_background.xml")
        s.add("data/gfx/questions_%02d.xml" % i, alpha=255)
        s.add("data/gfx/blackstair.xml", pos=(700, 123))
        s.render().save(os.path.join(out, "questions_%d.png" % i))


def end_screen(out):
    s = Screen()
    s.add("data/gfx/end_of_game_blackout.xml")
    s.add("data/gfx/end_of_game_animation.xml")
    s.render().save(os.path.join(out, "end.png"))


def level_screen(out, n, dialog=None, extra=()):
    """A level as loaded, with its named sprites from the start-up script and
    optionally an open dialogue box (speaker file, text)."""
    import make_levels as L
    lv = L.LEVELS[n - 1]
    s = Screen()
    s.layer(lv.layer_file, salt=n)
    s.add(lv.picture_file)
    s.add("data/gfx/icon_player.xml", pos=(lv.start[0] - 12, lv.start[1] - 12))
    bg = X.SpriteInfo(lv.badguy_image)
    p0 = lv.path[0] if lv.path else (900, 900)
    s.add(lv.badguy_image, pos=p0)
    for (x, y), img, _ in lv.portals:
        ps = X.SpriteInfo(img)
        s.add(img, pos=(x - ps.rect[2] // 2, y - ps.rect[3] // 2))
    for f, pos in list(lv.preview_sprites) + list(extra):
        s.add(f, pos=pos)
    if dialog:
        s.add("data/gfx/dialog_box.xml", pos=(0, 441))
        if dialog[0]:
            s.add(dialog[0], pos=(0, X.SpriteInfo(dialog[0]).rect[1]))
        s.add("data/gfx/dialog_text.xml", text=dialog[1])
        s.add("data/gfx/click_to_continue.xml")
    s.render().save(os.path.join(out, "level_%02d%s.png" % (n, "_dialog" if dialog else "")))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "/tmp/tallow-preview"
    what = sys.argv[2:] or ["title", "questions", "end"]
    os.makedirs(out, exist_ok=True)
    if "title" in what:
        title_screens(out)
    if "questions" in what:
        question_screens(out)
    if "end" in what:
        end_screen(out)
    for w in what:
        if w.startswith("level"):
            n = int(w[5:])
            level_screen(out, n)
            import make_levels as L
            lv = L.LEVELS[n - 1]
            if lv.preview_dialog:
                level_screen(out, n, lv.preview_dialog)


if __name__ == "__main__":
    sys.exit(main())
