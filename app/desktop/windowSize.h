// The window's size, chosen once at start from the desktop's scale and the
// room the screen gives it: the scene times the scale where that fits with
// the window manager's frame, otherwise the largest size of the same
// proportions that does.
#ifndef ZELQUOR_WINDOW_SIZE_H
#define ZELQUOR_WINDOW_SIZE_H

#include "sceneLayout.h"

// Below this room some zones would be too small to hit with confidence.
constexpr int kSmallestSupportedWidth = 1024;
constexpr int kSmallestSupportedHeight = 600;

// A rectangle on the screen, in screen pixels.
struct screenRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// What the window manager adds around the window on each side.
struct frameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

struct windowChoice {
  unsigned width = kSceneWidth;
  unsigned height = kSceneHeight;
  // Where the frame's top-left corner goes: centred in the room.
  int x = 0, y = 0;
  // The room is below kSmallestSupported: the program says so.
  bool belowSupported = false;
};

windowChoice chooseWindow(const screenRect& room, const frameExtents& frame, double scale = 1);

// A window of exactly two, three... times the scene: each scene pixel is
// then a square of window pixels, drawn sharp; any other size is drawn
// smoothly.
bool wholeMultipleOfScene(unsigned width, unsigned height);

#endif
