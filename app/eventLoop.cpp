#include "eventLoop.h"

#include "endSignals.h"
#include "engineFacade.h"
#include "eventDispatch.h"
#include "frame.h"
#include "inputWait.h"
#include "scenePointer.h"
#include "sfmlSeam.h"
#include "window.h"

namespace {

void onClosed() {
  holdEndSignals();  // the end's requests to the server are not cut
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
// right after the poll that found the queue empty (inputWait.h). An event
// that reached Xlib's queue after that poll looked is left to the next
// pass's poll; one still queued a pass later is none the library takes,
// and is not looked at again before the wait.
void runEventLoop(images& shown) {
  fitSceneToWindow(shown);
  const unsigned long handle = nativeWindow(window);
  watchExposures(handle);
  bool fresh = true;  // the first pass draws the first frame
  bool lookedAgain = false;
  while (window.isOpen()) {
    // An end signal ends the run as a close of the window does.
    if (endRequested()) {
      onClosed();
      break;
    }
    const bool handled = drainEvents();
    const bool exposed = takeExposures();
    if (handled || exposed || fresh) {
      drawFrame(shown);
      lookedAgain = false;
    } else if (!lookedAgain && libraryEventQueued(handle)) {
      lookedAgain = true;
    } else {
      lookedAgain = false;
      if (!waitForInput()) drawFrame(shown);
    }
    fresh = false;
  }
}
