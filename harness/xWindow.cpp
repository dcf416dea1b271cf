#include "xWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <SFML/Config.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(20);
constexpr Timeout kToolTimeout = std::chrono::seconds(20);
// The X tools run in /, not in the tree the harness was built in: a
// release's desktop root that runs a test built on the host need not hold it.
const std::string kToolFolder = "/";

// A window may vanish between listing and asking about it; Xlib's default
// handler would end the test process for that.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

std::string titleOf(Display* display, Window window) {
  const Atom utf8Name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, utf8Name, 0, 1024, False, utf8String, &type, &format, &count, &remaining,
                         &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

bool viewable(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

std::optional<Window> search(Display* display, Window parent, const std::string& title) {
  Window root = 0, grandParent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &grandParent, &children, &count)) return std::nullopt;
  std::optional<Window> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    // Under a window manager the program's window sits inside a frame, and
    // the frame may carry the same title (mutter's frames client does): the
    // innermost window so titled is the program's.
    found = search(display, children[i], title);
    if (!found && viewable(display, children[i]) && titleOf(display, children[i]) == title) found = children[i];
  }
  if (children != nullptr) XFree(children);
  return found;
}

// A property of 32-bit items (CARDINAL, ATOM or WINDOW), empty when unset.
std::vector<long> longsOf(Display* display, Window window, const char* name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, AnyPropertyType, &type,
                         &format, &count, &remaining, &data) == Success &&
      data != nullptr && format == 32) {
    const long* items = reinterpret_cast<const long*>(data);
    values.assign(items, items + count);
  }
  if (data != nullptr) XFree(data);
  return values;
}

std::string temporaryPng() {
  char path[] = "/tmp/zelquorShotXXXXXX.png";
  const int fd = mkstemps(path, 4);
  if (fd < 0) throw std::runtime_error("cannot create a temporary file");
  close(fd);
  return path;
}

}  // namespace

bool overlaps(const WindowGeometry& a, const WindowGeometry& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool inside(const WindowGeometry& inner, const WindowGeometry& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

std::ostream& operator<<(std::ostream& out, const WindowGeometry& geometry) {
  return out << geometry.width << "x" << geometry.height << " at (" << geometry.x << ", " << geometry.y << ")";
}

std::unique_ptr<XWindow> XWindow::awaitTitled(const std::string& displayName, const std::string& title,
                                              Timeout timeout) {
  XSetErrorHandler(ignoreXErrors);
  Display* display = XOpenDisplay(displayName.c_str());
  if (display == nullptr) throw std::runtime_error("cannot open display " + displayName);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (auto id = search(display, DefaultRootWindow(display), title))
      return std::unique_ptr<XWindow>(new XWindow(display, displayName, *id));
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(kPollStep);
  }
  XCloseDisplay(display);
  return nullptr;
}

XWindow::XWindow(Display* display, std::string displayName, unsigned long id)
    : display_(display), displayName_(std::move(displayName)), id_(id) {}

XWindow::~XWindow() { XCloseDisplay(display_); }

WindowGeometry XWindow::geometry() const {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, id_, &attributes)) throw std::runtime_error("window is gone");
  WindowGeometry result;
  Window child = 0;
  XTranslateCoordinates(display_, id_, DefaultRootWindow(display_), 0, 0, &result.x, &result.y, &child);
  result.width = attributes.width;
  result.height = attributes.height;
  return result;
}

bool XWindow::exists() const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, id_, &attributes) != 0;
}

