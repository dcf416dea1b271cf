// Window events built as the window delivers them, for driving the board's
// handlers without a window.
#ifndef ZELQUOR_HARNESS_WINDOW_EVENTS_H
#define ZELQUOR_HARNESS_WINDOW_EVENTS_H

#include <SFML/Window/Event.hpp>

sf::Event pressEvent(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event releaseEvent(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event moveEvent(int x, int y);

struct Modifiers {
  bool alt = false;
  bool control = false;
  bool shift = false;
  bool system = false;
};
sf::Event keyEvent(int code, Modifiers held = Modifiers());

#endif
