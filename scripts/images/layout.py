"""Window geometry the images must follow: where each image is drawn, the pad
grid of the board and the press zones of the right-hand column.

All positions are window pixels (origin top-left, y downwards) unless a name
says otherwise. Zone bounds are inclusive, as the program tests them. The
scene's size, the pad corners, the zones, the palette's bands and where the
panel and each image go are the program's own, read from
app/scene/sceneLayout.h; the gain law's dead zone, cap and scale from
app/board/gainLaw.cpp.
"""

import os
import re

_program = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "app")


def _readText(*path):
    with open(os.path.join(_program, *path), encoding="utf-8") as source:
        return source.read()


def _readScene(text):
    """The header's constants: numbers, lists of numbers, corners as (x, y),
    rectangles as (x, y, width, height), and zones as ((left, right), (top,
    bottom))."""
    facts = {}
    pattern = r"constexpr (unsigned|int|zone|corner|rectangle) (k\w+)(\[\w+\])? = \{?([-\d, ]+)\}?;"
    for kind, name, array, value in re.findall(pattern, text):
        numbers = tuple(int(n) for n in value.split(","))
        if kind == "zone":
            facts[name] = (numbers[:2], numbers[2:])
        else:
            facts[name] = numbers[0] if kind in ("int", "unsigned") and not array else numbers
    return facts


def _readLaw(text):
    """The gain law's plain numbers: its float and double constants."""
    pattern = r"constexpr (?:float|double) (k\w+) = ([\d.]+)f?;"
    return {name: float(value) for name, value in re.findall(pattern, text)}


_scene = _readScene(_readText("scene", "sceneLayout.h"))
_law = _readLaw(_readText("board", "gainLaw.cpp"))

windowSize = (_scene["kSceneWidth"], _scene["kSceneHeight"])
panelRect = _scene["kPanel"]  # x, y, width, height

padColumnX = _scene["kColumnX"]
padRowY = _scene["kRowY"]
padSpan = 118        # the last column and row end at corner + 118
padCentreOffset = _scene["kCentreFromCorner"]  # the gain law measures from corner + this, both axes

# Distances (pixels) from a pad centre where the gain is about 1.0, 0.83,
# 0.49, 0.15 and the floor 0.017.
deadZoneRadius = int(_law["kDeadZone"])
levelRingRadii = (10, 30, 50)
floorRadius = int(_law["kDistanceCap"])

# The gains a token gives, at the floor and at a pad's centre: the law's
# gain goes with the centre offset less the distance.
_gainPerPixel = _law["kScale"] / _law["kScaleDivisor"]
lowestGain = (padCentreOffset - floorRadius) * _gainPerPixel
highestGain = padCentreOffset * _gainPerPixel

boardPosition = _scene["kBoardImageCorner"]
boardImageSize = (942, 962)

# A token is drawn with its corner tokenPointerOffset pixels left of and above
# the pointer.
tokenSize = 25
tokenPointerOffset = _scene["kGrabOffset"]

palettePosition = _scene["kPaletteCorner"]
paletteZoneX, paletteZoneY = _scene["kPaletteZone"]
paletteFirstBandY = _scene["kPaletteTop"]
paletteBandHeight = _scene["kPaletteBand"]
paletteBottomY = panelRect[1] + panelRect[3] - 1  # last panel row, 397

logoPosition = _scene["kLogoCorner"]
logoZone = _scene["kLogoZone"]

# name: (position, zone x range); every button leaves its first 9 columns
# transparent so that its visible face starts where its zone starts.
buttonLeftMargin = 9
moveButtons = {
    "mv1": (_scene["kMoveOneCorner"], _scene["kMoveOneZone"][0]),
    "mv3": (_scene["kMoveGroupCorner"], _scene["kMoveGroupZone"][0]),
    "mvx": (_scene["kMoveAllCorner"], _scene["kMoveAllZone"][0]),
}
moveButtonZoneY = _scene["kMoveOneZone"][1]
muteButtons = {
    "mute1": (_scene["kMuteOneCorner"], _scene["kMuteOneZone"][0]),
    "muteGrp": (_scene["kMuteGroupCorner"], _scene["kMuteGroupZone"][0]),
    "mute3": (_scene["kMuteAllCorner"], _scene["kMuteAllZone"][0]),
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
