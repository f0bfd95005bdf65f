#!/usr/bin/env python3
"""The look of the game as numbers, from the pictures of bench/look-views.sh.

Prints one line per finding:
  mean grey at 0.2, 0.45 and 1.0 units from a wall (0 to 255);
  void pixels in the room-corner view (the clear colour showing through);
  the share of saturated pixels (any channel at 250 or more), worst view;
  the score line's contrast against the brightest tenth of what surrounds its
    glyphs, in the worst view (WCAG ratio, 4.5 reads well);
  the darkest tenth of the long corridor: the 10th percentile of each pixel's
    brightest channel, so that the navy of the sky counts as a colour and only
    what tends to black counts as dark.
The score line's corner is left out of every figure but its own.

Usage: look_figures.py DIRECTORY_OF_PNGS
"""

import subprocess
import sys

CLEAR_COLOUR = (0, 0, 102)
# The score line's box in window pixels (x = 10 to 160, y = 560 to 585 in the
# overlay's 800 x 600 space, the window 1.28 times larger), with a margin.
SCORE_BOX = (0, 0, 215, 60)  # left, top, right, bottom (exclusive)
# Around a glyph the eye compares its white with what lies two pixels out:
# one pixel out is still the glyph's own soft edge.
RING_DISTANCE = 2
VIEWS = ["start", "wall-0.2", "wall-0.45", "wall-1.0", "wall-below", "corner", "trophy", "corridor"]


class Picture:
    def __init__(self, path):
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"],
                             check=True, capture_output=True).stdout
        fields = ppm.split(maxsplit=4)
        self.width, self.height = int(fields[1]), int(fields[2])
        self.rgb = fields[4]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def pixels(self, box=None):
        """Every pixel, or every one inside box, as (x, y, (r, g, b))."""
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        for y in range(top, bottom):
            for x in range(left, right):
                yield x, y, self.pixel(x, y)

    def scene(self):
        """The pixels of the scene, without the score line's corner."""
        left, top, right, bottom = SCORE_BOX
        for x, y, rgb in self.pixels():
            if not (left <= x < right and top <= y < bottom):
                yield rgb


def grey(rgb):
    r, g, b = rgb
    return 0.299 * r + 0.587 * g + 0.114 * b


def relative_luminance(rgb):
    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


def mean_grey(picture):
    greys = [grey(rgb) for rgb in picture.scene()]
    return sum(greys) / len(greys)


def void_pixels(picture):
    return sum(1 for rgb in picture.scene()
               if all(abs(c - k) <= 2 for c, k in zip(rgb, CLEAR_COLOUR)))


def saturated_share(picture):
    values = list(picture.scene())
    return sum(1 for rgb in values if max(rgb) >= 250) / len(values)


def score_contrast(picture):
    """The glyphs' white against the brightest tenth of their surround."""
    fill = {(x, y) for x, y, rgb in picture.pixels(SCORE_BOX) if min(rgb) >= 235}
    if not fill:
        return 0.0

    def near(x, y, reach):
        return any((x + dx, y + dy) in fill
                   for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))

    ring = [relative_luminance(rgb) for x, y, rgb in picture.pixels(SCORE_BOX)
            if near(x, y, RING_DISTANCE) and not near(x, y, RING_DISTANCE - 1)]
    text = percentile([relative_luminance(picture.pixel(x, y)) for x, y in fill], 0.5)
    return (text + 0.05) / (percentile(ring, 0.9) + 0.05)


def main(directory):
    def load(name):
        return Picture(f"{directory}/{name}.png")

    walls = {distance: load(f"wall-{distance}") for distance in ("0.2", "0.45", "1.0")}
    for distance, picture in walls.items():
        print(f"mean grey at {distance} from a wall: {mean_grey(picture):.1f}")
    print(f"void pixels at the room corner: {void_pixels(load('corner'))}")
    pictures = [load(name) for name in VIEWS]
    worst = max(saturated_share(picture) for picture in pictures)
    print(f"saturated share, worst view: {100 * worst:.1f} %")
    worst = min(score_contrast(picture) for picture in pictures)
    print(f"score contrast at its brightest tenth, worst view: {worst:.2f}:1")
    darkest = percentile([max(rgb) for rgb in pictures[-1].scene()], 0.1)
    print(f"darkest tenth of the corridor: {darkest:.1f}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
