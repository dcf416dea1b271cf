#include "muteCommands.h"

#include "boardModel.h"
#include "engineFacade.h"
#include "gainLaw.h"
#include "traceLine.h"

namespace {

void takeOff(int g) {
  tabgen[g].active = 0;
  releasePad(g);
}

}  // namespace

void muteGen() {
  if (genActif == kNone) return;
  char address[kAddressSize];
  formatAddress(address, tabgen[genActif].padIndex);
  dspFaust->setParamValue(address, 0.0f);
  takeOff(genActif);
  traceLine("message=", address);
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
