// A session manager, logout or Ctrl+C end the program with a signal: it ends
// as a close of its window does, with a second signal during that end
// changing nothing.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "appProcess.h"
#include "jackPorts.h"
#include "programOnServer.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

constexpr Timeout kEndBound = std::chrono::seconds(1);
// Pads 39 and 40 together give channel 39 its gain.
constexpr int kPlacedPads[] = {0, 9, 39, 40};

struct ending {
  const char* name;
  std::vector<int> first;   // sent at once, one after another
  std::vector<int> during;  // sent once the end has written its first line
};

void placeTokens(const XWindow& window, AppProcess& app) {
  for (const int pad : kPlacedPads) {
    window.moveMouse(padCentreX(pad), padCentreY(pad));
    window.mouseDown();
    window.mouseUp();
    ASSERT_TRUE(app.waitForLine("end drag")) << "pad " << pad << "\n" << app.stderrText();
  }
}

TEST(EndSignals, EachEndsAsACloseDoesAndASecondOneChangesNothing) {
  XServer x;
  const std::vector<ending> endings = {
      {"SIGTERM", {SIGTERM}, {}},
      {"SIGINT", {SIGINT}, {}},
      {"SIGHUP", {SIGHUP}, {}},
      {"a second signal during the end", {SIGTERM, SIGTERM}, {SIGINT, SIGHUP}},
  };
  for (const ending& row : endings) {
    SCOPED_TRACE(row.name);
    ProgramOnServer started = startOnServer(x, AppOptions());
    ASSERT_TRUE(started.failure.empty()) << started.failure;
    AppProcess& app = *started.app;
    const auto window = XWindow::find(x.displayName(), kWindowTitle);
    ASSERT_TRUE(window);
    placeTokens(*window, app);
    const bool keepsMetadata = jackProperties(*started.jack).has_value();
    if (keepsMetadata) {
      EXPECT_FALSE(jackProperties(*started.jack)->empty());
    }

    for (const int signal : row.first) app.sendSignal(signal);
    if (!row.during.empty()) {
      ASSERT_TRUE(app.waitForLine(kStoppedLine, LineMatch::exact, kEndBound));
      for (const int signal : row.during) app.sendSignal(signal);
    }
    const auto status = app.waitForExit(kEndBound);
    ASSERT_TRUE(status) << "still running a second after the signal";
    EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app.stderrText();
    EXPECT_TRUE(app.stdoutEndedOnLineEnd());
    EXPECT_EQ(linesStartingWith(app.stdoutTraceLines(), kRunningPrefix),
              std::vector<std::string>({kRunningLine, kStoppedLine, kStoppedLine}));
    EXPECT_EQ(app.stdoutTraceLines().back(), kStoppedLine);
    EXPECT_TRUE(portsOfClient(listPorts(*started.jack), kProgramClientName).empty());
    if (keepsMetadata) {
      EXPECT_EQ(jackProperties(*started.jack), std::vector<std::string>()) << "properties left";
    }
  }
}

}  // namespace
