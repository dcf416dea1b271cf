"""The desktop icon: a corner of the board, three pads by three, with tokens
of the first three types, on a rounded tile. One list of shapes is both
painted into PNG files and written out as SVG, so every size shows the same."""

from PIL import Image, ImageDraw

import drawing
import theme

viewSize = 256  # the shapes' own coordinate space, square
pngSizes = (48, 128, 256)
tileInset = 8
tileRadius = 40
boardOrigin = 32
padSize = 64
padCount = 3
outlineWidth = 6
tokenRadius = 22


def hexColour(rgb):
    return "#%02x%02x%02x" % tuple(rgb[:3])


def pads():
    for row in range(padCount):
        for column in range(padCount):
            colour = theme.squareLight if (row + column) % 2 == 0 else theme.squareDark
            x, y = boardOrigin + column * padSize, boardOrigin + row * padSize
            yield (x, y, x + padSize, y + padSize), colour


def padCentre(column, row):
    return boardOrigin + (column + 0.5) * padSize, boardOrigin + (row + 0.5) * padSize


def tokens():
    """(kind, points or (centre, radius), fill) of each token."""
    cx, cy = padCentre(0, 0)
    square = [(cx - 18, cy - 18), (cx + 18, cy - 18), (cx + 18, cy + 18), (cx - 18, cy + 18)]
    cx, cy = padCentre(2, 2)
    triangle = [(cx, cy - 22), (cx + 22, cy + 17), (cx - 22, cy + 17)]
    return [
        ("polygon", square, theme.tokenFills[1]),
        ("circle", (padCentre(1, 1), tokenRadius), theme.tokenFills[0]),
        ("polygon", triangle, theme.tokenFills[2]),
    ]


def tileBox():
    return tileInset, tileInset, viewSize - tileInset, viewSize - tileInset


def iconImage(size):
    scale = size * drawing.superSample / viewSize
    layer = Image.new("RGBA", (size * drawing.superSample,) * 2, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)

    def box(b):
        return [v * scale for v in b[:2]] + [v * scale - 1 for v in b[2:]]

    draw.rounded_rectangle(box(tileBox()), radius=tileRadius * scale, fill=theme.windowBackground)
    for square, colour in pads():
        draw.rectangle(box(square), fill=colour)
    outline = theme.tokenOutline
    width = outlineWidth * scale
    for kind, shape, fill in tokens():
        if kind == "circle":
            (cx, cy), r = shape
            for radius, colour in ((r + outlineWidth / 2, outline), (r - outlineWidth / 2, fill)):
                draw.ellipse(box((cx - radius, cy - radius, cx + radius, cy + radius)), fill=colour)
        else:
            points = drawing.scaled(shape, scale)
            draw.polygon(points, fill=fill)
            draw.line(points + points[:1], fill=outline, width=round(width), joint="curve")
            for x, y in points:  # round corners, as the SVG's round joins
                draw.ellipse((x - width / 2, y - width / 2, x + width / 2, y + width / 2), fill=outline)
    return drawing.reduce(layer, (size, size))


def iconSvg():
    x0, y0, x1, y1 = tileBox()
    lines = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % ((viewSize,) * 4),
        '  <rect x="%d" y="%d" width="%d" height="%d" rx="%d" fill="%s"/>'
        % (x0, y0, x1 - x0, y1 - y0, tileRadius, hexColour(theme.windowBackground)),
    ]
    for (px0, py0, px1, py1), colour in pads():
        lines.append('  <rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>'
                     % (px0, py0, px1 - px0, py1 - py0, hexColour(colour)))
    stroke = 'stroke="%s" stroke-width="%d" stroke-linejoin="round"' % (hexColour(theme.tokenOutline), outlineWidth)
    for kind, shape, fill in tokens():
        if kind == "circle":
            (cx, cy), r = shape
            lines.append('  <circle cx="%g" cy="%g" r="%g" fill="%s" %s/>' % (cx, cy, r, hexColour(fill), stroke))
        else:
            points = " ".join("%g,%g" % point for point in shape)
            lines.append('  <polygon points="%s" fill="%s" %s/>' % (points, hexColour(fill), stroke))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"
