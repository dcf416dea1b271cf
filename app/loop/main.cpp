#include "boardModel.h"
#include "endSignals.h"
#include "engineFacade.h"
#include "eventLoop.h"
#include "images.h"
#include "sessionClient.h"

namespace {
constexpr int kImageMissingStatus = 1;
}

// The standard streams stay synchronised with stdio, as they start: the trace
// lines rely on it to stay whole when the audio server ends the process
// (traceLine.h).
int main() {
  setUpBoard();
  images loaded;
  if (!loadImages(loaded)) return kImageMissingStatus;
  dspFaust->start();
  traceRunning();
  // Active, its ports can be connected: the session manager may go on.
  tellSessionReady(dspFaust->isRunning());
  takeEndSignals();  // the engine's threads are started, holding them
  runEventLoop(loaded);
  dspFaust->stop();
  traceRunning();
  return 0;
}
