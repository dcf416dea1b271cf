#include "displayCheck.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kNoDisplayStatus = 1;
}

bool requireDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "zelquor: no display could be opened (is DISPLAY set to a running X server?)\n");
    std::exit(kNoDisplayStatus);
  }
  XCloseDisplay(display);
  return true;
}
