#include "eventDispatch.h"

#include "keyboard.h"
#include "pointerInput.h"

namespace {

using handler = void (*)(sf::Event);

struct dispatchTable {
  handler of[sf::Event::Count] = {};
  dispatchTable() {
    of[sf::Event::KeyPressed] = onKeyPressed;
    of[sf::Event::MouseWheelScrolled] = mouseWheel;
    of[sf::Event::MouseButtonPressed] = onClick;
    of[sf::Event::MouseButtonReleased] = onMouseUp;
    of[sf::Event::MouseMoved] = onMouseMove;
  }
};

const dispatchTable kDispatch;

}  // namespace

void dispatchBoardEvent(const sf::Event& event) {
  if (event.type < 0 || event.type >= sf::Event::Count) return;
  if (handler h = kDispatch.of[event.type]) h(event);
}
