"""The palette: one key per token type, each covering exactly the rows of the
window where a press chooses that type. The last type reacts only on the
four rows at the top of its key, so that strip is drawn as a bright tab with
arrows pointing at it."""

from PIL import Image

import controlFace
import drawing
import layout
import theme
import tokenShapes

faceRadius = 3
tokenUnit = 1.2
lastTokenUnit = 0.92
tokenOutline = 1.5
tokenShadow = 0.9
lastType = 7
stripRows = layout.paletteZoneY[1] - layout.paletteBand(lastType)[0] + 1


def paletteSize():
    width = layout.paletteZoneX[1] - layout.palettePosition[0] + 1
    height = layout.paletteBottomY - layout.palettePosition[1] + 1
    return width, height


def entryBox(typeIndex):
    """Image rows and columns of an entry: its press band, cut to the image;
    the last entry runs on to the bottom of the panel."""
    top, bottom = layout.paletteBand(typeIndex)
    if typeIndex == lastType:
        bottom = layout.paletteBottomY
    px, py = layout.palettePosition
    width, _ = paletteSize()
    return layout.paletteZoneX[0] - px, max(0, top - py), width, bottom - py + 1


def paintStrip(layer, box):
    """The reactive rows of the last entry: a bright tab and two arrows under it."""
    x0, y0, x1, _ = box
    size = (layer.width // drawing.superSample, layer.height // drawing.superSample)
    strip = drawing.blankMask(size)
    drawing.roundedRect(strip, (x0 + 1, y0 + 1, x1 - 1, y0 + stripRows), 1.0)
    drawing.paint(layer, strip, theme.paletteStrip)
    rule = drawing.blankMask(size)
    drawing.roundedRect(rule, (x0 + 1, y0 + stripRows, x1 - 1, y0 + stripRows + 1), 0)
    drawing.paint(layer, rule, theme.controlBorder)
    arrows = drawing.blankMask(size)
    tipY = y0 + stripRows + 2.5
    for cx in (x0 + 8.5, x1 - 8.5):
        drawing.fillPolygon(arrows, [(cx, tipY), (cx + 4, tipY + 4.5), (cx - 4, tipY + 4.5)])
    drawing.paint(layer, arrows, theme.paletteStrip)


def paletteImage():
    size = paletteSize()
    layer = drawing.blankLayer(size)
    for typeIndex in range(8):
        box = entryBox(typeIndex)
        x0, y0, x1, y1 = box
        controlFace.paintFace(layer, box, faceRadius)
        if typeIndex == lastType:
            paintStrip(layer, box)
            centre = ((x0 + x1) / 2.0, (y0 + stripRows + y1) / 2.0 + 0.5)
            unit = lastTokenUnit
        else:
            centre = ((x0 + x1) / 2.0, (y0 + y1) / 2.0 + 0.5)
            unit = tokenUnit
        tokenShapes.paintToken(layer, typeIndex, centre, unit, tokenOutline, tokenShadow)
    return drawing.reduce(layer, size)
