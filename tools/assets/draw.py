"""Small drawing kit on top of PIL: supersampled shapes, soft glows and the
recurring figures of the game (candle flame, moth, the hooded ones)."""

import math
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

import common as C

SS = 4  # supersampling factor for smooth edges


class Canvas:
    """An RGBA float canvas with painter helpers. Shapes are drawn as masks
    at SS times the size and scaled down."""

    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.rgb = np.zeros((h, w, 3), np.float32) + np.array(fill[:3], np.float32)
        self.a = np.zeros((h, w), np.float32) + fill[3]

    # masks -----------------------------------------------------------------
    def mask(self, fn, blur=0.0):
        m = Image.new("L", (self.w * SS, self.h * SS), 0)
        d = ImageDraw.Draw(m)
        fn(d, SS)
        m = m.resize((self.w, self.h), Image.LANCZOS)
        if blur:
            m = m.filter(ImageFilter.GaussianBlur(blur))
        return np.asarray(m, np.float32) / 255.0

    # painting ----------------------------------------------------------------
    def paint(self, mask, colour, opacity=1.0):
        """Source-over of a flat colour through a coverage mask."""
        if len(colour) == 4:
            opacity *= colour[3] / 255.0
        m = np.clip(mask * opacity, 0, 1)
        src_a = m * 255.0
        out_a = src_a + self.a * (1 - m)
        col = np.array(colour[:3], np.float32)
        num = col[None, None, :] * src_a[..., None] + self.rgb * (self.a * (1 - m))[..., None]
        safe = np.where(out_a > 0, out_a, 1)
        self.rgb = num / safe[..., None]
        self.a = out_a

    def paint_field(self, mask, rgb_field, opacity=1.0):
        m = np.clip(mask * opacity, 0, 1)
        src_a = m * 255.0
        out_a = src_a + self.a * (1 - m)
        num = rgb_field * src_a[..., None] + self.rgb * (self.a * (1 - m))[..., None]
        safe = np.where(out_a > 0, out_a, 1)
        self.rgb = num / safe[..., None]
        self.a = out_a

    def add_light(self, field, colour, amount=1.0):
        """Additive light on the colour (alpha untouched)."""
        self.rgb = self.rgb + field[..., None] * np.array(colour, np.float32) * amount

    def image(self):
        return C.to_rgba_image(self.rgb, self.a)

    def paste_image(self, img, x, y):
        """Source-over of an RGBA PIL image."""
        arr = np.asarray(img.convert("RGBA"), np.float32)
        h, w = arr.shape[:2]
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(self.w, x + w), min(self.h, y + h)
        if x1 <= x0 or y1 <= y0:
            return
        sub = arr[y0 - y:y1 - y, x0 - x:x1 - x]
        m = np.zeros((self.h, self.w), np.float32)
        m[y0:y1, x0:x1] = sub[..., 3] / 255.0
        field = np.zeros((self.h, self.w, 3), np.float32)
        field[y0:y1, x0:x1] = sub[..., :3]
        self.paint_field(m, field)


def ellipse(cx, cy, rx, ry):
    return lambda d, s: d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=255)


def rect(x0, y0, x1, y1):
    return lambda d, s: d.rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255)


def polygon(points):
    return lambda d, s: d.polygon([(x * s, y * s) for x, y in points], fill=255)


def line(points, width):
    return lambda d, s: d.line([(x * s, y * s) for x, y in points], fill=255, width=int(width * s), joint="curve")


def several(*fns):
    def f(d, s):
        for fn in fns:
            fn(d, s)
    return f


# --------------------------------------------------------------------------
# Recurring figures

def flame_shape(cx, base_y, height, width, lean=0.0):
    """Teardrop flame polygon, tip at base_y - height."""
    pts = []
    for i in range(0, 41):
        t = i / 40.0 * 2 * math.pi
        # parametric teardrop: wide at the bottom, pointed at the top
        y = -math.cos(t)  # -1 top .. 1 bottom
        x = math.sin(t) * (0.5 + 0.5 * y) ** 0.9 if y > -1 else 0
        yy = base_y - height * (1 - (y + 1) / 2.0) * 1.0
        xx = cx + x * width / 2.0 + lean * (1 - (y + 1) / 2.0) ** 2 * width
        pts.append((xx, yy))
    return pts


def draw_flame(cv, cx, base_y, height, width, lean=0.0, glow=1.0):
    """A candle flame with a warm halo."""
    hy = base_y - height * 0.45
    reach = min(height * 2.6, cx, cv.w - cx, hy, cv.h - hy)
    halo = C.radial(cv.w, cv.h, cx, hy, max(reach, 1), 1.6)
    cv.paint(halo, C.CANDLE, 0.55 * glow)
    outer = cv.mask(polygon(flame_shape(cx, base_y, height, width, lean)), blur=0.6)
    cv.paint(outer, (250, 170, 70))
    inner = cv.mask(polygon(flame_shape(cx, base_y - height * 0.06, height * 0.72, width * 0.6, lean * 0.8)), blur=0.5)
    cv.paint(inner, C.FLAME)
    core = cv.mask(ellipse(cx, base_y - height * 0.14, width * 0.13, height * 0.12), blur=0.4)
    cv.paint(core, (120, 140, 220), 0.55)


