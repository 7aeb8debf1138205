"""The application icon of the installed game (packaging/icons/): the
player's candle flame over a stub of wax on a dark tile, drawn at 256x256
and scaled down to the smaller sizes the desktop asks for."""

import os
from PIL import Image

import common as C
import draw as D

SIZES = (256, 128, 64, 48, 32)
OUT = os.path.join(C.ROOT, "packaging", "icons")


def tile(size):
    s = size / 256.0
    cv = D.Canvas(size, size)
    cv.paint(cv.mask(lambda d, k: d.rounded_rectangle(
        [8 * s * k, 8 * s * k, (size - 8 * s) * k, (size - 8 * s) * k], radius=40 * s * k, fill=255)), C.INK)
    cv.paint(C.radial(size, size, 128 * s, 120 * s, 118 * s, 1.5), C.CANDLE, 0.35)
    # the candle: a wax body with a lit rim and a wick
    cv.paint(cv.mask(D.rect(100 * s, 150 * s, 156 * s, 236 * s)), C.WAX)
    cv.paint(cv.mask(D.rect(138 * s, 150 * s, 156 * s, 236 * s)), (0, 0, 0), 0.25)
    cv.paint(cv.mask(D.ellipse(128 * s, 150 * s, 28 * s, 8 * s)), (246, 232, 196))
    cv.paint(cv.mask(D.line([(128 * s, 150 * s), (129 * s, 134 * s)], 4 * s)), (24, 18, 16))
    D.draw_flame(cv, 129 * s, 138 * s, 104 * s, 48 * s, lean=0.05, glow=0.0)
    return cv.image()


def main():
    os.makedirs(OUT, exist_ok=True)
    big = tile(256)
    for size in SIZES:
        img = big if size == 256 else big.resize((size, size), Image.LANCZOS)
        img.save(os.path.join(OUT, "tallow-%d.png" % size), optimize=True)


if __name__ == "__main__":
    main()
