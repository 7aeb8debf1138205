"""A Python copy of the engine's line-oriented XML reader (trimmed lines
joined without separator, tags cut at the first '>', attributes pulled out
of the tag text, the last text run of an element wins) and of the sprite
factory's reading of sprite files. The checker and the preview use it to see
the data files the way the game will."""

import os
from PIL import Image

import common as C


class XNode:
    def __init__(self, name, attrs, parent):
        self.name, self.attrs, self.parent = name, attrs, parent
        self.content = ""
        self.children = []

    def child(self, name):
        for c in self.children:
            if c.name == name:
                return c
        return None

    def all(self, name):
        return [c for c in self.children if c.name == name]

    def text(self, name, default=None):
        c = self.child(name)
        return default if c is None else c.content

    def rect(self, name):
        c = self.child(name)
        if c is None:
            return None
        return tuple(int(c.attrs.get(k, 0)) for k in ("x", "y", "w", "h"))

    def point(self, name):
        c = self.child(name)
        if c is None:
            return None
        return (int(c.attrs.get("x", 0)), int(c.attrs.get("y", 0)))


def _decode(text):
    for a, b in (("&lt;", "<"), ("&gt;", ">"), ("&amp;", "&"), ("&apos;", "'"), ("&quot;", '"')):
        pos = text.find(a)
        while pos >= 0:
            text = text[:pos] + b + text[pos + len(a):]
            pos = text.find(a, pos)
    return text


def _attributes(tag):
    attrs = {}
    rest = tag
    while "=" in rest:
        left, right = rest.split("=", 1)
        left, right = left.strip(" \t"), right.strip(" \t")
        cut = max(left.rfind(" "), left.rfind("\t"))
        name = left[cut + 1:]
        remaining = left[:cut] if cut >= 0 else ""
        inq, stop = False, -1
        for i, ch in enumerate(right):
            if ch == '"':
                inq = not inq
            elif ch in " \t" and not inq:
                stop = i
                break
        if stop >= 0:
            remaining += right[stop:]
            right = right[:stop]
        val = right.strip(" \t")[1:-1]
        attrs.setdefault(name, val)
        rest = remaining
    return rest.strip(" \t"), attrs


class _Parser:
    def __init__(self):
        self.root = None
        self.cur = None
        self.inside = False
        self.run = ""
        self.tag = ""
        self.events = []

    def characters(self, text):
        if self.cur is not None:
            self.cur.content = _decode(text) if "&" in text else text

    def start(self, name, attrs):
        n = XNode(name, attrs, self.cur)
        if self.root is None:
            self.root = n
        else:
            if self.cur is None:
                raise ValueError("second top-level element %s" % name)
            self.cur.children.append(n)
        self.cur = n

    def end(self, name):
        if self.cur is None:
            raise ValueError("end tag %s with nothing open" % name)
        if self.cur.name != name:
            raise ValueError("end tag %s closes %s" % (name, self.cur.name))
        self.cur = self.cur.parent

    def flush(self):
        if self.run:
            self.characters(self.run.strip(" \t"))
            self.run = ""

    def piece(self, text):
        text = text.strip(" \t")
        while True:
            if not self.inside:
                p = text.find("<")
                if p < 0:
                    self.run += text
                    return
                self.run += text[:p]
                self.inside = True
                self.flush()
                text = text[p + 1:].strip(" \t")
            else:
                p = text.find(">")
                if p < 0:
                    self.tag += text
                    return
                self.tag += text[:p]
                self.inside = False
                self.handle_tag()
                text = text[p + 1:].strip(" \t")

    def handle_tag(self):
        t = self.tag.strip(" \t")
        self.tag = ""
        if not t:
            return
        if t[0] == "/":
            self.end(t[1:])
            return
        if t[0] == "!":
            return
        if t[0] == "?":
            raise ValueError("processing instruction")
        if "=" in t:
            name, attrs = _attributes(t)
        else:
            name, attrs = t, {}
        if not name:
            return
        if name.endswith("/"):
            name = name[:-1]
            self.start(name, attrs)
            self.end(name)
        else:
            self.start(name, attrs)


def parse(path):
    p = _Parser()
    with open(path, "rb") as f:
        raw = f.read().decode("latin-1")
    for line in raw.split("\n"):
        if line.endswith("\r"):
            line = line[:-1]
        p.piece(line)
    if p.cur is not None:
        raise ValueError("element %s left open in %s" % (p.cur.name, path))
    return p.root


def full(path):
    return os.path.join(C.ROOT, path)


class SpriteInfo:
    def __init__(self, path):
        self.path = path
        self.kind = "sprite_base"
        self.image_file = None
        self.image = None
        self.rect = (0, 0, 0, 0)
        self.z = 100
        self.alpha = 255
        self.text = ""
        self.font_file = None
        self.font_rect = None
        self.animations = {}
        self.current = None
        self.bottom = self.top = None
        if not path.endswith("xml"):
            self.image_file = path
            self.image = Image.open(full(path)).convert("RGBA")
            self.rect = (0, 0) + self.image.size
            return
        root = parse(full(path))
        self.kind = root.attrs.get("type", "sprite_base")
        if self.kind == "sprite_slider":
            self.bottom_rect = root.rect("BottomRect")
            self.top_rect = root.rect("TopRect")
            self.top = root.text("TopSprite")
            self.bottom = root.text("BottomSprite")
            self.value = float(root.text("Value", "1"))
            return
        self.image_file = root.text("ImageFilename")
        if self.image_file:
            self.image = Image.open(full(self.image_file)).convert("RGBA")
        r = root.rect("ImageRect")
        if r:
            self.rect = r
        self.z = int(root.text("Z", "100"))
        self.alpha = max(0, min(255, int(root.text("Alpha", "255"))))
        if self.kind == "sprite_text":
            self.text = root.text("Text", "")
            self.font_file = root.text("FontFile")
            self.font_rect = root.rect("FontRect")
            self.font_start = root.point("FontStartPosition")
        if self.kind == "sprite_animated":
            self.current = root.text("CurrentAnimation")
            for a in root.all("Animation"):
                frames = []
                for fr in a.all("Frame"):
                    t = fr.attrs.get("type")
                    if t == "frame_rect":
                        frames.append(("rect", fr.rect("Rect"), int(fr.text("FrameLength", "0"))))
                    elif t == "frame_sound":
                        frames.append(("sound", fr.attrs.get("sound_file")))
                self.animations[a.attrs.get("name", "")] = (a.attrs.get("loop", "1"), frames)

    def first_view(self):
        """The picture the sprite shows first, cut to its rect's size."""
        if self.image is None:
            return None
        x, y, w, h = self.rect
        vx, vy = 0, 0
        if self.kind == "sprite_animated" and self.current in self.animations:
            for f in self.animations[self.current][1]:
                if f[0] == "rect":
                    vx, vy = f[1][0], f[1][1]
                    break
        return self.image.crop((vx, vy, vx + w, vy + h))
