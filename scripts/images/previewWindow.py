#!/usr/bin/python3
"""Compose what the window shows from the images in the repository: the
background, the panel, every image at its place, and tokens of every type
put on pads the way the program places them (corner = pointer - 12).
Usage: previewWindow.py [output.png] (default /tmp/preview.png)."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

from PIL import Image, ImageDraw

import generateImages
import layout
import theme

drawOrder = (
    ("zelquorLogo", layout.logoPosition),
    ("mv1", layout.moveButtons["mv1"][0]),
    ("mv3", layout.moveButtons["mv3"][0]),
    ("mvx", layout.moveButtons["mvx"][0]),
    ("mute1", layout.muteButtons["mute1"][0]),
    ("muteGrp", layout.muteButtons["muteGrp"][0]),
    ("mute3", layout.muteButtons["mute3"][0]),
    ("path5020", layout.boardPosition),
    ("interface", layout.palettePosition),
)

# (pad, offset of the pointer from the pad centre): centres and each ring.
samplePlacements = [(pad, (0, 0)) for pad in (0, 9, 18, 27, 36, 45, 54, 63)] + \
    [(pad, (10, 0)) for pad in (1, 10, 19, 28, 37, 46, 55, 62)] + \
    [(pad, (0, -30)) for pad in (2, 11, 20, 29, 38, 47, 48, 57)] + \
    [(pad, (35, 35)) for pad in (3, 12, 21, 30, 39, 40, 49, 58)] + \
    [(pad, (-41, 41)) for pad in (4, 13, 22, 31, 32, 41, 50, 59)]


def compose(imageDir):
    window = Image.new("RGBA", layout.windowSize, theme.windowBackground + (255,))
    px, py, pw, ph = layout.panelRect
    ImageDraw.Draw(window).rectangle((px, py, px + pw - 1, py + ph - 1), fill=theme.panelColour + (255,))
    load = lambda name: Image.open(os.path.join(imageDir, name + ".png")).convert("RGBA")
    for name, position in drawOrder:
        window.alpha_composite(load(name), position)
    tokens = [load(name) for name in layout.tokenFiles]
    for index, (pad, (dx, dy)) in enumerate(samplePlacements):
        x, y = layout.padCorner(pad)
        pointer = (x + layout.padCentreOffset + dx, y + layout.padCentreOffset + dy)
        corner = (pointer[0] - layout.tokenPointerOffset, pointer[1] - layout.tokenPointerOffset)
        window.alpha_composite(tokens[index % 8], corner)
    return window


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else "/tmp/preview.png"
    compose(os.path.normpath(generateImages.repoImages)).save(output)
    print(output)


if __name__ == "__main__":
    main()
