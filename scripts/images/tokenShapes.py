"""The eight token types: one shape and one colour each, so that they can be
told apart by either. Shapes are given for a 25x25 token and scale with `unit`."""

import math

from PIL import Image

import drawing
import theme

shapeNames = ("circle", "square", "triangle", "diamond", "star", "hexagon", "cross", "ring")


def _squarePoints(c, half):
    return [(c[0] - half, c[1] - half), (c[0] + half, c[1] - half),
            (c[0] + half, c[1] + half), (c[0] - half, c[1] + half)]


def _starPoints(c, outer, inner):
    points = []
    for i in range(10):
        radius = outer if i % 2 == 0 else inner
        angle = math.radians(-90 + 36 * i)
        points.append((c[0] + radius * math.cos(angle), c[1] + radius * math.sin(angle)))
    return points


def _crossPoints(c, arm, half):
    x, y = c
    return [(x - half, y - arm), (x + half, y - arm), (x + half, y - half), (x + arm, y - half),
            (x + arm, y + half), (x + half, y + half), (x + half, y + arm), (x - half, y + arm),
            (x - half, y + half), (x - arm, y + half), (x - arm, y - half), (x - half, y - half)]


def _polygonShape(typeIndex, c, u):
    """(core polygon, corner rounding) of the polygonal types."""
    if typeIndex == 1:
        return _squarePoints(c, 6.6 * u), 1.4 * u
    if typeIndex == 2:
        # Pointing up, moved down so that its box is centred on the token.
        radius = 10.0 * u
        return drawing.regularPolygon((c[0], c[1] + radius / 4), radius, 3), 1.0 * u
    if typeIndex == 3:
        return drawing.regularPolygon(c, 9.3 * u, 4), 1.0 * u
    if typeIndex == 4:
        return _starPoints((c[0], c[1] + 0.9 * u), 9.9 * u, 4.2 * u), 0.6 * u
    if typeIndex == 5:
        return drawing.regularPolygon(c, 8.9 * u, 6), 0.8 * u
    if typeIndex == 6:
        return _crossPoints(c, 9.4 * u, 3.1 * u), 0.7 * u
    raise ValueError(typeIndex)


def drawShape(mask, typeIndex, centre, unit, grow=0.0, scale=drawing.superSample):
    """Fill the shape of a type on `mask`, grown outwards by `grow` pixels."""
    if typeIndex == 0:
        drawing.fillCircle(mask, centre, 9.0 * unit + grow, scale)
    elif typeIndex == 7:
        drawing.fillCircle(mask, centre, 9.4 * unit + grow, scale)
        drawing.fillCircle(mask, centre, 5.0 * unit - grow, scale, value=0)
    else:
        points, rounding = _polygonShape(typeIndex, centre, unit)
        drawing.fillPolygon(mask, points, rounding + grow, scale)


def paintToken(layer, typeIndex, centre, unit=1.0, outline=1.25, shadow=0.8,
               scale=drawing.superSample):
    """Paint a token on a supersampled layer: dark rim, light outline, fill."""
    for grow, colour in ((outline + shadow, theme.tokenShadow + (210,)),
                         (outline, theme.tokenOutline),
                         (0.0, theme.tokenFills[typeIndex])):
        mask = Image.new("L", layer.size, 0)
        drawShape(mask, typeIndex, centre, unit, grow, scale)
        drawing.paint(layer, mask, colour)


def tokenImage(typeIndex, size):
    """The token sprite: the shape centred on pixel (12, 12), transparent around."""
    layer = drawing.blankLayer((size, size))
    centre = (size / 2.0, size / 2.0)  # the middle of pixel 12 for 25 pixels
    paintToken(layer, typeIndex, centre)
    return drawing.reduce(layer, (size, size))
