#include "dragging.h"

#include "boardModel.h"
#include "gainLaw.h"
#include "sceneLayout.h"
#include "traceLine.h"

namespace {

// A moved corner's bounds on one axis: above `highest` it becomes
// `highest`; below `lowest` it becomes `below`, one pixel further out.
struct cornerClamp {
  float highest, lowest, below;
  float operator()(float value) const {
    if (value > highest) return highest;
    if (value < lowest) return below;
    return value;
  }
};

constexpr cornerClamp clampOf(int lowest, int highest) {
  return {static_cast<float>(highest), static_cast<float>(lowest), static_cast<float>(lowest - 1)};
}

constexpr cornerClamp kClampX = clampOf(kMovedCornerZone.left, kMovedCornerZone.right);
constexpr cornerClamp kClampY = clampOf(kMovedCornerZone.top, kMovedCornerZone.bottom);

bool dragging() { return dragged >= 0 && dragged < kGenCount; }

// Takes another token off the board when token t is about to be registered
// on pad p; p's channel falls silent until t's gain reaches it.
void displaceOther(int t, int p) {
  const int other = tabPad[p].genIndex;
  if (other == kNone || other == t) return;
  takeOff(other);
  silencePad(p);
}

void moveTo(gen& token, float x, float y) { setCorner(token, kClampX(x), kClampY(y)); }

void stepSingle(int x, int y) {
  gen& token = tabgen[dragged];
  // A token taken off the board by a mute or delete command stays off it,
  // even while the button that dragged it is still held.
  if (token.active == 0) return;
  const int p = findPadWH(x, y);
  if (p != kNone) displaceOther(dragged, p);
  moveTo(token, static_cast<float>(x - kGrabOffset), static_cast<float>(y - kGrabOffset));
  if (p != kNone) seatGen(dragged, p);
  gain(x, y);
}

bool takesPart(int j, int groupType) {
  const gen& token = tabgen[j];
  return token.active == 1 && (mvType == kMoveAll || token.type == groupType);
}

// Group and all modes register each token on the pad under its corner from
// before the step, then move it; a corner on no pad keeps its registration.
void stepFormation(int x, int y) {
  const int groupType = tabgen[dragged].type;
  for (int j = 0; j < kGenCount; ++j) {
    if (!takesPart(j, groupType)) continue;
    gen& token = tabgen[j];
    const int p = findPadWH(static_cast<int>(token.x), static_cast<int>(token.y));
    if (p != kNone) {
      displaceOther(j, p);
      seatGen(j, p);
    }
    moveTo(token, static_cast<float>(x - mdraggedX[j]), static_cast<float>(y - mdraggedY[j]));
    gain(static_cast<int>(token.x), static_cast<int>(token.y));
  }
}

}  // namespace

void start_drag(int g, int x, int y) {
  dragged = g;
  if (!dragging() || mvType == kMoveSingle) return;
  for (int i = 0; i < kGenCount; ++i) {
    mdraggedX[i] = static_cast<int>(static_cast<float>(x) - tabgen[i].x);
    mdraggedY[i] = static_cast<int>(static_cast<float>(y) - tabgen[i].y);
  }
}

void drag_mouseMove(int x, int y) {
  if (!dragging()) return;
  if (mvType == kMoveSingle) stepSingle(x, y);
  else if (mvType == kMoveGroup || mvType == kMoveAll) stepFormation(x, y);
}

void drag_onmouseup() {
  dragged = kNone;
  traceLine("end drag");
}
