// A private X server (Xvfb) on a display of its own, for windows under test.
// Nothing of the user's session is touched, and no window manager runs.
#ifndef ZELQUOR_HARNESS_X_SERVER_H
#define ZELQUOR_HARNESS_X_SERVER_H

#include <sys/types.h>

#include <string>

class XServer {
 public:
  // Large enough for a 1094x970 window centred on the screen.
  static constexpr int kScreenWidth = 1280;
  static constexpr int kScreenHeight = 1280;

  // Starts Xvfb on the first free display and waits until it accepts
  // clients; throws when no display could be had.
  XServer() : XServer(kScreenWidth, kScreenHeight) {}
  // A screen of another size, such as a laptop's.
  XServer(int screenWidth, int screenHeight);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  int displayNumber() const { return number_; }
  std::string displayName() const { return ":" + std::to_string(number_); }
  // Environment entry for a child that must use this server.
  std::string displayEntry() const { return "DISPLAY=" + displayName(); }
  pid_t pid() const { return pid_; }

 private:
  bool tryDisplay(int number);
  bool waitUntilServing(int number);
  void stop();

  int screenWidth_;
  int screenHeight_;
  int number_ = -1;
  pid_t pid_ = -1;
};

// Sets the root window's resources (RESOURCE_MANAGER) on a display, as a
// desktop's settings leave them through xrdb, such as "Xft.dpi: 192";
// empty removes them. Programs that connect afterwards read them.
void setRootResources(const std::string& displayName, const std::string& resources);

// The width of a display's screen in pixels; 0 when it cannot be reached.
int screenWidthOn(const std::string& displayName);

#endif
