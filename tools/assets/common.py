"""Shared helpers of the asset generators: paths, the palette, the XML writer
that prints files exactly the way the engine's own writer does, sprite file
builders and a few image helpers (noise, glow, vignette)."""

import os
import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
DATA = os.path.join(ROOT, "data")

# One palette for the whole game: blue-black shadows, warm candlelight,
# bone-white text, dried blood and a cold grey-teal for the dead.
INK = (8, 8, 12)
SHADOW = (22, 21, 30)
DUSK = (38, 40, 54)
STONE = (92, 86, 78)
WOOD = (104, 70, 42)
WAX = (226, 206, 160)
CANDLE = (240, 186, 104)
FLAME = (255, 226, 160)
BONE = (232, 222, 202)
BLOOD = (128, 24, 24)
TEAL = (70, 92, 96)
GHOST = (190, 206, 210)

FONT_TITLE = "/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Regular.otf"
FONT_TITLE_ITALIC = "/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Italic.otf"
FONT_DIALOG = "/usr/share/fonts/opentype/courier-prime/Courier Prime.otf"


def data_path(*parts):
    return os.path.join(DATA, *parts)


def ensure_dir(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)


# --------------------------------------------------------------------------
# XML in the engine's written form: one element per line, two spaces of
# indentation per level, attributes sorted by name each followed by a blank,
# text content on a line of its own, no declaration, no self-closing tags.

class Node:
    def __init__(self, name, content="", attrs=None, children=None):
        self.name = name
        self.content = str(content)
        self.attrs = dict(attrs or {})
        self.children = list(children or [])

    def add(self, child):
        self.children.append(child)
        return child

    def lines(self, depth=0):
        pad = "  " * depth
        head = pad + "<" + self.name
        if self.attrs:
            head += " " + "".join('%s="%s" ' % (k, self.attrs[k]) for k in sorted(self.attrs))
        out = [head + ">"]
        if self.content != "":
            assert "\n" not in self.content and "<" not in self.content and ">" not in self.content, self.content
            out.append("  " * (depth + 1) + self.content)
        for c in self.children:
            out.extend(c.lines(depth + 1))
        out.append(pad + "</" + self.name + ">")
        return out

    def text(self):
        return "\n".join(self.lines()) + "\n"


def write_xml(path, root):
    ensure_dir(path)
    with open(path, "w", newline="\n") as f:
        f.write(root.text())


def rect_node(name, x, y, w, h):
    return Node(name, attrs={"x": int(x), "y": int(y), "w": int(w), "h": int(h)})


def point_node(name, x, y):
    return Node(name, attrs={"x": int(x), "y": int(y)})


def value(name, v):
    if isinstance(v, bool):
        v = "1" if v else "0"
    elif isinstance(v, float):
        v = "%g" % v
    return Node(name, v)


def base_sprite(kind, image=None, rect=(0, 0, 0, 0), z=100, alpha=None,
                background_usage=None, scroll_rect=None):
    """The root of a sprite description file with the base keys in the order
    the factory reads them."""
    root = Node("Sprite", attrs={"type": kind})
    if image:
        root.add(value("ImageFilename", image))
    if background_usage is not None:
        root.add(value("BackgroundUsage", bool(background_usage)))
    if scroll_rect is not None:
        root.add(rect_node("ScrollRect", *scroll_rect))
    root.add(rect_node("ImageRect", *rect))
    root.add(value("Z", int(z)))
    if alpha is not None:
        root.add(value("Alpha", int(alpha)))
    return root


def image_sprite(path, image, rect, z, alpha=None, background_usage=None):
    write_xml(path, base_sprite("sprite_base", image, rect, z, alpha, background_usage))


def frame_rect(x, y, w, h, length):
    f = Node("Frame", attrs={"type": "frame_rect"})
    f.add(rect_node("Rect", x, y, w, h))
    f.add(value("FrameLength", int(length)))
    return f


def frame_sound(sound_file):
    return Node("Frame", attrs={"type": "frame_sound", "sound_file": sound_file})


def animation(name, frames, loop=True):
    a = Node("Animation", attrs={"name": name, "loop": "1" if loop else "0"})
    for f in frames:
        a.add(f)
    return a


