"""Move-mode and mute buttons: one key each, an action glyph on the left
(four-way arrow to move, crossed speaker to mute) and on the right what it
acts on (one token, two tokens of one type, several different tokens)."""

from PIL import Image

import controlFace
import drawing
import layout
import theme
import tokenShapes

moveButtonHeight = 20
muteButtonHeight = 18
faceRadius = 3.5
glyphStroke = 1.0
glyphInset = 7.5         # glyph centre from the face's left edge (a pixel centre)
scopeInset = 7.3         # token cluster centre from the face's right edge
miniUnit = 0.27          # mini tokens: a fraction of a 25-pixel token
miniOutline = 0.65
miniShadow = 0.35

# Which tokens each button shows, as (type, offset from the cluster centre):
# one token; three of one type; three of different types in the same places.
clusterPlaces = ((-2.7, -2.5), (2.7, -2.5), (0.0, 2.7))
scopeOne = ((0, (0.0, 0.0)),)
scopeGroup = tuple((0, place) for place in clusterPlaces)
scopeAll = tuple(zip((0, 1, 2), clusterPlaces))
singleUnit = 0.42


def moveGlyph(layer, centre, reach=5.0, head=2.3):
    mask = drawing.blankMask((layer.width // drawing.superSample, layer.height // drawing.superSample))
    cx, cy = centre
    stem = reach - head * 0.6
    drawing.strokeLine(mask, (cx - stem, cy), (cx + stem, cy), glyphStroke)
    drawing.strokeLine(mask, (cx, cy - stem), (cx, cy + stem), glyphStroke)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        tip = (cx + dx * reach, cy + dy * reach)
        back = (cx + dx * (reach - head * 1.1), cy + dy * (reach - head * 1.1))
        side = (dy * head, dx * head)
        drawing.fillPolygon(mask, [tip, (back[0] + side[0], back[1] + side[1]),
                                   (back[0] - side[0], back[1] - side[1])])
    drawing.paint(layer, mask, theme.controlIcon)


def muteGlyph(layer, centre):
    size = (layer.width // drawing.superSample, layer.height // drawing.superSample)
    cx, cy = centre[0] - 0.5, centre[1] - 0.5
    speaker = drawing.blankMask(size)
    drawing.fillPolygon(speaker, [(cx - 5, cy - 2), (cx - 2, cy - 2), (cx + 1, cy - 5),
                                  (cx + 1, cy + 6), (cx - 2, cy + 3), (cx - 5, cy + 3)])
    drawing.paint(layer, speaker, theme.controlIcon)
    cross = drawing.blankMask(size)
    x0, x1, y0, y1 = cx + 2.5, cx + 6.5, cy - 1.5, cy + 2.5
    drawing.strokeLine(cross, (x0, y0), (x1, y1), 1.4)
    drawing.strokeLine(cross, (x0, y1), (x1, y0), 1.4)
    drawing.paint(layer, cross, theme.muteCross)


def scopeGlyph(layer, centre, scope):
    unit = singleUnit if len(scope) == 1 else miniUnit
    for typeIndex, (dx, dy) in scope:
        tokenShapes.paintToken(layer, typeIndex, (centre[0] + dx, centre[1] + dy),
                               unit, miniOutline, miniShadow)


def buttonImage(position, zoneX, height, actionGlyph, scope):
    width = zoneX[1] - position[0] + 1
    size = (width, height)
    layer = drawing.blankLayer(size)
    left = layout.buttonLeftMargin
    controlFace.paintFace(layer, (left, 0, width, height), faceRadius)
    middle = height // 2 + 0.5  # a pixel centre, so one-pixel strokes stay sharp
    actionGlyph(layer, (left + glyphInset, middle))
    scopeGlyph(layer, (width - scopeInset, middle), scope)
    return drawing.reduce(layer, size)


def buttonImages():
    scopes = {"1": scopeOne, "3": scopeGroup, "x": scopeAll, "Grp": scopeGroup}
    images = {}
    for name, (position, zoneX) in layout.moveButtons.items():
        images[name] = buttonImage(position, zoneX, moveButtonHeight, moveGlyph, scopes[name[2:]])
    muteScopes = {"mute1": scopeOne, "muteGrp": scopeGroup, "mute3": scopeAll}
    for name, (position, zoneX) in layout.muteButtons.items():
        images[name] = buttonImage(position, zoneX, muteButtonHeight, muteGlyph, muteScopes[name])
    return images
