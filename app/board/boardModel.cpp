#include "boardModel.h"

namespace {

constexpr boardGeometry kDamier = {kColumnX[0], kRowY[0], kBoardWidth, kBoardHeight, kPadHitSpan, kPadHitSpan};

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

// The first column (row) that holds the coordinate, kBoardSide for none.
int firstColumnHolding(int x) {
  int column = 0;
  while (column < kBoardSide && !withinColumn(column, x)) ++column;
  return column;
}

int firstRowHolding(int y) {
  int row = 0;
  while (row < kBoardSide && !withinRow(row, y)) ++row;
  return row;
}

// The same answers for every coordinate of the window, worked out once by
// setUpBoard from the pads, which nothing moves afterwards: a drag step in
// all mode looks up 128 points, and the scans took a quarter of its own
// work. Coordinates outside the table are scanned.
constexpr int kAxisTableSize = 1024;
struct axisTables {
  bool filled = false;
  unsigned char column[kAxisTableSize];
  unsigned char row[kAxisTableSize];
};
axisTables firstHolding;

void fillAxisTables() {
  for (int v = 0; v < kAxisTableSize; ++v) {
    firstHolding.column[v] = static_cast<unsigned char>(firstColumnHolding(v));
    firstHolding.row[v] = static_cast<unsigned char>(firstRowHolding(v));
  }
  firstHolding.filled = true;
}

bool inAxisTable(int v) { return firstHolding.filled && v >= 0 && v < kAxisTableSize; }

}  // namespace

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
  fillAxisTables();
}

// The pads lie on a grid: a pad's rectangle holds the point when its column
// holds x and its row holds y, so the first pad in index order is on the
// first row that holds y, in the first column that holds x.
int findPadWH(int x, int y) {
  const int column = inAxisTable(x) ? firstHolding.column[x] : firstColumnHolding(x);
  const int row = inAxisTable(y) ? firstHolding.row[y] : firstRowHolding(y);
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
