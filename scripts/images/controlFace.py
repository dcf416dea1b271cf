"""The raised face shared by the logo, the buttons and the palette entries:
a dark rounded key with a light top edge and a dark rim, so it reads as a
button on the light panel."""

from PIL import Image, ImageDraw

import drawing
import theme


def verticalGradient(size, top, bottom):
    gradient = Image.new("RGBA", size)
    draw = ImageDraw.Draw(gradient)
    height = max(1, size[1] - 1)
    for y in range(size[1]):
        t = y / height
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.line((0, y, size[0], y), fill=colour + (255,))
    return gradient


def paintFace(layer, box, radius, scale=drawing.superSample):
    """Paint a key face over `box` (left, top, right, bottom; right and bottom
    exclusive, final pixels) on a supersampled layer."""
    rim = drawing.blankMask((layer.width // scale, layer.height // scale), scale)
    drawing.roundedRect(rim, box, radius, scale)
    drawing.paint(layer, rim, theme.controlBorder)

    x0, y0, x1, y1 = box
    highlight = drawing.blankMask((layer.width // scale, layer.height // scale), scale)
    drawing.roundedRect(highlight, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), radius - 1, scale)
    drawing.paint(layer, highlight, theme.controlHighlight)

    inner = drawing.blankMask((layer.width // scale, layer.height // scale), scale)
    drawing.roundedRect(inner, (x0 + 1, y0 + 2, x1 - 1, y1 - 1), radius - 1, scale)
    gradient = verticalGradient(layer.size, theme.controlFaceTop, theme.controlFace)
    face = Image.new("RGBA", layer.size, (0, 0, 0, 0))
    face.paste(gradient, (0, 0), inner)
    layer.alpha_composite(face)
