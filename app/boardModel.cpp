#include "boardModel.h"

namespace {

constexpr boardGeometry kDamier = {8, 14, 942.0f, 950.0f, 122.0f, 122.0f};
// A hit rectangle reaches this far left of and above its pad's corner.
constexpr int kHitMargin = 4;

}  // namespace

boardGeometry damier;
pad tabPad[kPadCount];
// The tokens and type sprites come first among the program's static objects,
// before the window and the engine facade.
gen tabgen[kGenCount] __attribute__((init_priority(101)));
boardSprite genSprite[kTypeCount] __attribute__((init_priority(102)));

int genType = 0;
int genActif = kNone;
int dragged = kNone;
int mvType = kMoveSingle;
int mdraggedX[kGenCount];
int mdraggedY[kGenCount];

gen::gen() : padIndex(kNone) {}

void setUpBoard() {
  damier = kDamier;
  for (int n = 0; n < kPadCount; ++n) tabPad[n] = {kColumnX[n % kBoardSide], kRowY[n / kBoardSide], kNone};
  for (gen& g : tabgen) {
    g.active = 0;
    g.type = genType;
    g.padIndex = kNone;
    g.sprite = genSprite[genType];
    setCorner(g, 0.0f, 0.0f);
  }
}

namespace {

// The hit tests of one axis: the left (top) one in integers, the right
// (bottom) one in floating point.
bool withinColumn(int column, int x) {
  const int left = tabPad[column].x;
  return left - kHitMargin < x && left + damier.padWidth > x;
}

bool withinRow(int row, int y) {
  const int top = tabPad[row * kBoardSide].y;
  return top - kHitMargin < y && top + damier.padHeight > y;
}

}  // namespace

// The pads lie on a grid: a pad's rectangle holds the point when its column
// holds x and its row holds y, so the first pad in index order is on the
// first row that holds y, in the first column that holds x. Two scans of 8
// in place of one of 64: a drag step in all mode tests 128 points.
int findPadWH(int x, int y) {
  int column = 0;
  while (column < kBoardSide && !withinColumn(column, x)) ++column;
  int row = 0;
  while (row < kBoardSide && !withinRow(row, y)) ++row;
  return column < kBoardSide && row < kBoardSide ? row * kBoardSide + column : kNone;
}

void releasePad(int g) {
  gen& token = tabgen[g];
  if (token.padIndex != kNone) tabPad[token.padIndex].genIndex = kNone;
  token.padIndex = kNone;
}

void seatGen(int g, int q) {
  gen& token = tabgen[g];
  const int p = token.padIndex;
  if (p != q) {
    if (p != kNone) tabPad[p].genIndex = kNone;
    token.padIndex = q;
  }
  tabPad[q].genIndex = g;
}

void takeOff(int g) {
  tabgen[g].active = 0;
  releasePad(g);
}

void setCorner(gen& token, float x, float y) {
  token.x = x;
  token.y = y;
  token.sprite.setPosition({x, y});
}
