#include "screenRoom.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "desktopScale.h"

namespace {

// Window managers answer within a few milliseconds; one that does not
// answer must not hold up the start for long.
constexpr auto kFrameAnswerLimit = std::chrono::milliseconds(200);

// The property's 32-bit items (Xlib hands them as longs); none when absent.
std::vector<long> cardinals(Display* display, Window window, const char* name, Atom type) {
  const Atom property = XInternAtom(display, name, True);
  if (property == None) return {};
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  constexpr long kMostItems = 1024;
  if (XGetWindowProperty(display, window, property, 0, kMostItems, False, type, &actualType, &format, &count, &after,
                         &data) != Success)
    return {};
  std::vector<long> items;
  if (data != nullptr && actualType == type && format == 32) {
    const long* values = reinterpret_cast<const long*>(data);
    items.assign(values, values + count);
  }
  if (data != nullptr) XFree(data);
  return items;
}

// A window manager sets _NET_SUPPORTING_WM_CHECK on the root window and on
// a child of its own that names itself; one that left stale properties
// behind fails the second half.
bool windowManagerRuns(Display* display, Window root) {
  const std::vector<long> check = cardinals(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  if (check.empty()) return false;
  const std::vector<long> own =
      cardinals(display, static_cast<Window>(check[0]), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  return !own.empty() && own[0] == check[0];
}

screenRect wholeScreen(Display* display) {
  const int screen = DefaultScreen(display);
  return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

screenRect primaryMonitor(Display* display, Window root) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
      major * 100 + minor < 105)
    return wholeScreen(display);
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
  if (monitors == nullptr || count == 0) {
    if (monitors != nullptr) XRRFreeMonitors(monitors);
    return wholeScreen(display);
  }
  const XRRMonitorInfo* chosen =
      std::find_if(monitors, monitors + count, [](const XRRMonitorInfo& m) { return m.primary; });
  if (chosen == monitors + count) chosen = monitors;
  const screenRect monitor{chosen->x, chosen->y, chosen->width, chosen->height};
  XRRFreeMonitors(monitors);
  return monitor;
}

screenRect intersection(const screenRect& a, const screenRect& b) {
  const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
  const int right = std::min(a.x + a.width, b.x + b.width), bottom = std::min(a.y + a.height, b.y + b.height);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

screenRect workArea(Display* display, Window root, const screenRect& monitor) {
  const std::vector<long> areas = cardinals(display, root, "_NET_WORKAREA", XA_CARDINAL);
  const std::vector<long> current = cardinals(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL);
  const std::size_t desktop = current.empty() ? 0 : static_cast<std::size_t>(current[0]);
  if (areas.size() < 4 * (desktop + 1)) return monitor;
  const long* area = &areas[4 * desktop];
  const screenRect room = intersection(monitor, {int(area[0]), int(area[1]), int(area[2]), int(area[3])});
  return room.width > 0 && room.height > 0 ? room : monitor;
}

bool waitForProperty(Display* display, Window window, Atom property) {
  const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerLimit;
  XEvent event;
  for (;;) {
    while (XCheckTypedWindowEvent(display, window, PropertyNotify, &event))
      if (event.xproperty.atom == property) return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
}

}  // namespace

screenRect screenRoomOf(Display* display) {
  const Window root = DefaultRootWindow(display);
  const screenRect monitor = primaryMonitor(display, root);
  return windowManagerRuns(display, root) ? workArea(display, root, monitor) : monitor;
}

// Asked for a window of our own that is never shown: the program's window
// does not exist yet when its size is chosen.
frameExtents frameOf(Display* display) {
  const Window root = DefaultRootWindow(display);
  if (!windowManagerRuns(display, root)) return {};
  const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  const std::vector<long> supported = cardinals(display, root, "_NET_SUPPORTED", XA_ATOM);
  if (std::find(supported.begin(), supported.end(), static_cast<long>(request)) == supported.end())
    return kAssumedFrame;
  const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  const Window probe = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, probe, PropertyChangeMask);
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = probe;
  message.xclient.message_type = request;
  message.xclient.format = 32;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
  XFlush(display);
  frameExtents frame = kAssumedFrame;
  const std::vector<long> sides = waitForProperty(display, probe, extents)
                                      ? cardinals(display, probe, "_NET_FRAME_EXTENTS", XA_CARDINAL)
                                      : std::vector<long>{};
  // An answer of no frame at all is no answer: mutter 48 and later draw
  // the title bar in a client of their own and announce none for a window
  // that is not shown yet, though the shown window gets one.
  const bool framed = sides.size() == 4 && (sides[0] | sides[1] | sides[2] | sides[3]) != 0;
  if (framed) frame = {int(sides[0]), int(sides[1]), int(sides[2]), int(sides[3])};
  XDestroyWindow(display, probe);
  XFlush(display);
  return frame;
}

windowChoice windowForScreen(Display* display) {
  const screenRect room = screenRoomOf(display);
  const windowChoice choice = chooseWindow(room, frameOf(display), scaleForDesktop(display));
  if (choice.belowSupported)
    std::fprintf(stderr,
                 "zelquor: the screen leaves %dx%d pixels for the window, less than the %dx%d supported; "
                 "the window is shown at %ux%u\n",
                 room.width, room.height, kSmallestSupportedWidth, kSmallestSupportedHeight, choice.width,
                 choice.height);
  return choice;
}