def draw_moth(cv, cx, cy, span, wing=1.0, colour=(206, 196, 168), opacity=1.0):
    """Top view of a moth; wing (0..1) folds the wings for flutter frames."""
    s = span / 2.0
    fw = s * (0.35 + 0.65 * wing)

    def wings(d, k):
        for side in (-1, 1):
            fore = [(cx, cy - s * 0.10), (cx + side * fw * 1.0, cy - s * 0.55),
                    (cx + side * fw * 1.05, cy - s * 0.10), (cx + side * fw * 0.5, cy + s * 0.12)]
            hind = [(cx, cy + s * 0.02), (cx + side * fw * 0.75, cy + s * 0.18),
                    (cx + side * fw * 0.55, cy + s * 0.55), (cx + side * fw * 0.1, cy + s * 0.35)]
            d.polygon([(x * k, y * k) for x, y in fore], fill=255)
            d.polygon([(x * k, y * k) for x, y in hind], fill=255)
    m = cv.mask(wings, blur=0.5)
    cv.paint(m, colour, opacity)
    darker = tuple(int(c * 0.62) for c in colour)
    for side in (-1, 1):
        spot = cv.mask(ellipse(cx + side * fw * 0.62, cy - s * 0.22, s * 0.11 * (0.4 + 0.6 * wing), s * 0.11), blur=0.4)
        cv.paint(spot, darker, opacity)
        dot = cv.mask(ellipse(cx + side * fw * 0.62, cy - s * 0.22, s * 0.045 * (0.4 + 0.6 * wing), s * 0.045), blur=0.3)
        cv.paint(dot, (40, 30, 24), opacity)
    body = cv.mask(ellipse(cx, cy, s * 0.09, s * 0.36), blur=0.4)
    cv.paint(body, (120, 104, 84), opacity)
    ant = cv.mask(several(line([(cx, cy - s * 0.3), (cx - s * 0.25, cy - s * 0.62)], max(1, s * 0.03)),
                          line([(cx, cy - s * 0.3), (cx + s * 0.25, cy - s * 0.62)], max(1, s * 0.03))), blur=0.3)
    cv.paint(ant, (120, 104, 84), opacity)


def hooded_top(cv, cx, cy, r, robe, face, eye, eye_glow=1.0, cone=False, breath=0.0):
    """A hooded figure seen from above and a little in front: dark robe disc,
    a pale face and two eyes."""
    shadow = cv.mask(ellipse(cx + r * 0.12, cy + r * 0.2, r * 1.08, r * 0.98), blur=r * 0.25)
    cv.paint(shadow, (0, 0, 0), 0.55)
    rr = r * (1 + 0.04 * breath)
    body = cv.mask(polygon([(cx + math.cos(t) * rr * (1.0 + 0.08 * math.sin(5 * t)),
                             cy + math.sin(t) * rr * 0.92 + (rr * 0.18 if math.sin(t) > 0 else 0))
                            for t in np.linspace(0, 2 * math.pi, 48)]), blur=0.6)
    cv.paint(body, robe)
    rim = cv.mask(ellipse(cx, cy - r * 0.08, r * 0.78, r * 0.7), blur=r * 0.2)
    cv.paint(rim, tuple(min(255, int(c * 1.5) + 10) for c in robe), 0.35)
    if cone:
        c = cv.mask(polygon([(cx - r * 0.42, cy - r * 0.05), (cx + r * 0.42, cy - r * 0.05), (cx, cy - r * 1.05)]), blur=0.5)
        cv.paint(c, (46, 42, 40))
        cr = cv.mask(line([(cx - r * 0.2, cy - r * 0.55), (cx + r * 0.05, cy - r * 0.9)], max(1, r * 0.06)), blur=0.3)
        cv.paint(cr, (120, 110, 96), 0.7)
    fy = cy + r * 0.05
    f = cv.mask(ellipse(cx, fy, r * 0.36, r * 0.42), blur=0.5)
    cv.paint(f, face)
    for side in (-1, 1):
        g = C.radial(cv.w, cv.h, cx + side * r * 0.15, fy - r * 0.04, r * 0.32, 1.5)
        cv.paint(g, eye, 0.6 * eye_glow)
        e = cv.mask(ellipse(cx + side * r * 0.15, fy - r * 0.04, r * 0.075, r * 0.06), blur=0.3)
        cv.paint(e, eye)
    m = cv.mask(ellipse(cx, fy + r * 0.2, r * 0.09, r * 0.05), blur=0.4)
    cv.paint(m, (20, 14, 14), 0.8)


def texture_field(w, h, salt, base, var=0.25, scale=40, octaves=5, grain_amount=0.05):
    n = C.smooth_noise(w, h, scale, salt, octaves)
    g = C.grain(w, h, salt + 1, grain_amount)
    shade = (1 - var) + var * 2 * (n - 0.5) + g + var
    return C.colour_field(base, np.clip(shade, 0, 2))
