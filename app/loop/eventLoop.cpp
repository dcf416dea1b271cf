#include "eventLoop.h"

#include "endSignals.h"
#include "engineFacade.h"
#include "eventDispatch.h"
#include "frame.h"
#include "framePacing.h"
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

#ifdef ZELQUOR_DRAW_EVERY_PASS
// A build for comparison only: a frame after every pass that handled an
// event, however fast they come.
constexpr bool kPacedFrames = false;
#else
constexpr bool kPacedFrames = true;
#endif

}  // namespace

// Nothing but the handlers changes the board, so a pass that handled none
// and found no exposed part draws no frame. Every event is handled as it
// comes (its gain and trace line at once); the frame that shows it waits
// until a refresh period has passed since the last one, and after a long
// frame until a quarter more than it took (framePacing.h), in the wait for
// input, which the next event or the frame's time ends. An idle board
// waits without a limit, right after a look at Xlib's queue
// that found no event the library's poll has not yet been offered
// (inputWait.h); one that it finds is left to the next pass's poll.
// Exposures and the first frame are drawn at once.
void runEventLoop(images& shown) {
  fitSceneToWindow(shown);
  const unsigned long handle = nativeWindow(window);
  watchWindow(handle);
  framePace pace;
  pace.period = framePeriodAt(refreshRateOfWindow(handle));
  bool drawNow = true;  // the first pass draws the first frame
  bool changed = false;
  while (window.isOpen()) {
    // An end signal ends the run as a close of the window does.
    if (endRequested()) {
      onClosed();
      break;
    }
    changed = drainEvents() || changed;
    // The pass that closed the window ends the loop without waiting.
    drawNow = drawNow || !window.isOpen();
    const windowNews news = takeWindowNews();
    if (news.screenChanged) pace.period = framePeriodAt(refreshRateOfWindow(handle));
    const paceClock::time_point now = paceClock::now();
    if (drawNow || news.exposed || (changed && (!kPacedFrames || pace.frameDue(now)))) {
      drawFrame(shown);
      pace.frameDrawn(now, paceClock::now());
      drawNow = changed = false;
    } else if (!libraryEventQueued(handle)) {
      waitForInput(changed ? waitMillisecondsUntil(pace.due, now) : kNoTimeLimit);
    }
  }
}
