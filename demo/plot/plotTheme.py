"""Colours, fonts and sizes of the demo's pictures, matched to the window."""

from PIL import ImageFont

background = (19, 37, 53)
panel = (28, 50, 70)
text = (232, 240, 246)
dimText = (160, 180, 196)
eventLine = (255, 255, 255, 110)
pictureMark = (255, 200, 80)
gridLine = (19, 37, 53)
silence = (0, 0, 0)

fontFolder = "/usr/share/fonts/truetype/dejavu/"


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(fontFolder + name, size)


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
