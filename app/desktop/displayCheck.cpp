#include "displayCheck.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kNoDisplayStatus = 1;
// Held, not just left open: a connection that nothing points to any more is
// a leak to the leak checkers, which then end the run with their own status.
[[gnu::used]] Display* keptConnection = nullptr;
}  // namespace

// The connection is kept open for the whole run: an X server that resets
// when its last client leaves (Xvfb as xvfb-run starts it) would otherwise
// be resetting just as the window connects, and the graphics library would
// abort.
bool requireDisplay() {
  keptConnection = XOpenDisplay(nullptr);
  if (keptConnection == nullptr) {
    std::fprintf(stderr, "zelquor: no display could be opened (is DISPLAY set to a running X server?)\n");
    std::exit(kNoDisplayStatus);
  }
  return true;
}

Display* keptDisplay() { return keptConnection; }
