#include "eventLoop.h"

#include "engineFacade.h"
#include "frame.h"
#include "keyboard.h"
#include "pointerInput.h"
#include "traceLine.h"
#include "window.h"

namespace {

void onClosed(sf::Event) {
  dspFaust->stop();
  traceRunning();
  window.close();
}

using handler = void (*)(sf::Event);

// The handler of each event type; event types without one are ignored.
struct dispatchTable {
  handler of[sf::Event::Count] = {};
  dispatchTable() {
    of[sf::Event::Closed] = onClosed;
    of[sf::Event::KeyPressed] = onKeyPressed;
    of[sf::Event::MouseWheelScrolled] = mouseWheel;
    of[sf::Event::MouseButtonPressed] = onClick;
    of[sf::Event::MouseButtonReleased] = onMouseUp;
    of[sf::Event::MouseMoved] = onMouseMove;
  }
};

const dispatchTable kDispatch;

void dispatch(const sf::Event& event) {
  if (event.type < 0 || event.type >= sf::Event::Count) return;
  if (handler h = kDispatch.of[event.type]) h(event);
}

}  // namespace

void traceRunning() { traceLine("Faust is Running =", dspFaust->isRunning()); }

void runEventLoop(images& shown) {
  while (window.isOpen()) {
    sf::Event event;
    while (window.pollEvent(event)) dispatch(event);
    drawFrame(shown);
  }
}
