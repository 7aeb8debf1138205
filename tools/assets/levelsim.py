"""The game's walk-mask and sight rules, copied for checking levels ahead of
the engine: IsOpen (alpha / 255 above 0.45 at the point or one of its four
neighbours), HasLineOfSight (with its 14-step allowance at blocked ends) and
the bad guy's walk along its patrol path."""

import math
import numpy as np

THRESHOLD = 0.45
ALLOWANCE = 14


class Mask:
    def __init__(self, alpha):
        """alpha: uint8 array (h, w) of the level picture's alpha channel."""
        self.h, self.w = alpha.shape
        o = (alpha.astype(np.float32) / 255.0) > THRESHOLD
        # outside the picture the engine reads alpha 255
        pad = np.ones((self.h + 2, self.w + 2), bool)
        pad[1:-1, 1:-1] = o
        self.open = (pad[1:-1, 1:-1] | pad[2:, 1:-1] | pad[:-2, 1:-1] | pad[1:-1, :-2] | pad[1:-1, 2:])

    def is_open(self, x, y):
        x, y = int(x), int(y)  # truncation toward zero, like the engine
        if not (0 <= x < self.w and 0 <= y < self.h):
            return False
        return bool(self.open[y, x])

    def line_of_sight(self, a, b):
        ax, ay = a
        bx, by = b
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        m = max(abs(dx), abs(dy))
        if m == 0:
            return True
        sx, sy = dx / m, dy / m
        n = int(length + 0.5)
        cx, cy = ax, ay
        if not self.is_open(ax, ay):
            n -= ALLOWANCE
            cx, cy = ax + ALLOWANCE * sx, ay + ALLOWANCE * sy
        if not self.is_open(bx, by):
            n -= ALLOWANCE
        if n <= 0:
            return True
        for _ in range(n):
            if not self.is_open(cx, cy):
                return False
            cx += sx
            cy += sy
        return True


def polyline_samples(points, step=2.0):
    out = []
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        d = math.hypot(x1 - x0, y1 - y0)
        k = max(1, int(d / step))
        for i in range(k):
            t = i / float(k)
            out.append((x0 + (x1 - x0) * t, y0 + (y1 - y0) * t))
    out.append(tuple(points[-1]))
    return out


def patrol_centres(path, size):
    """Where the bad guy's centre goes: the first path point is the top-left
    corner of its picture, later points are walked to with the centre."""
    w, h = size
    first = (path[0][0] + w / 2.0, path[0][1] + h / 2.0)
    return [first] + [tuple(map(float, p)) for p in path[1:]]