bool XWindow::waitUntilGone(Timeout timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (exists()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}

void XWindow::moveMouse(int x, int y) const {
  xdotool({"mousemove", "--window", std::to_string(id_), "--", std::to_string(x), std::to_string(y)});
}

void XWindow::moveMouseAlong(const std::vector<std::pair<int, int>>& points, double pauseSeconds) const {
  std::vector<std::string> arguments;
  for (const auto& [x, y] : points) {
    arguments.insert(arguments.end(),
                     {"mousemove", "--window", std::to_string(id_), std::to_string(x), std::to_string(y)});
    if (pauseSeconds > 0) arguments.insert(arguments.end(), {"sleep", std::to_string(pauseSeconds)});
  }
  xdotool(arguments);
}

void XWindow::mouseDown(int button) const { xdotool({"mousedown", std::to_string(button)}); }
void XWindow::mouseUp(int button) const { xdotool({"mouseup", std::to_string(button)}); }
void XWindow::click(int button) const { xdotool({"click", std::to_string(button)}); }

void XWindow::sendClick(int x, int y, int button) const {
  XEvent event{};
  XButtonEvent& press = event.xbutton;
  press.type = ButtonPress;
  press.display = display_;
  press.window = id_;
  press.root = DefaultRootWindow(display_);
  press.time = CurrentTime;
  press.x = x;
  press.y = y;
  press.same_screen = True;
  press.button = static_cast<unsigned>(button);
  XSendEvent(display_, id_, True, ButtonPressMask, &event);
  press.type = ButtonRelease;
  press.state = Button1Mask << (button - 1);
  XSendEvent(display_, id_, True, ButtonReleaseMask, &event);
  XSync(display_, False);
}

void XWindow::key(const std::string& name) const {
  takeFocus();
  xdotool({"key", name});
}

// With no window manager nobody hands out the keyboard focus.
void XWindow::takeFocus() const {
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(display_, &focus, &revertTo);
  if (focus == id_) return;
  XSetInputFocus(display_, id_, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
}

unsigned long XWindow::cover(const WindowGeometry& part) const {
  const WindowGeometry at = geometry();
  const int screen = DefaultScreen(display_);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(display_, screen);
  const Window coverId =
      XCreateWindow(display_, DefaultRootWindow(display_), at.x + part.x, at.y + part.y,
                    static_cast<unsigned>(part.width), static_cast<unsigned>(part.height), 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(display_, coverId);
  XSync(display_, False);
  return coverId;
}

void XWindow::uncover(unsigned long coverId) const {
  XDestroyWindow(display_, coverId);
  XSync(display_, False);
}

void XWindow::hideAndShow() const {
  XUnmapWindow(display_, id_);
  XSync(display_, False);
  XMapWindow(display_, id_);
  XSync(display_, False);
}

void XWindow::moveTo(int x, int y) const {
  XMoveWindow(display_, id_, x, y);
  XSync(display_, False);
}

void XWindow::requestClose() const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = id_;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, id_, False, NoEventMask, &event);
  XSync(display_, False);
}

void XWindow::askManagerToClose() const {
  constexpr long kSourcePager = 2;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = id_;
  event.xclient.message_type = XInternAtom(display_, "_NET_CLOSE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = kSourcePager;
  XSendEvent(display_, DefaultRootWindow(display_), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display_, False);
}

std::optional<FrameExtents> XWindow::frameExtents() const {
  const auto values = longsOf(display_, id_, "_NET_FRAME_EXTENTS");
  if (values.size() != 4) return std::nullopt;
  return FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                      static_cast<int>(values[3])};
}

std::string XWindow::className() const {
  XClassHint hint{};
  if (!XGetClassHint(display_, id_, &hint)) return "";
  const std::string name = hint.res_class != nullptr ? hint.res_class : "";
  XFree(hint.res_name);
  XFree(hint.res_class);
  return name;
}

WindowGeometry XWindow::screen() const {
  return {0, 0, DisplayWidth(display_, DefaultScreen(display_)), DisplayHeight(display_, DefaultScreen(display_))};
}

WindowGeometry XWindow::workArea() const { return workAreaOn(display_); }

WindowGeometry workAreaOn(Display* display) {
  const auto values = longsOf(display, DefaultRootWindow(display), "_NET_WORKAREA");
  if (values.size() < 4)
    return {0, 0, DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))};
  return {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
          static_cast<int>(values[3])};
}

Screenshot XWindow::grab() const {
  const WindowGeometry size = geometry();
  XImage* pixels = XGetImage(display_, id_, 0, 0, static_cast<unsigned>(size.width), static_cast<unsigned>(size.height),
                             AllPlanes, ZPixmap);
  if (pixels == nullptr) throw std::runtime_error("cannot read the window's pixels");
  std::vector<std::uint8_t> rgba;
  rgba.reserve(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 4);
  for (int y = 0; y < size.height; ++y)
    for (int x = 0; x < size.width; ++x) {
      const unsigned long pixel = XGetPixel(pixels, x, y);
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>((pixel & pixels->red_mask) >> 16),
                               static_cast<std::uint8_t>((pixel & pixels->green_mask) >> 8),
                               static_cast<std::uint8_t>(pixel & pixels->blue_mask), 255});
    }
  XDestroyImage(pixels);
  const auto width = static_cast<unsigned>(size.width), height = static_cast<unsigned>(size.height);
#if SFML_VERSION_MAJOR >= 3
  return Screenshot(sf::Image({width, height}, rgba.data()));
#else
  sf::Image image;
  image.create(width, height, rgba.data());
  return Screenshot(std::move(image));
#endif
}

Screenshot XWindow::screenshot() const {
  const std::string path = temporaryPng();
  AppOptions options;
  options.program = "import";
  options.arguments = {"-window", std::to_string(id_), "png:" + path};
  options.environment = {"DISPLAY=" + displayName_};
  options.workingDirectory = kToolFolder;
  AppProcess import(options);
  const auto status = import.waitForExit(kToolTimeout);
  if (!status || !status->exitedWith(0)) {
    std::remove(path.c_str());
    throw std::runtime_error("import failed: " + import.stderrText());
  }
  try {
    Screenshot shot(path);
    std::remove(path.c_str());
    return shot;
  } catch (...) {
    std::remove(path.c_str());
    throw;
  }
}

Screenshot XWindow::screenshotWhen(const std::function<bool(const Screenshot&)>& shows, Timeout timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  Screenshot shot = screenshot();
  while (!shows(shot) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kPollStep);
    shot = screenshot();
  }
  return shot;
}

void XWindow::xdotool(const std::vector<std::string>& arguments) const {
  AppOptions options;
  options.program = "xdotool";
  options.arguments = arguments;
  options.environment = {"DISPLAY=" + displayName_};
  options.workingDirectory = kToolFolder;
  AppProcess tool(options);
  const auto status = tool.waitForExit(kToolTimeout);
  if (!status || !status->exitedWith(0))
    throw std::runtime_error("xdotool " + arguments.front() + " failed: " + tool.stderrText());
}
