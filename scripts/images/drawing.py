"""Supersampled drawing: shapes are drawn as masks at a multiple of the final
size and box-filtered down, which gives clean anti-aliased edges and the same
bytes on every run."""

import math

from PIL import Image, ImageDraw

superSample = 8
circleSegments = 160


def blankLayer(size, scale=superSample):
    return Image.new("RGBA", (size[0] * scale, size[1] * scale), (0, 0, 0, 0))


def blankMask(size, scale=superSample):
    return Image.new("L", (size[0] * scale, size[1] * scale), 0)


def reduce(layer, size):
    """Bring a supersampled layer back to its final pixel size."""
    return layer.resize(size, Image.BOX)


def scaled(points, scale):
    return [(x * scale, y * scale) for x, y in points]


def fillPolygon(mask, points, grow=0.0, scale=superSample, value=255):
    """Fill a polygon (final-pixel coordinates) grown outwards by `grow`
    pixels with round corners: the polygon plus a stroke of twice the growth."""
    draw = ImageDraw.Draw(mask)
    pts = scaled(points, scale)
    draw.polygon(pts, fill=value)
    if grow > 0:
        width = max(1, round(2 * grow * scale))
        draw.line(pts + [pts[0]], fill=value, width=width, joint="curve")
        r = grow * scale
        for x, y in pts:
            draw.ellipse((x - r, y - r, x + r, y + r), fill=value)


def fillCircle(mask, centre, radius, scale=superSample, value=255):
    if radius <= 0:
        return
    cx, cy = centre[0] * scale, centre[1] * scale
    r = radius * scale
    # PIL boxes include their last pixel: pull the far edges in by one.
    ImageDraw.Draw(mask).ellipse((cx - r, cy - r, cx + r - 1, cy + r - 1), fill=value)


def strokeCircle(mask, centre, radius, width, scale=superSample, value=255):
    """A ring of the given width centred on the circle of `radius`."""
    fillCircle(mask, centre, radius + width / 2, scale, value)
    fillCircle(mask, centre, radius - width / 2, scale, 0)


def strokeArc(mask, centre, radius, width, startDeg, endDeg, scale=superSample, value=255):
    """Part of a ring, as a polygon band so its ends are cut square."""
    steps = max(4, int(abs(endDeg - startDeg) / 2))
    outer, inner = radius + width / 2, radius - width / 2
    angles = [math.radians(startDeg + (endDeg - startDeg) * i / steps) for i in range(steps + 1)]
    cx, cy = centre
    band = [(cx + outer * math.cos(a), cy + outer * math.sin(a)) for a in angles]
    band += [(cx + inner * math.cos(a), cy + inner * math.sin(a)) for a in reversed(angles)]
    fillPolygon(mask, band, 0, scale, value)


def strokeLine(mask, start, end, width, scale=superSample, value=255):
    draw = ImageDraw.Draw(mask)
    draw.line(scaled([start, end], scale), fill=value, width=max(1, round(width * scale)))


def regularPolygon(centre, radius, sides, rotationDeg=-90.0):
    cx, cy = centre
    return [
        (cx + radius * math.cos(math.radians(rotationDeg + 360.0 * i / sides)),
         cy + radius * math.sin(math.radians(rotationDeg + 360.0 * i / sides)))
        for i in range(sides)
    ]


def paint(layer, mask, colour):
    """Paint `colour` (RGB or RGBA) through `mask` over `layer`."""
    rgba = colour if len(colour) == 4 else tuple(colour) + (255,)
    solid = Image.new("RGBA", layer.size, rgba[:3] + (255,))
    if rgba[3] < 255:
        mask = mask.point(lambda v: v * rgba[3] // 255)
    piece = Image.new("RGBA", layer.size, (0, 0, 0, 0))
    piece.paste(solid, (0, 0), mask)
    layer.alpha_composite(piece)


def roundedRect(mask, box, radius, scale=superSample, value=255):
    """`box` is (left, top, right, bottom) with right and bottom exclusive."""
    x0, y0, x1, y1 = (v * scale for v in box)
    ImageDraw.Draw(mask).rounded_rectangle((x0, y0, x1 - 1, y1 - 1), radius=radius * scale, fill=value)
