#include "refreshRate.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "framePacing.h"

namespace {

// Modes and CRTCs came with RandR 1.2.
constexpr int kCrtcVersion = 102;

bool randrEvents(Display* display, int& eventBase) {
  int errorBase = 0, major = 0, minor = 0;
  return XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
         major * 100 + minor >= kCrtcVersion;
}

displayMode modeOf(const XRRScreenResources& resources, RRMode id) {
  for (int i = 0; i < resources.nmode; ++i) {
    const XRRModeInfo& info = resources.modes[i];
    if (info.id == id)
      return {info.dotClock, info.hTotal, info.vTotal, (info.modeFlags & RR_DoubleScan) != 0,
              (info.modeFlags & RR_Interlace) != 0};
  }
  return {};
}

bool contains(const XRRCrtcInfo& crtc, int x, int y) {
  return x >= crtc.x && y >= crtc.y && x < crtc.x + static_cast<int>(crtc.width) &&
         y < crtc.y + static_cast<int>(crtc.height);
}

// The window's centre on the root window.
void centreOf(Display* display, Window window, int& x, int& y) {
  XWindowAttributes attributes{};
  Window child = None;
  x = y = 0;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return;
  XTranslateCoordinates(display, window, attributes.root, attributes.width / 2, attributes.height / 2, &x, &y,
                        &child);
}

}  // namespace

void watchScreenChanges(Display* display) {
  int eventBase = 0;
  if (randrEvents(display, eventBase))
    XRRSelectInput(display, DefaultRootWindow(display), RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask);
}

bool changesRefreshRate(Display* display, XEvent& event) {
  if (event.type == ConfigureNotify) return true;
  int eventBase = 0;
  if (!randrEvents(display, eventBase)) return false;
  const bool screen = event.type == eventBase + RRScreenChangeNotify || event.type == eventBase + RRNotify;
  if (screen) XRRUpdateConfiguration(&event);
  return screen;
}

double refreshRateUnder(Display* display, unsigned long windowHandle) {
  int eventBase = 0;
  if (!randrEvents(display, eventBase)) return 0;
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
  if (resources == nullptr) return 0;
  int x = 0, y = 0;
  centreOf(display, windowHandle, x, y);
  double rate = 0;
  bool under = false;
  for (int i = 0; i < resources->ncrtc && !under; ++i) {
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
    if (crtc == nullptr) continue;
    if (crtc->mode != None && (rate == 0 || contains(*crtc, x, y))) {
      rate = refreshRateOf(modeOf(*resources, crtc->mode));
      under = contains(*crtc, x, y);
    }
    XRRFreeCrtcInfo(crtc);
  }
  XRRFreeScreenResources(resources);
  return rate;
}
