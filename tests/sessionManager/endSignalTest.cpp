// A session manager, logout or Ctrl+C end the program with a signal: it ends
// as a close of its window does, with a second signal during that end
// changing nothing.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
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

// The store's properties, each with its subject, from jack_property's listing.
std::set<std::string> propertiesOf(const JackServer& jack) {
  std::set<std::string> properties;
  std::string subject;
  for (const std::string& line : jackProperties(jack).value_or(std::vector<std::string>()))
    if (line.rfind("key:", 0) == 0) properties.insert(subject + " " + line);
    else subject = line;
  return properties;
}

std::vector<std::string> notIn(const std::set<std::string>& left, const std::set<std::string>& before) {
  std::vector<std::string> added;
  for (const std::string& property : left)
    if (before.count(property) == 0) added.push_back(property);
  return added;
}

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
    JackServer jack;
    // Every server of a user shares one metadata store, which keeps what
    // killed clients left: only what the program adds counts.
    const auto before = propertiesOf(jack);
    AppOptions options;
    options.environment = environmentOn(x, jack);
    AppProcess app(options);
    ASSERT_TRUE(app.waitForLine(kRunningLine)) << app.stderrText();
    const auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
    ASSERT_TRUE(window);
    placeTokens(*window, app);
    const auto named = std::chrono::steady_clock::now() + kDefaultTimeout;
    const bool keepsMetadata = jackProperties(jack).has_value();
    while (keepsMetadata && notIn(propertiesOf(jack), before).empty() && std::chrono::steady_clock::now() < named)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(!keepsMetadata || !notIn(propertiesOf(jack), before).empty()) << "the ports were never named";

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
    EXPECT_TRUE(portsOfClient(listPorts(jack), kProgramClientName).empty());
    EXPECT_EQ(notIn(propertiesOf(jack), before), std::vector<std::string>()) << "properties left";
  }
}

}  // namespace
