#include "eventLoop.h"

#include "engineFacade.h"
#include "eventDispatch.h"
#include "frame.h"
#include "sfmlSeam.h"
#include "window.h"

namespace {

void onClosed() {
  dspFaust->stop();
  traceRunning();
  window.close();
}

void dispatch(const boardEvent& event) {
  if (event.type == boardEventType::closed) onClosed();
  else dispatchBoardEvent(event);
}

}  // namespace

void runEventLoop(images& shown) {
  while (window.isOpen()) {
    boardEvent event;
    while (pollBoardEvent(window, event)) dispatch(event);
    drawFrame(shown);
  }
}
