"""Bitmap fonts in the OGF format: one text line describing a grid of glyph
cells plus the glyph picture.

  OGF;columns;rows;cell width;cell height;char count;888;char order;widths;image

The widths are two digits per character in 64ths of the cell width. Glyphs
sit at the left of their cells on a common baseline; every cell is one line
high, so the line height is the cell height.

Also offers OgfFont, which reads a generated OGF file back and measures and
wraps text the way the engine's word-wrapping formatter does, so that other
generators can centre text and check that it fits."""

import math
import sys
import numpy as np
from PIL import Image, ImageDraw

import common as C

# Every printable ASCII character except the double quote, which script
# lines use as their string delimiter (texts use the apostrophe instead).
# The space stands in the middle of the order, so that no ';'-separated
# piece of the OGF line begins or ends with a blank.
_PRINTABLE = "".join(chr(c) for c in range(33, 127) if chr(c) != '"')
CHARS = _PRINTABLE.replace("@", "@ ")
COLUMNS = 16

FONTS = {
    # name: (font file, pixel size, colour, extra leading)
    "dialog": (C.FONT_DIALOG, 17, (236, 226, 204), 5),
    "title": (C.FONT_TITLE, 30, (236, 228, 210), 2),
    "credits": (C.FONT_TITLE, 24, (214, 200, 178), 2),
}


def width_code(glyph_w, cell_w):
    """Two-digit code v with trunc(v / 64 * cell_w) == glyph_w, chosen so that
    the product lies well inside the integer's interval (float-safe)."""
    best, best_score = None, None
    for v in range(0, 100):
        p = v / 64.0 * cell_w
        if int(p) != glyph_w:
            continue
        score = abs((p - glyph_w) - 0.5)
        if best is None or score < best_score:
            best, best_score = v, score
    assert best is not None, (glyph_w, cell_w)
    return best


