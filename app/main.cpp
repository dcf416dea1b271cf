#include "boardModel.h"
#include "engineFacade.h"
#include "eventLoop.h"
#include "images.h"

namespace {
constexpr int kImageMissingStatus = 1;
}

int main() {
  setUpBoard();
  images loaded;
  if (!loadImages(loaded)) return kImageMissingStatus;
  dspFaust->start();
  traceRunning();
  runEventLoop(loaded);
  dspFaust->stop();
  traceRunning();
  return 0;
}
