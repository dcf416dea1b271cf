"""The board: a checkerboard whose squares sit on the pads, with the guides
of the gain law drawn around every pad centre."""

import math

from PIL import Image, ImageDraw, ImageFilter, ImageFont

import drawing
import layout
import theme

boardScale = 4          # supersampling of the board; its strokes are whole pixels at this scale
ringWidth = 1.25
floorDashes = 24        # dashes around the floor ring
floorDashFill = 0.55    # share of each dash period that is drawn
labelInset = (4, 2)
labelSize = 10
shadowOffset = (2, 3)
shadowBlur = 2.5
shadowAlpha = 150


def toImage(x, y):
    """Window pixel to board-image pixel."""
    return x - layout.boardPosition[0], y - layout.boardPosition[1]


def squareBox(column, row):
    x0, y0 = toImage(layout.padColumnX[column], layout.padRowY[row])
    x1, y1 = toImage(layout.spanEnd(layout.padColumnX, column), layout.spanEnd(layout.padRowY, row))
    return x0, y0, x1, y1


def padCentre(pad):
    """Centre of pad `pad` in image coordinates: the middle of the pixel at corner + 59."""
    x, y = toImage(*layout.padCorner(pad))
    return x + layout.padCentreOffset + 0.5, y + layout.padCentreOffset + 0.5


def boardExtent():
    x0, y0, _, _ = squareBox(0, 0)
    _, _, x1, y1 = squareBox(7, 7)
    return x0, y0, x1, y1


def dropShadow(size):
    x0, y0, x1, y1 = boardExtent()
    shadow = Image.new("L", size, 0)
    ImageDraw.Draw(shadow).rectangle(
        (x0 + shadowOffset[0], y0 + shadowOffset[1], x1 - 1 + shadowOffset[0], y1 - 1 + shadowOffset[1]),
        fill=shadowAlpha)
    shadow = shadow.filter(ImageFilter.GaussianBlur(shadowBlur))
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    layer.putalpha(shadow)
    return layer


def squares(size):
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    for row in range(8):
        for column in range(8):
            colour = theme.squareLight if (row + column) % 2 == 0 else theme.squareDark
            x0, y0, x1, y1 = squareBox(column, row)
            draw.rectangle((x0, y0, x1 - 1, y1 - 1), fill=colour + (255,))
    x0, y0, x1, y1 = boardExtent()
    draw.rectangle((x0, y0, x1 - 1, y1 - 1), outline=theme.boardEdge + (255,), width=1)
    return layer


def glowTile():
    """Light that fades with the gain: strongest at the centre, gone at the floor."""
    span = 2 * layout.floorRadius + 4
    tile = Image.new("RGBA", (span, span), (0, 0, 0, 0))
    centre = span / 2.0
    pixels = []
    for y in range(span):
        for x in range(span):
            d = math.hypot(x + 0.5 - centre, y + 0.5 - centre)
            level = (layout.floorRadius + 1 - max(d, layout.deadZoneRadius)) / (layout.floorRadius + 1)
            edge = min(1.0, max(0.0, layout.floorRadius + 0.5 - d))  # anti-aliased rim
            alpha = round(theme.levelGlowAlpha * max(0.0, level) * edge)
            pixels.append(theme.levelGlow + (alpha,))
    tile.putdata(pixels)
    return tile


def glows(size):
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    tile = glowTile()
    half = tile.width / 2.0
    for pad in range(64):
        cx, cy = padCentre(pad)
        layer.alpha_composite(tile, (int(cx - half), int(cy - half)))
    return layer


def guides(size):
    """Rings at the level radii, the dashed floor ring and the centre dot."""
    layer = drawing.blankLayer(size, boardScale)
    ringMasks = [drawing.blankMask(size, boardScale) for _ in layout.levelRingRadii]
    floorMask = drawing.blankMask(size, boardScale)
    centreMask = drawing.blankMask(size, boardScale)
    period = 360.0 / floorDashes
    for pad in range(64):
        centre = padCentre(pad)
        for mask, radius in zip(ringMasks, layout.levelRingRadii):
            drawing.strokeCircle(mask, centre, radius, ringWidth, boardScale)
        for dash in range(floorDashes):
            start = dash * period - 90
            drawing.strokeArc(floorMask, centre, layout.floorRadius, ringWidth,
                              start, start + period * floorDashFill, boardScale)
        drawing.fillCircle(centreMask, centre, layout.deadZoneRadius, boardScale)
    for mask, alpha in zip(ringMasks, theme.levelRingAlpha):
        drawing.paint(layer, mask, theme.levelRing + (alpha,))
    drawing.paint(layer, floorMask, theme.floorRing)
    drawing.paint(layer, centreMask, theme.centreMark)
    return drawing.reduce(layer, size)


def padLabels(size):
    """Each pad's number (its gain parameter) in its top-left corner."""
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    font = ImageFont.truetype(theme.fontRegular, labelSize)
    for pad in range(64):
        x, y = toImage(*layout.padCorner(pad))
        draw.text((x + labelInset[0], y + labelInset[1]), str(pad), font=font, fill=theme.padLabel)
    return layer


def boardImage():
    size = layout.boardImageSize
    board = dropShadow(size)
    for layer in (squares(size), glows(size), guides(size), padLabels(size)):
        board.alpha_composite(layer)
    return board
