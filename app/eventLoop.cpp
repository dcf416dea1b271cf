#include "eventLoop.h"

#include "engineFacade.h"
#include "eventDispatch.h"
#include "frame.h"
#include "scenePointer.h"
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
  fitSceneToWindow(shown);
  while (window.isOpen()) {
    const sf::Vector2u size = window.getSize();
    boardEvent event;
    while (pollBoardEvent(window, event)) dispatch(toScene(event, size.x, size.y));
    drawFrame(shown);
  }
}
