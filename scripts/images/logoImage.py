"""The logo: the wordmark on a key face covering the logo's press zone, with
the "o" drawn as a pad's rings and centre so it echoes the board."""

from PIL import Image, ImageDraw, ImageFont

import controlFace
import drawing
import layout
import theme

wordSize = 15
faceRadius = 5
emblemColour = theme.tokenFills[0]


def logoSize():
    (x0, x1), (y0, y1) = layout.logoZone
    px, py = layout.logoPosition
    return x1 - px + 1, y1 - py + 1


def faceBox():
    """The visible face: the zone's columns, from the image's first row."""
    (x0, _), _ = layout.logoZone
    width, height = logoSize()
    return x0 - layout.logoPosition[0], 0, width, height


def paintEmblem(layer, centre, radius):
    size = (layer.width // drawing.superSample, layer.height // drawing.superSample)
    ring = drawing.blankMask(size)
    drawing.strokeCircle(ring, centre, radius, 1.6)
    drawing.fillCircle(ring, centre, 1.5)
    drawing.paint(layer, ring, emblemColour)


def logoImage():
    size = logoSize()
    box = faceBox()
    font = ImageFont.truetype(theme.fontBold, wordSize)
    head, tail = "Zelqu", "r"
    oWidth = font.getlength("o")
    textWidth = font.getlength(head) + oWidth + font.getlength(tail)
    left = box[0] + (box[2] - box[0] - textWidth) / 2.0
    _, top, _, bottom = font.getbbox("Zelquor", anchor="ls")
    baseline = round((box[3] + (-top) - bottom) / 2.0 - 0.5)  # centres the ink, descender included

    layer = drawing.blankLayer(size)
    controlFace.paintFace(layer, box, faceRadius)
    # The "o" sits on the x-height band of the font.
    _, oTop, _, oBottom = font.getbbox("o", anchor="ls")
    oCentre = (left + font.getlength(head) + oWidth / 2.0, baseline + (oTop + oBottom) / 2.0)
    paintEmblem(layer, oCentre, (oBottom - oTop) / 2.0 - 0.3)
    logo = drawing.reduce(layer, size)

    draw = ImageDraw.Draw(logo)
    x = round(left)
    draw.text((x, baseline), head, font=font, fill=theme.controlIcon + (255,), anchor="ls")
    draw.text((x + font.getlength(head) + oWidth, baseline), tail, font=font,
              fill=theme.controlIcon + (255,), anchor="ls")
    return logo