def animated_sprite(path, image, rect, z, animations, current=None, alpha=None):
    root = base_sprite("sprite_animated", image, rect, z, alpha)
    if current:
        root.add(value("CurrentAnimation", current))
    for a in animations:
        root.add(a)
    write_xml(path, root)


def text_sprite(path, rect, z, font_file, text="", font_rect=None, alpha=None, backdrop=None):
    x, y, w, h = rect
    root = base_sprite("sprite_text", None, rect, z, alpha)
    root.add(point_node("FontStartPosition", 0, 0))
    fr = font_rect if font_rect is not None else (0, 0, w - 1, h)
    root.add(rect_node("FontRect", *fr))
    if text:
        root.add(value("Text", text))
    if backdrop:
        root.add(value("BackdropFile", backdrop))
    root.add(value("FontFile", font_file))
    write_xml(path, root)


# --------------------------------------------------------------------------
# Images

def rng(salt):
    return np.random.default_rng(salt)


def smooth_noise(w, h, scale, salt, octaves=4, persistence=0.5):
    """Fractal value noise in 0..1, float32 array of shape (h, w)."""
    r = rng(salt)
    out = np.zeros((h, w), np.float32)
    amp, total = 1.0, 0.0
    s = float(scale)
    for _ in range(octaves):
        gw, gh = max(2, int(w / s) + 2), max(2, int(h / s) + 2)
        grid = r.random((gh, gw)).astype(np.float32)
        img = Image.fromarray((grid * 255).astype(np.uint8), "L")
        img = img.resize((int(gw * s), int(gh * s)), Image.BICUBIC).crop((0, 0, w, h))
        out += amp * (np.asarray(img, np.float32) / 255.0)
        total += amp
        amp *= persistence
        s /= 2.0
        if s < 1:
            break
    return out / total


def grain(w, h, salt, amount=0.04):
    return (rng(salt).random((h, w)).astype(np.float32) - 0.5) * 2 * amount


def radial(w, h, cx, cy, radius, power=2.0):
    """1 at the centre falling to 0 at radius."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx - cx) ** 2 + (yy - cy) ** 2) / float(radius)
    return np.clip(1.0 - d, 0.0, 1.0) ** power


def vignette(w, h, strength=0.6, power=2.2):
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    dx = (xx - w / 2) / (w / 2)
    dy = (yy - h / 2) / (h / 2)
    d = np.clip(np.sqrt(dx * dx + dy * dy) / 1.41421, 0, 1)
    return 1.0 - strength * d ** power


def to_rgb_image(arr):
    """float (h, w, 3) in 0..255 -> RGB image."""
    return Image.fromarray(np.clip(arr, 0, 255).astype(np.uint8), "RGB")


def to_rgba_image(rgb, alpha):
    a = np.clip(alpha, 0, 255).astype(np.uint8)
    c = np.clip(rgb, 0, 255).astype(np.uint8)
    return Image.fromarray(np.dstack([c, a]), "RGBA")


def colour_field(base, shade):
    """base colour (r, g, b) times a (h, w) shade field -> (h, w, 3)."""
    return shade[..., None] * np.array(base, np.float32)[None, None, :]


def save_png(img, path):
    ensure_dir(path)
    img.save(path, optimize=True)


def save_jpg(img, path, quality=88):
    ensure_dir(path)
    img.convert("RGB").save(path, quality=quality, optimize=True, subsampling=0)


def font(path, size):
    return ImageFont.truetype(path, size)


def glow_text(size, text, fnt, fill, glow_colour, glow_radius=6, glow_strength=1.0, pos=(0, 0)):
    """RGBA picture of text with a soft glow behind it."""
    w, h = size
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).text(pos, text, font=fnt, fill=255)
    blur = mask.filter(ImageFilter.GaussianBlur(glow_radius))
    g = np.asarray(blur, np.float32) / 255.0 * glow_strength
    m = np.asarray(mask, np.float32) / 255.0
    rgb = colour_field(glow_colour, np.ones((h, w), np.float32))
    rgb = rgb * (1 - m[..., None]) + np.array(fill, np.float32) * m[..., None]
    alpha = np.clip(np.maximum(m, g) * 255, 0, 255)
    return to_rgba_image(rgb, alpha)
