// The installed package in a desktop session, as a user meets it: started
// from its desktop entry in the home folder, on the session's PipeWire with
// nothing said about servers, driven through Xwayland under a compositor.
// Run by tests/desktop/desktopSession inside a desktop root, under pw-jack so
// that the probe reaches PipeWire; the program must find PipeWire itself.
// Also run by the package's autopkgtests (debian/tests), under xvfb-run on a
// private PipeWire the same way, or on a private jackd named by
// JACK_DEFAULT_SERVER, which the program is then given as a user's session
// gives it.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackProbe.h"
#include "startupLines.h"
#include "traceLines.h"
#include "xWindow.h"

namespace {

constexpr Timeout kStartTimeout = std::chrono::seconds(60);
constexpr Timeout kCloseTimeout = std::chrono::seconds(30);
constexpr int kSettleCycles = 8;
constexpr float kHeardTolerance = 1e-6f;
constexpr int kPortCount = 2 * kChannelTotal;
// The centre of pad 0: the law's top gain.
constexpr int kPressX = 67;
constexpr int kPressY = 73;

std::string environmentValue(const char* name, const std::string& otherwise = "") {
  const char* value = getenv(name);
  return value != nullptr ? value : otherwise;
}

// The command of the entry's Exec line (it has no field codes).
std::string execLine(const std::string& entryPath) {
  std::ifstream entry(entryPath);
  for (std::string line; std::getline(entry, line);)
    if (line.rfind("Exec=", 0) == 0) return line.substr(5);
  return "";
}

// The program's ports as PipeWire itself lists them.
int pipewirePortsOfProgram() {
  int count = 0;
  for (const char* direction : {"-i", "-o"}) {
    AppOptions options;
    options.program = "pw-link";
    options.arguments = {direction};
    // Not the tree this test was built in: a desktop root need not hold it.
    options.workingDirectory = "/";
    AppProcess list(options);
    if (!list.waitForExit()) return -1;
    for (const std::string& line : list.stdoutLines()) count += line.rfind(kProgramClientName + ":", 0) == 0;
  }
  return count;
}

// The program's ports as the JACK server lists them.
int jackPortsOfProgram(const JackProbe& probe) {
  const char** ports = jack_get_ports(probe.client(), ("^" + kProgramClientName + ":").c_str(), nullptr, 0);
  int count = 0;
  while (ports != nullptr && ports[count] != nullptr) ++count;
  jack_free(ports);
  return count;
}

TEST(DesktopSession, MenuEntryReachesTheAudioServerAClickIsHeardAndTheCloseEndsCleanly) {
  const std::string command = execLine(environmentValue("ZELQUOR_DESKTOP_ENTRY", "/usr/share/applications/zelquor.desktop"));
  ASSERT_FALSE(command.empty()) << "no Exec line";
  const std::string display = environmentValue("DISPLAY");
  ASSERT_FALSE(display.empty()) << "no DISPLAY for Xwayland";

  AppOptions options;
  options.program = command;
  options.workingDirectory = environmentValue("HOME", "/");
  // This test's own pw-jack must not decide for the program.
  options.environment = {"DISPLAY=" + display, "LD_LIBRARY_PATH="};
  const std::string jackServer = environmentValue("JACK_DEFAULT_SERVER");
  if (!jackServer.empty()) options.environment.push_back("JACK_DEFAULT_SERVER=" + jackServer);
  const std::string wayland = environmentValue("WAYLAND_DISPLAY");
  if (!wayland.empty()) options.environment.push_back("WAYLAND_DISPLAY=" + wayland);
  AppProcess app(options);
  ASSERT_TRUE(app.waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << app.stderrText();
  JackProbe probe;
  EXPECT_EQ(jackServer.empty() ? pipewirePortsOfProgram() : jackPortsOfProgram(probe), kPortCount);
  probe.connectTo(kProgramClientName);
  const auto window = XWindow::find(display, kWindowTitle, kStartTimeout);
  ASSERT_TRUE(window) << "no window on " << display;
  window->sendClick(kPressX, kPressY);
  ASSERT_TRUE(app.waitForLine(endDrag())) << app.stderrText();
  ASSERT_TRUE(probe.waitForSignal(jack_get_buffer_size(probe.client()), kSettleCycles)) << "nothing heard";
  const auto heard = probe.heardGains();
  for (int channel = 0; channel < kChannelTotal; ++channel) {
    const float expected = channel == channelOfPad(0) ? gainAt(0, kPressX, kPressY) : 0.0f;
    EXPECT_NEAR(heard[channel], expected, kHeardTolerance) << "channel " << channel;
  }

  window->requestClose();
  const auto status = app.waitForExit(kCloseTimeout);
  ASSERT_TRUE(status) << "still running after the close";
  EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app.stderrText();

  // Only the program's lines: the physical ports PipeWire may list, then the
  // session's, nothing of a server or of the launcher.
  std::vector<std::string> trace = app.stdoutTraceLines();
  const auto physical = linesStartingWith(trace, kPhysicalPrefix);
  EXPECT_TRUE(std::equal(physical.begin(), physical.end(), trace.begin())) << "physical port lines not first";
  trace.erase(trace.begin(), trace.begin() + static_cast<long>(std::min(physical.size(), trace.size())));
  const Lines expected = Lines{kRunningLine} + presses(kPressX, kPressY) + padLine(0) +
                         gainLine(0, kPressX, kPressY) + released() + endDrag() + kStoppedLine + kStoppedLine;
  EXPECT_EQ(trace, expected) << "standard error:\n" << app.stderrText();
}

}  // namespace
