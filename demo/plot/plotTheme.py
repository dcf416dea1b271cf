"""Colours, fonts and sizes of the demo's pictures, matched to the window:
the window's own colours and fonts come from the images' theme."""

import os
import sys

from PIL import ImageFont

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "images"))
import layout as windowLayout  # noqa: E402
import theme as windowTheme  # noqa: E402

windowSize = windowLayout.windowSize

background = windowTheme.windowBackground
panel = (28, 50, 70)
text = (232, 240, 246)
dimText = (160, 180, 196)
eventLine = (255, 255, 255, 110)
pictureMark = (255, 200, 80)
gridLine = windowTheme.windowBackground
silence = (0, 0, 0)


def font(size, bold=False):
    return ImageFont.truetype(windowTheme.fontBold if bold else windowTheme.fontRegular, size)


# A perceptual scale from a low gain (dark violet) to full gain (yellow);
# silence, gain 0 exactly, is black so that it never passes for a low gain.
gainStops = [
    (0.0, (68, 1, 84)),
    (0.25, (59, 82, 139)),
    (0.5, (33, 145, 140)),
    (0.75, (94, 201, 98)),
    (1.0, (253, 231, 37)),
]
highestGain = 1.01


def gainColour(gain):
    if gain <= 0.0:
        return silence
    share = min(gain / highestGain, 1.0)
    for (lowShare, lowColour), (highShare, highColour) in zip(gainStops, gainStops[1:]):
        if share <= highShare:
            t = (share - lowShare) / (highShare - lowShare)
            return tuple(round(a + (b - a) * t) for a, b in zip(lowColour, highColour))
    return gainStops[-1][1]


def textOn(colour):
    """Dark text on bright colours, light text on dark ones."""
    red, green, blue = colour
    return (0, 0, 0) if 0.299 * red + 0.587 * green + 0.114 * blue > 140 else (255, 255, 255)
