// A top-level window on a test's X server, found by its title, driven with
// xdotool as a user would, closed as a window manager would and pictured
// with ImageMagick's import.
#ifndef ZELQUOR_HARNESS_X_WINDOW_H
#define ZELQUOR_HARNESS_X_WINDOW_H

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "appProcess.h"
#include "screenshot.h"

typedef struct _XDisplay Display;

struct WindowGeometry {
  int x = 0;  // top-left corner on the screen
  int y = 0;
  int width = 0;
  int height = 0;
};

bool overlaps(const WindowGeometry& a, const WindowGeometry& b);
bool inside(const WindowGeometry& inner, const WindowGeometry& outer);
// "WxH at (x, y)".
std::ostream& operator<<(std::ostream& out, const WindowGeometry& geometry);

// How far a window manager's frame reaches beyond the window on each side.
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

class XWindow {
 public:
  static constexpr int kLeftButton = 1;
  static constexpr int kMiddleButton = 2;
  static constexpr int kRightButton = 3;
  static constexpr int kWheelUpButton = 4;
  static constexpr int kWheelDownButton = 5;

  // Waits until a viewable window titled exactly so is on the display;
  // nothing when none came in time.
  static std::unique_ptr<XWindow> awaitTitled(const std::string& displayName, const std::string& title,
                                              Timeout timeout = kDefaultTimeout);
  ~XWindow();
  XWindow(const XWindow&) = delete;
  XWindow& operator=(const XWindow&) = delete;

  unsigned long id() const { return id_; }
  WindowGeometry geometry() const;
  // False once the window has been destroyed.
  bool exists() const;
  bool waitUntilGone(Timeout timeout = kDefaultTimeout) const;

  // Each call is one pointer motion, to (x, y) in window coordinates; a move
  // to where the pointer already is makes none. The pointer starts at the
  // centre of the screen, which lies inside a centred window.
  void moveMouse(int x, int y) const;
  // One pointer motion to each point in turn, all from one xdotool run: they
  // come faster than the program draws; with a pause (in seconds) between
  // two motions, at most one motion per pause.
  void moveMouseAlong(const std::vector<std::pair<int, int>>& points, double pauseSeconds = 0) const;
  // Button presses and releases happen where the pointer is.
  void mouseDown(int button = kLeftButton) const;
  void mouseUp(int button = kLeftButton) const;
  void click(int button = kLeftButton) const;
  // A press and release at (x, y) in window coordinates, sent to the window
  // itself rather than injected: for X servers that take no injected input
  // (Xwayland under a headless compositor). The pointer does not move.
  void sendClick(int x, int y, int button = kLeftButton) const;
  // One wheel notch: a press and release of button 4 (up) or 5 (down).
  void wheelUp() const { click(kWheelUpButton); }
  void wheelDown() const { click(kWheelDownButton); }
  // A key by its X keysym name ("d", "Delete", "shift+g"), after giving the
  // window the keyboard focus if it lacks it.
  void key(const std::string& name) const;

  // Another window, plain white, laid over a part of this one (in window
  // coordinates) and shown at once, as a window manager would not place it;
  // uncover takes it away again, exposing the part.
  unsigned long cover(const WindowGeometry& part) const;
  void uncover(unsigned long coverId) const;
  // Unmapped and mapped again, as a window manager minimises and restores
  // it; moved to (x, y) on the screen.
  void hideAndShow() const;
  void moveTo(int x, int y) const;

  // What a window manager sends when the user closes the window.
  void requestClose() const;
  // What a title bar's close button or a task bar asks the window manager:
  // _NET_CLOSE_WINDOW, sent to the root window.
  void askManagerToClose() const;
  // The frame the window manager drew around it (_NET_FRAME_EXTENTS);
  // nothing when it announced none.
  std::optional<FrameExtents> frameExtents() const;
  // The class part of WM_CLASS, which docks match to a desktop entry.
  std::string className() const;
  // The screen, and the window manager's work area on it (_NET_WORKAREA's
  // first desktop; the screen when there is none).
  WindowGeometry screen() const;
  WindowGeometry workArea() const;
  // The window's pixels read from the X server itself (XGetImage), for
  // displays without ImageMagick.
  Screenshot grab() const;
  Screenshot screenshot() const;
  // The program draws after it has handled an event, and its first frame
  // after it has started: takes screenshots until one shows what is wanted,
  // and gives back the last one taken, for the test to check.
  Screenshot screenshotWhen(const std::function<bool(const Screenshot&)>& shows,
                            Timeout timeout = kDefaultTimeout) const;

 private:
  XWindow(Display* display, std::string displayName, unsigned long id);
  void xdotool(const std::vector<std::string>& arguments) const;
  void takeFocus() const;

  Display* display_;
  std::string displayName_;
  unsigned long id_;
};

// The work area of a display, as XWindow::workArea tells it.
WindowGeometry workAreaOn(Display* display);

#endif
