#include "windowEvents.h"

#include <SFML/Config.hpp>

#include <optional>

#include "sfmlSeam.h"

// Only the making and taking of the library's events differs here between
// its generations; the translation is the program's own.

#if SFML_VERSION_MAJOR >= 3

sf::Event libraryButtonEvent(bool pressed, int x, int y, int button) {
  const auto which = static_cast<sf::Mouse::Button>(button);
  if (pressed) return sf::Event::MouseButtonPressed{which, {x, y}};
  return sf::Event::MouseButtonReleased{which, {x, y}};
}

sf::Event libraryMoveEvent(int x, int y) { return sf::Event::MouseMoved{{x, y}}; }

sf::Event libraryKeyEvent(bool pressed, int code, Modifiers held) {
  const auto key = static_cast<sf::Keyboard::Key>(code);
  const auto scancode = sf::Keyboard::Scancode::Unknown;
  if (pressed) return sf::Event::KeyPressed{key, scancode, held.alt, held.control, held.shift, held.system};
  return sf::Event::KeyReleased{key, scancode, held.alt, held.control, held.shift, held.system};
}

sf::Event libraryWheelEvent(int wheel, float step, int x, int y) {
  return sf::Event::MouseWheelScrolled{static_cast<sf::Mouse::Wheel>(wheel), step, {x, y}};
}

sf::Event libraryClosedEvent() { return sf::Event::Closed{}; }

bool pollWithWheelStep(sf::Window& window, boardEvent& event, float& wheelStep) {
  const std::optional<sf::Event> next = window.pollEvent();
  if (!next) return false;
  event = translateEvent(*next);
  const auto* wheel = next->getIf<sf::Event::MouseWheelScrolled>();
  wheelStep = wheel != nullptr ? wheel->delta : 0.0f;
  return true;
}

#else

sf::Event libraryButtonEvent(bool pressed, int x, int y, int button) {
  sf::Event event;
  event.type = pressed ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
  event.mouseButton.button = static_cast<sf::Mouse::Button>(button);
  event.mouseButton.x = x;
  event.mouseButton.y = y;
  return event;
}

sf::Event libraryMoveEvent(int x, int y) {
  sf::Event event;
  event.type = sf::Event::MouseMoved;
  event.mouseMove.x = x;
  event.mouseMove.y = y;
  return event;
}

sf::Event libraryKeyEvent(bool pressed, int code, Modifiers held) {
  sf::Event event;
  event.type = pressed ? sf::Event::KeyPressed : sf::Event::KeyReleased;
  event.key.code = static_cast<sf::Keyboard::Key>(code);
  event.key.alt = held.alt;
  event.key.control = held.control;
  event.key.shift = held.shift;
  event.key.system = held.system;
  return event;
}

sf::Event libraryWheelEvent(int wheel, float step, int x, int y) {
  sf::Event event;
  event.type = sf::Event::MouseWheelScrolled;
  event.mouseWheelScroll.wheel = static_cast<sf::Mouse::Wheel>(wheel);
  event.mouseWheelScroll.delta = step;
  event.mouseWheelScroll.x = x;
  event.mouseWheelScroll.y = y;
  return event;
}

sf::Event libraryClosedEvent() {
  sf::Event event;
  event.type = sf::Event::Closed;
  return event;
}

bool pollWithWheelStep(sf::Window& window, boardEvent& event, float& wheelStep) {
  sf::Event next;
  if (!window.pollEvent(next)) return false;
  event = translateEvent(next);
  wheelStep = next.type == sf::Event::MouseWheelScrolled ? next.mouseWheelScroll.delta : 0.0f;
  return true;
}

#endif

boardEvent pressEvent(int x, int y, int button) { return translateEvent(libraryButtonEvent(true, x, y, button)); }

boardEvent releaseEvent(int x, int y, int button) { return translateEvent(libraryButtonEvent(false, x, y, button)); }

boardEvent moveEvent(int x, int y) { return translateEvent(libraryMoveEvent(x, y)); }

boardEvent keyEvent(int code, Modifiers held) { return translateEvent(libraryKeyEvent(true, code, held)); }

boardEvent keyReleaseEvent(int code) { return translateEvent(libraryKeyEvent(false, code, Modifiers())); }

boardEvent wheelEvent(int wheel, float step, int x, int y) {
  return translateEvent(libraryWheelEvent(wheel, step, x, y));
}
