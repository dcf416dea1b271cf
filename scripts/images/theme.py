"""Colours and fonts shared by all the images."""

windowBackground = (19, 37, 53)
panelColour = (203, 213, 217)

# Board squares: two slate tones close to the window background, so the board
# reads as one surface and bright tokens stand out on both.
squareLight = (62, 86, 108)
squareDark = (40, 60, 79)
boardEdge = (120, 146, 168)

# Guides drawn on every pad (RGBA).
centreMark = (255, 255, 255, 235)
levelRing = (235, 245, 255)
levelRingAlpha = (200, 165, 135)   # inner to outer ring
floorRing = (235, 245, 255, 120)
levelGlow = (170, 215, 255)
levelGlowAlpha = 34               # at the centre, falls with the gain
padLabel = (225, 236, 245, 110)

# Token fills: the Okabe-Ito colour-blind-safe set, with black for the ring.
tokenFills = (
    (230, 159, 0),    # orange      circle
    (86, 180, 233),   # sky blue    square
    (0, 158, 115),    # green       triangle
    (240, 228, 66),   # yellow      diamond
    (213, 94, 0),     # vermillion  star
    (0, 114, 178),    # blue        hexagon
    (204, 121, 167),  # purple      cross
    (20, 20, 20),     # black       ring
)
tokenOutline = (250, 250, 250)
tokenShadow = (8, 14, 20)

# Controls of the right-hand column: dark faces that match the board.
controlFace = (44, 64, 84)
controlFaceTop = (66, 90, 112)
controlBorder = (16, 28, 40)
controlHighlight = (120, 148, 172)
controlIcon = (240, 245, 250)
muteCross = (238, 70, 60)
paletteStrip = (250, 250, 250)

fontDir = "/usr/share/fonts/truetype/dejavu/"  # Debian package fonts-dejavu-core
fontRegular = fontDir + "DejaVuSans.ttf"
fontBold = fontDir + "DejaVuSans-Bold.ttf"
