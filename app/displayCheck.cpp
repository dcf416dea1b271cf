#include "displayCheck.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kNoDisplayStatus = 1;
}

// The connection is kept open for the whole run: an X server that resets
// when its last client leaves (Xvfb as xvfb-run starts it) would otherwise
// be resetting just as the window connects, and the graphics library would
// abort.
bool requireDisplay() {
  if (XOpenDisplay(nullptr) == nullptr) {
    std::fprintf(stderr, "zelquor: no display could be opened (is DISPLAY set to a running X server?)\n");
    std::exit(kNoDisplayStatus);
  }
  return true;
}