def build(name):
    path, size, colour, leading = FONTS[name]
    fnt = C.font(path, size)
    info = []
    top, bottom = 0, 0
    for ch in CHARS:
        adv = int(round(fnt.getlength(ch)))
        if ch == " ":
            # Garamond's own space is tight for screen text: open it up a bit
            adv = max(adv, int(round(size * 0.27)))
            info.append((ch, 0, adv, adv))
            continue
        l, t, r, b = fnt.getbbox(ch, anchor="ls")
        # A little of the ink that overhangs the advance is kept (it widens
        # the glyph by at most a pixel or two); the rest is cut off, since a
        # cell font cannot overlap its glyphs.
        shift = min(max(0, -l), 2)
        w = adv + shift + min(max(0, r - adv), 1)
        info.append((ch, shift, w, adv))
        top, bottom = min(top, t), max(bottom, b)
    cell_w = max(i[2] for i in info)
    assert cell_w <= 64
    baseline = -top + 1 + leading // 2
    cell_h = baseline + bottom + 1 + (leading - leading // 2)
    rows = int(math.ceil(len(CHARS) / float(COLUMNS)))

    mask = Image.new("L", (COLUMNS * cell_w, rows * cell_h), 0)
    codes = []
    for i, (ch, shift, w, adv) in enumerate(info):
        cx, cy = (i % COLUMNS) * cell_w, (i // COLUMNS) * cell_h
        if ch != " ":
            cell = Image.new("L", (cell_w, cell_h), 0)
            ImageDraw.Draw(cell).text((shift, baseline), ch, font=fnt, fill=255, anchor="ls")
            mask.paste(cell.crop((0, 0, w, cell_h)), (cx, cy))
        codes.append(width_code(w, cell_w))
    a = np.asarray(mask, np.float32)
    rgb = np.zeros(a.shape + (3,), np.float32) + np.array(colour, np.float32)
    img = C.to_rgba_image(rgb, a)
    image_file = "data/fonts/%s.png" % name
    C.save_png(img, C.data_path("fonts", name + ".png"))
    line = ";".join([
        "OGF", str(COLUMNS), str(rows), str(cell_w), str(cell_h), str(len(CHARS)), "888",
        CHARS, "".join("%02d" % v for v in codes), image_file])
    with open(C.data_path("fonts", name + ".ogf"), "w", newline="\n") as f:
        f.write(line + "\n")


class OgfFont:
    """Reads an OGF file like the engine and measures text like it."""

    def __init__(self, name):
        fn = C.data_path("fonts", name + ".ogf")
        with open(fn) as f:
            fields = f.readline().rstrip("\n").split(";")
        assert fields[0] == "OGF"
        cols, rows, cw, ch, count = (int(x) for x in fields[1:6])
        order = fields[7]
        i = 8
        while len(order) < count:
            order += ";" + fields[i]
            i += 1
        assert len(order) == count, (len(order), count)
        widths = fields[i]
        assert len(widths) == 2 * count
        self.image = fields[i + 1]
        self._order = order
        self.width = {}
        for k, c in enumerate(order):
            v = int(widths[2 * k:2 * k + 2])
            self.width[c] = int(v / 64.0 * cw)
        self.line_height = ch
        self.space = self.width[" "]
        self.cell = (cw, ch, cols, rows)

    def text_width(self, text):
        w = 0
        for c in text:
            if c == " ":
                w += self.space
            else:
                w += self.width.get(c, 0)
        return w

    def wrap(self, text, rect_w):
        """Lines as the word-wrapping formatter cuts them (kind 0)."""
        text = text.replace("\t", "    ")
        lines, pos = [], 0
        while pos < len(text):
            end = text.find("\n", pos)
            if end < 0:
                end = len(text)
            w, p, full = 0, pos, False
            while p < end:
                we = p
                while we < len(text) and text[we] not in " \n":
                    we += 1
                ww = self.text_width(text[p:we])
                if w + ww > rect_w:
                    full = True
                    break
                w += ww
                p = we
                if p < len(text) and text[p] == " ":
                    w += self.space
                p += 1
            if not full:
                p = min(p, len(text))
            n = p - pos
            if n <= 0:
                raise ValueError("word wider than the rect: %r" % text[pos:pos + 30])
            lines.append(text[pos:p].rstrip(" \n"))
            pos = p
        return lines

    def balanced_width(self, text, rect_w):
        """The narrowest width, at most rect_w, that wraps text into as few
        lines as rect_w does: the lines come out of even length instead of
        a full line followed by a scrap."""
        count = len(self.wrap(text, rect_w))
        lo, hi = 1, rect_w
        while lo < hi:
            mid = (lo + hi) // 2
            try:
                fits = len(self.wrap(text, mid)) <= count
            except ValueError:
                fits = False
            if fits:
                hi = mid
            else:
                lo = mid + 1
        return lo

    def lone_word(self, text, rect_w):
        """The last line of text wrapped at rect_w when it holds a single
        word under a longer line (it reads as a slip), else None."""
        lines = self.wrap(text, rect_w)
        if len(lines) > 1 and " " not in lines[-1].strip():
            return lines[-1]
        return None

    def render(self, canvas, text, rect):
        """Draws text into an RGBA canvas (PIL image) the way a text sprite
        with this font does; used for previews only."""
        from PIL import Image
        if not hasattr(self, "_img"):
            self._img = Image.open(C.os.path.join(C.ROOT, self.image)).convert("RGBA")
            self._pos = {}
            cw, ch, cols, rows = self.cell
            for k, c in enumerate(self._order):
                self._pos[c] = ((k % cols) * cw, (k // cols) * ch)
        x0, y0, w, h = rect
        y = y0
        for line in self.wrap(text, w):
            if y - y0 >= h:
                break
            x = x0
            for c in line:
                if c == " ":
                    x += self.space
                    continue
                if c not in self.width:
                    continue
                px, py = self._pos[c]
                g = self._img.crop((px, py, px + self.width[c], py + self.line_height))
                canvas.alpha_composite(g, (x, y))
                x += self.width[c]
            y += self.line_height

    def check_text(self, text):
        bad = [c for c in text if c != " " and c not in self.width]
        if bad:
            raise ValueError("characters without glyphs %r in %r" % (bad, text))


def main():
    for name in FONTS:
        build(name)
        f = OgfFont(name)
        print("font %-8s cell %dx%d, line height %d, space %d" % (
            name, f.cell[0], f.cell[1], f.line_height, f.space))


if __name__ == "__main__":
    sys.exit(main())
