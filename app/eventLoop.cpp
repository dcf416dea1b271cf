#include "eventLoop.h"

#include "engineFacade.h"
#include "eventDispatch.h"
#include "frame.h"
#include "window.h"

namespace {

void onClosed() {
  dspFaust->stop();
  traceRunning();
  window.close();
}

void dispatch(const sf::Event& event) {
  if (event.type == sf::Event::Closed) onClosed();
  else dispatchBoardEvent(event);
}

}  // namespace

void runEventLoop(images& shown) {
  while (window.isOpen()) {
    sf::Event event;
    while (window.pollEvent(event)) dispatch(event);
    drawFrame(shown);
  }
}
