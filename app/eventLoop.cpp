#include "eventLoop.h"

#include "engineFacade.h"
#include "eventDispatch.h"
#include "frame.h"
#include "inputWait.h"
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

// Hands every waiting event to its handler; true when one of them may have
// changed what the window shows. The kinds the board ignores (key releases,
// focus, the pointer entering or leaving, SFML 3's raw motion anywhere on
// the screen) change nothing.
bool drainEvents() {
  const sf::Vector2u size = window.getSize();
  bool handled = false;
  boardEvent event;
  while (pollBoardEvent(window, event)) {
    dispatch(toScene(event, size.x, size.y));
    handled = handled || event.type != boardEventType::other;
  }
  return handled;
}

}  // namespace

// Nothing but the handlers changes the board, so a pass that handled none
// and found no exposed part draws no frame: it waits for the next event,
// right after the poll that found the queue empty (inputWait.h).
void runEventLoop(images& shown) {
  fitSceneToWindow(shown);
  watchExposures(window.getSystemHandle());
  bool fresh = true;  // the first pass draws the first frame
  while (window.isOpen()) {
    const bool handled = drainEvents();
    const bool exposed = takeExposures();
    if (handled || exposed || fresh || !waitForInput()) drawFrame(shown);
    fresh = false;
  }
}
