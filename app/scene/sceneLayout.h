// The scene: what the window shows, in its own pixels, which every handler,
// hit test and trace line knows whatever size the window is shown at. The
// one owner of the layout's numbers: the board model, the handlers and the
// window take them from here, and so do the tests, the benches and the
// demo that drive the program from outside.
#ifndef ZELQUOR_SCENE_LAYOUT_H
#define ZELQUOR_SCENE_LAYOUT_H

constexpr unsigned kSceneWidth = 1094;
constexpr unsigned kSceneHeight = 970;

// Pads: eight columns by eight rows, numbered row by row from the top left;
// their corners step by 116 or 118 pixels, as the board image draws them.
constexpr int kBoardSide = 8;
constexpr int kColumnX[kBoardSide] = {8, 126, 242, 358, 476, 592, 708, 826};
constexpr int kRowY[kBoardSide] = {14, 132, 250, 368, 486, 602, 718, 836};

// A pad's hit rectangle, strict on both sides, runs from this far left of
// and above its corner to kPadHitSpan right of and below it: 125 whole
// pixels, more than the step between corners, so the board has no gap.
constexpr int kHitMargin = 4;
constexpr int kPadHitSpan = 122;
// The gain law measures from a pad's centre, the middle of its hit
// rectangle, this far right of and below its corner.
constexpr int kCentreFromCorner = 59;

// The board as the board model records it, at pad 0's corner; the hit test
// goes by the pads' rectangles, never by this size.
constexpr float kBoardWidth = 942.0f;
constexpr float kBoardHeight = 950.0f;

// A placed or single-dragged token's corner sits this far above-left of the
// pointer, so that the pointer lies inside the drawn token.
constexpr int kGrabOffset = 12;

// The zones that react to the pointer, edges included.
struct zone {
  int left, right, top, bottom;
  constexpr bool holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
  constexpr int middleX() const { return (left + right) / 2; }
  constexpr int middleY() const { return (top + bottom) / 2; }
};

constexpr zone kLogoZone = {991, 1065, 15, 47};
constexpr zone kBoardZone = {9, 941, 15, 949};
constexpr zone kMoveOneZone = {983, 1011, 51, 75};
constexpr zone kMoveGroupZone = {1015, 1041, 51, 75};
constexpr zone kMoveAllZone = {1047, 1073, 51, 75};
constexpr zone kMuteOneZone = {983, 1011, 79, 105};
constexpr zone kMuteGroupZone = {1015, 1041, 79, 105};
constexpr zone kMuteAllZone = {1047, 1073, 79, 105};
constexpr zone kPaletteZone = {995, 1055, 117, 371};
// Where a release ends a drag, and where a move drags.
constexpr zone kReleaseZone = {9, 939, 37, 949};
constexpr zone kMoveZone = {9, 939, 15, 949};
// Where a moved token's corner stays, so that the token stays on the board:
// past the far bound it stops there, short of the near one it goes one pixel
// further out, onto the first pad's corner (935 at the bottom, not 940).
constexpr zone kMovedCornerZone = {9, 940, 15, 935};

// The palette's bands: type = (y - kPaletteTop) / kPaletteBand, truncated
// towards zero, so the zone's first rows above kPaletteTop choose type 0.
constexpr int kPaletteTop = 130;
constexpr int kPaletteBand = 34;

// What is drawn where, so that the frame, the images' generator and the
// floor programs agree: a light panel behind the tools column, and the top
// left corner of each interface image.
struct rectangle {
  int x, y, width, height;
};
struct corner {
  int x, y;
};

constexpr rectangle kPanel = {960, 14, 116, 384};
constexpr corner kLogoCorner = {988, 16};
constexpr corner kMoveOneCorner = {974, 56};
constexpr corner kMoveGroupCorner = {1006, 56};
constexpr corner kMoveAllCorner = {1038, 56};
constexpr corner kMuteOneCorner = {974, 88};
constexpr corner kMuteGroupCorner = {1006, 88};
constexpr corner kMuteAllCorner = {1038, 88};
constexpr corner kBoardImageCorner = {8, 2};
constexpr corner kPaletteCorner = {992, 128};

#endif
