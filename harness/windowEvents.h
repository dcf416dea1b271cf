// Window events built as the window delivers them, in the graphics
// library's own form for the generation the build uses, and the same made
// into the board's events by the program's own translation: the board's
// handlers are driven without a window, yet through the same path.
#ifndef ZELQUOR_HARNESS_WINDOW_EVENTS_H
#define ZELQUOR_HARNESS_WINDOW_EVENTS_H

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Window.hpp>

#include "boardEvent.h"

// Button codes, the same in both generations of the library.
constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;
constexpr int kMiddleButton = 2;
constexpr int kFirstExtraButton = 3;

constexpr int kVerticalWheel = 0;

struct Modifiers {
  bool alt = false;
  bool control = false;
  bool shift = false;
  bool system = false;
};

// The library's events.
sf::Event libraryButtonEvent(bool pressed, int x, int y, int button);
sf::Event libraryMoveEvent(int x, int y);
sf::Event libraryKeyEvent(bool pressed, int code, Modifiers held);
sf::Event libraryWheelEvent(int wheel, float step, int x, int y);
sf::Event libraryClosedEvent();

// The same, translated.
boardEvent pressEvent(int x, int y, int button = kLeftButton);
boardEvent releaseEvent(int x, int y, int button = kLeftButton);
boardEvent moveEvent(int x, int y);
boardEvent keyEvent(int code, Modifiers held = Modifiers());
boardEvent keyReleaseEvent(int code);
boardEvent wheelEvent(int wheel, float step, int x, int y);

// Takes the next waiting event of the window as the board sees it, with
// how far the wheel turned (positive up or left) for a wheel event, which
// the board's event does not keep; 0 for the other kinds. False once the
// queue is empty.
bool pollWithWheelStep(sf::Window& window, boardEvent& event, float& wheelStep);

#endif
