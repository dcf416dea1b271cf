#include "windowEvents.h"

namespace {

sf::Event mouseButtonEvent(sf::Event::EventType type, int x, int y, sf::Mouse::Button button) {
  sf::Event event;
  event.type = type;
  event.mouseButton.button = button;
  event.mouseButton.x = x;
  event.mouseButton.y = y;
  return event;
}

}  // namespace

sf::Event pressEvent(int x, int y, sf::Mouse::Button button) {
  return mouseButtonEvent(sf::Event::MouseButtonPressed, x, y, button);
}

sf::Event releaseEvent(int x, int y, sf::Mouse::Button button) {
  return mouseButtonEvent(sf::Event::MouseButtonReleased, x, y, button);
}

sf::Event moveEvent(int x, int y) {
  sf::Event event;
  event.type = sf::Event::MouseMoved;
  event.mouseMove.x = x;
  event.mouseMove.y = y;
  return event;
}

sf::Event keyEvent(int code, Modifiers held) {
  sf::Event event;
  event.type = sf::Event::KeyPressed;
  event.key.code = static_cast<sf::Keyboard::Key>(code);
  event.key.alt = held.alt;
  event.key.control = held.control;
  event.key.shift = held.shift;
  event.key.system = held.system;
  return event;
}
