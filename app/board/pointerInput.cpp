#include "pointerInput.h"

#include "boardModel.h"
#include "documentationPage.h"
#include "dragging.h"
#include "gainLaw.h"
#include "muteCommands.h"
#include "sceneLayout.h"
#include "traceLine.h"

namespace {

// Only the left button's press writes its lines.
constexpr int kLeftButton = 0;

struct moveModeButton {
  zone area;
  const char* trace;
  int mode;
};

constexpr moveModeButton kMoveModeButtons[] = {
    {kMoveOneZone, "bouton: Déplacer ", kMoveSingle},
    {kMoveGroupZone, "bouton: Déplacer groupe", kMoveGroup},
    {kMoveAllZone, "bouton: Tout déplacer ", kMoveAll},
};

struct muteButton {
  zone area;
  const char* trace;
  void (*mute)();
};

const muteButton kMuteButtons[] = {
    {kMuteOneZone, "bouton: mute ", muteGen},
    {kMuteGroupZone, "bouton: mute groupe ", muteGroup},
    {kMuteAllZone, "bouton: tout muter", muteAll},
};

int firstFreeGen() {
  for (int i = 0; i < kGenCount; ++i)
    if (tabgen[i].active == 0) return i;
  return kNone;
}

// The token's corner jumps to the press point less the grab offset, and it
// becomes the selection.
void takeHold(int g, int x, int y) {
  setCorner(tabgen[g], static_cast<float>(x - kGrabOffset), static_cast<float>(y - kGrabOffset));
  genActif = g;
}

void placeGen(int i, int p, int x, int y) {
  gen& token = tabgen[i];
  token.active = 1;
  token.type = genType;
  token.sprite = genSprite[genType];
  takeHold(i, x, y);
  seatGen(i, p);
}

// A press on the board takes hold of the token on the pad, or places a new
// token there, then sets the pad's gain and starts a drag.
void pressBoard(int x, int y) {
  const int p = findPadWH(x, y);
  const int g = tabPad[p].genIndex;
  if (g != kNone) {
    takeHold(g, x, y);
  } else {
    const int i = firstFreeGen();
    if (i != kNone) placeGen(i, p, x, y);
    traceLine("pad=", p);
  }
  gain(x, y);
  start_drag(genActif, x, y);
}

void pressPalette(int y) {
  const int q = (y - kPaletteTop) / kPaletteBand;
  traceLine("cy=", static_cast<float>(q), "bouton = ", q);
  genType = q;
}

}  // namespace

void onClick(boardEvent event) {
  const int x = event.x;
  const int y = event.y;
  if (event.button == kLeftButton) {
    traceLine("the left button was pressed");
    traceLine("mouse x: ", x);
    traceLine("mouse y: ", y);
  }
  if (kLogoZone.holds(x, y)) openDocumentation();
  if (kBoardZone.holds(x, y)) pressBoard(x, y);
  for (const moveModeButton& button : kMoveModeButtons)
    if (button.area.holds(x, y)) {
      traceLine(button.trace);
      mvType = button.mode;
    }
  for (const muteButton& button : kMuteButtons)
    if (button.area.holds(x, y)) {
      traceLine(button.trace);
      button.mute();
    }
  if (kPaletteZone.holds(x, y)) pressPalette(y);
}

void onMouseUp(boardEvent event) {
  traceLine("Bouton relâché");
  if (kReleaseZone.holds(event.x, event.y)) drag_onmouseup();
}

void onMouseMove(boardEvent event) {
  const int x = event.x;
  const int y = event.y;
  traceLine("mouse x: ", x);
  traceLine("mouse y: ", y);
  if (kMoveZone.holds(x, y)) drag_mouseMove(x, y);
}
