// A window event in the board's own terms, whichever generation of the
// graphics library delivered it (sfmlSeam.h makes them): the handlers and
// the event loop take these, never the library's own events.
#ifndef ZELQUOR_BOARD_EVENT_H
#define ZELQUOR_BOARD_EVENT_H

// Only these reach a handler or end the loop; every other kind of window
// event (key release, text, focus, resize, pointer entering or leaving,
// the older wheel event) is `other`.
enum class boardEventType { other, closed, keyPressed, wheelScrolled, buttonPressed, buttonReleased, pointerMoved };

struct boardEvent {
  boardEventType type = boardEventType::other;
  // The pointer in window pixels, for button, move and wheel events. The
  // wheel's own values are not kept: the wheel has no function.
  int x = 0;
  int y = 0;
  // The library's button code, the same in both generations: 0 left,
  // 1 right, 2 middle, 3 and 4 the extra buttons.
  int button = 0;
  // The library's key code, the same in both generations: the letters from
  // A = 0 upward, -1 for a key it does not know. Modifiers are not kept:
  // no key acts differently with them.
  int key = -1;
};

#endif
