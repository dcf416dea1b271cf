// Private X servers: each on a display of its own, gone with its owner.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include "xServer.h"

// Last: Xlib defines macros (None, Bool) that clash with gtest's names.
#include <X11/Xlib.h>

namespace {

pid_t lockOwner(const std::string& name) {
  std::ifstream lock("/tmp/.X" + name.substr(1) + "-lock");
  long owner = -1;
  lock >> owner;
  return lock ? static_cast<pid_t>(owner) : -1;
}

TEST(XServer, ServesADisplayOfItsOwnUntilDestroyed) {
  auto first = std::make_unique<XServer>();
  auto second = std::make_unique<XServer>();
  EXPECT_NE(first->displayNumber(), second->displayNumber());

  const std::string name = first->displayName();
  const pid_t pid = first->pid();
  Display* display = XOpenDisplay(name.c_str());
  ASSERT_NE(display, nullptr);
  EXPECT_GE(DisplayWidth(display, DefaultScreen(display)), XServer::kScreenWidth);
  EXPECT_GE(DisplayHeight(display, DefaultScreen(display)), XServer::kScreenHeight);
  XCloseDisplay(display);

  first.reset();
  EXPECT_NE(kill(pid, 0), 0) << "Xvfb was not reaped";
  // Another test may have taken the display since, but not with our server.
  EXPECT_NE(lockOwner(name), pid) << "lock left behind";
  Display* other = XOpenDisplay(second->displayName().c_str());
  EXPECT_NE(other, nullptr);
  if (other != nullptr) XCloseDisplay(other);
}

}  // namespace
