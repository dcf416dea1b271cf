#include "muteCommands.h"

#include "boardModel.h"
#include "gainLaw.h"
#include "traceLine.h"

// A token already off the board has no pad: its address then ends in 255,
// which names no parameter, and the engine changes nothing.
void muteGen() {
  if (genActif == kNone) return;
  const padAddress address = silencePad(tabgen[genActif].padIndex);
  takeOff(genActif);
  traceLine("message=", address.text);
}

void muteGroup() {
  if (genActif == kNone) return;
  const int t = tabgen[genActif].type;
  for (int j = 0; j < kGenCount; ++j) {
    if (tabgen[j].type != t) continue;
    if (tabgen[j].padIndex != kNone) silencePad(tabgen[j].padIndex);
    takeOff(j);
  }
}

void muteAll() {
  for (int k = 0; k < kGenCount; ++k) {
    silencePad(k);
    takeOff(k);
  }
}
