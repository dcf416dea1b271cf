// A desktop's panel, as GNOME's top bar and KDE's panel are to the window
// manager: a dock window along the top or bottom edge of the screen that
// reserves its strip (_NET_WM_STRUT_PARTIAL), so that the work area leaves
// it out.
#ifndef ZELQUOR_TESTS_DOCK_PANEL_H
#define ZELQUOR_TESTS_DOCK_PANEL_H

#include <string>

#include "appProcess.h"
#include "xWindow.h"

class DockPanel {
 public:
  DockPanel(const std::string& displayName, bool atTop, int thickness);
  ~DockPanel();
  DockPanel(const DockPanel&) = delete;
  DockPanel& operator=(const DockPanel&) = delete;

  const WindowGeometry& strip() const { return strip_; }
  // Waits until the window manager has taken the strip out of the work area.
  bool reserved(Timeout timeout) const;

 private:
  Display* display_;
  WindowGeometry strip_;
};

#endif
