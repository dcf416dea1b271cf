#include "boardReset.h"

#include "boardModel.h"

void resetBoardModel() {
  genType = 0;
  genActif = kNone;
  dragged = kNone;
  mvType = kMoveSingle;
  for (int i = 0; i < kGenCount; ++i) mdraggedX[i] = mdraggedY[i] = 0;
  setUpBoard();
}
