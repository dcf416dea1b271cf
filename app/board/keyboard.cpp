#include "keyboard.h"

#include "boardModel.h"
#include "muteCommands.h"
#include "traceLine.h"

namespace {

// Key codes count the letters from A = 0; modifiers are ignored.
constexpr int kKeyD = 3;
constexpr int kKeyG = 6;
constexpr int kKeyS = 18;
constexpr int kKeyT = 19;

void deleteInMode() {
  if (mvType == kMoveSingle) muteGen();
  else if (mvType == kMoveGroup) muteGroup();
  else if (mvType == kMoveAll) muteAll();
}

}  // namespace

void onKeyPressed(boardEvent event) {
  if (event.type != boardEventType::keyPressed) return;
  const int code = event.key;
  traceLine("key:", code, " c");
  switch (code) {
    case kKeyG: mvType = kMoveGroup; break;
    case kKeyS: mvType = kMoveSingle; break;
    case kKeyT: mvType = kMoveAll; break;
    case kKeyD: deleteInMode(); break;
    default: break;
  }
}

void mouseWheel(boardEvent) {}
