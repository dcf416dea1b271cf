"""Window geometry the images must follow: where each image is drawn, the pad
grid of the board and the press zones of the right-hand column.

All positions are window pixels (origin top-left, y downwards) unless a name
says otherwise. Zone bounds are inclusive, as the program tests them. The
scene's size, the pad corners, the zones and the palette's bands are the
program's own, read from app/scene/sceneLayout.h.
"""

import os
import re

_sceneLayout = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "app", "scene", "sceneLayout.h")


def _readScene(path):
    """The header's constants: numbers, lists of numbers, and zones as
    ((left, right), (top, bottom))."""
    with open(path, encoding="utf-8") as header:
        text = header.read()
    facts = {}
    pattern = r"constexpr (unsigned|int|zone) (k\w+)(\[\w+\])? = \{?([-\d, ]+)\}?;"
    for kind, name, array, value in re.findall(pattern, text):
        numbers = tuple(int(n) for n in value.split(","))
        if kind == "zone":
            facts[name] = (numbers[:2], numbers[2:])
        else:
            facts[name] = numbers if array else numbers[0]
    return facts


_scene = _readScene(_sceneLayout)

windowSize = (_scene["kSceneWidth"], _scene["kSceneHeight"])
panelRect = (960, 14, 116, 384)  # x, y, width, height

padColumnX = _scene["kColumnX"]
padRowY = _scene["kRowY"]
padSpan = 118        # the last column and row end at corner + 118
padCentreOffset = 59  # the gain law measures from corner + (59, 59)

# Distances (pixels) from a pad centre where the gain is about 1.0, 0.83,
# 0.49, 0.15 and the floor 0.017.
deadZoneRadius = 2
levelRingRadii = (10, 30, 50)
floorRadius = 58

boardPosition = (8, 2)
boardImageSize = (942, 962)

# A token is drawn with its corner 12 pixels left of and above the pointer.
tokenSize = 25
tokenPointerOffset = 12

palettePosition = (992, 128)
paletteZoneX, paletteZoneY = _scene["kPaletteZone"]
paletteFirstBandY = _scene["kPaletteTop"]
paletteBandHeight = _scene["kPaletteBand"]
paletteBottomY = panelRect[1] + panelRect[3] - 1  # last panel row, 397

logoPosition = (988, 16)
logoZone = _scene["kLogoZone"]

# name: (position, zone x range); every button leaves its first 9 columns
# transparent so that its visible face starts where its zone starts.
buttonLeftMargin = 9
moveButtons = {
    "mv1": ((974, 56), _scene["kMoveOneZone"][0]),
    "mv3": ((1006, 56), _scene["kMoveGroupZone"][0]),
    "mvx": ((1038, 56), _scene["kMoveAllZone"][0]),
}
moveButtonZoneY = _scene["kMoveOneZone"][1]
muteButtons = {
    "mute1": ((974, 88), _scene["kMuteOneZone"][0]),
    "muteGrp": ((1006, 88), _scene["kMuteGroupZone"][0]),
    "mute3": ((1038, 88), _scene["kMuteAllZone"][0]),
}
muteButtonZoneY = _scene["kMuteOneZone"][1]

tokenFiles = ("g4813", "g4894", "g6928", "g5100", "g5074", "g4794", "g4906", "g4971")


def padCorner(pad):
    """Window corner of pad 0..63 (row by row from the top-left)."""
    return padColumnX[pad % 8], padRowY[pad // 8]


def spanEnd(starts, index):
    """Right or bottom edge (exclusive) of the square in column/row index."""
    return starts[index + 1] if index + 1 < len(starts) else starts[index] + padSpan


def paletteBand(typeIndex):
    """Inclusive window y range of the palette press band of a type."""
    if typeIndex == 0:
        return paletteZoneY[0], paletteFirstBandY + paletteBandHeight - 1
    top = paletteFirstBandY + paletteBandHeight * typeIndex
    return top, min(top + paletteBandHeight - 1, paletteZoneY[1])


def buttonSize(zoneX, position, height):
    return zoneX[1] - position[0] + 1, height
