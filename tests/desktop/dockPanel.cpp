#include "dockPanel.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <stdexcept>
#include <thread>

namespace {
constexpr auto kPollStep = std::chrono::milliseconds(50);
// _NET_WM_STRUT_PARTIAL: left, right, top, bottom, then each edge's start
// and end, left and right edges first.
constexpr int kStrutItems = 12;
constexpr int kTop = 2, kBottom = 3, kTopEnd = 9, kBottomEnd = 11;
}  // namespace

DockPanel::DockPanel(const std::string& displayName, bool atTop, int thickness)
    : display_(XOpenDisplay(displayName.c_str())) {
  if (display_ == nullptr) throw std::runtime_error("cannot open display " + displayName);
  const int width = DisplayWidth(display_, DefaultScreen(display_));
  const int height = DisplayHeight(display_, DefaultScreen(display_));
  strip_ = {0, atTop ? 0 : height - thickness, width, thickness};
  const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), strip_.x, strip_.y,
                                            static_cast<unsigned>(width), static_cast<unsigned>(thickness), 0, 0, 0);
  Atom dock = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&dock), 1);
  long strut[kStrutItems] = {};
  strut[atTop ? kTop : kBottom] = thickness;
  strut[atTop ? kTopEnd : kBottomEnd] = width - 1;
  XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(strut), kStrutItems);
  // The older four-item form, for window managers that read only it.
  XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(strut), 4);
  XMapWindow(display_, window);
  XSync(display_, False);
}

DockPanel::~DockPanel() { XCloseDisplay(display_); }

bool DockPanel::reserved(Timeout timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (overlaps(workAreaOn(display_), strip_)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}
