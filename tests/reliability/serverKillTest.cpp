// The JACK server killed under the running program ends it with status 1
// and the server's reason on standard error, and standard output holds
// nothing beyond the lines the program had written before the kill: at
// start-up, after a finished session and in the middle of a drag. How long
// the program takes to end is measured and reported, not asserted.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "appProcess.h"
#include "programOnServer.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

constexpr int kRepeats = 3;
constexpr auto kEndTimeout = std::chrono::seconds(10);
constexpr auto kExitPoll = std::chrono::milliseconds(1);
// After the last expected line, time for any stray line to show up before
// the kill, so that the comparison after it is fair.
constexpr auto kQuietPause = std::chrono::milliseconds(300);

// The press at the centre of pad 0 places a token there; the move drags it
// to (200, 300) on pad 17, whose gain the law makes 0.705621.
const Lines kPressLines = {"mouse x: 67",
                           "mouse y: 73",
                           "the left button was pressed",
                           "mouse x: 67",
                           "mouse y: 73",
                           "pad=0",
                           "pad=0dtcentre= 0gain=1.003/Canaux0/canal0"};
const Lines kDragLines = {"mouse x: 200", "mouse y: 300", "pad=17dtcentre= 17.4929gain=0.705621/Canaux0/canal17"};
const Lines kEndLines = {"Bouton relâché", "end drag", "key:3 c", "message=/Canaux0/canal17"};

enum class Moment { atStart, afterSession, midDrag };

struct Round {
  Moment moment;
  std::string name;
};

const std::vector<Round> kRounds = {
    {Moment::atStart, "at start"}, {Moment::afterSession, "after a session"}, {Moment::midDrag, "mid-drag"}};

Lines operator+(Lines first, const Lines& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// What the user does before the kill, and the lines that it writes.
Lines playUpTo(Moment moment, const XWindow& window) {
  if (moment == Moment::atStart) return {};
  window.moveMouse(67, 73);
  window.mouseDown();
  window.moveMouse(200, 300);
  if (moment == Moment::midDrag) return kPressLines + kDragLines;
  window.mouseUp();
  window.key("d");
  return kPressLines + kDragLines + kEndLines;
}

Lines afterRunningLine(const Lines& trace) {
  const auto running = std::find(trace.begin(), trace.end(), kRunningLine);
  return running == trace.end() ? Lines{} : Lines(running + 1, trace.end());
}

bool waitForTrace(const AppProcess& app, const Lines& expected) {
  const auto deadline = Clock::now() + kDefaultTimeout;
  while (afterRunningLine(app.stdoutTraceLines()).size() < expected.size()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Plays one round and returns the milliseconds from the kill to the end.
long playRound(const XServer& x, const Round& round) {
  ProgramOnServer started = startOnServer(x, AppOptions());
  EXPECT_TRUE(started.failure.empty()) << started.failure;
  if (!started.app) return -1;
  AppProcess& app = *started.app;
  const auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
  EXPECT_TRUE(window);
  if (!window) return -1;
  const Lines expected = playUpTo(round.moment, *window);
  EXPECT_TRUE(waitForTrace(app, expected));
  std::this_thread::sleep_for(kQuietPause);
  const Lines beforeKill = app.stdoutLines();

  const auto killed = Clock::now();
  started.jack->stop(SIGKILL);
  while (app.running() && Clock::now() < killed + kEndTimeout) std::this_thread::sleep_for(kExitPoll);
  const auto ended = Clock::now();
  // The X server still holds the button that the drag pressed; the next
  // round's press would otherwise make no event.
  if (round.moment == Moment::midDrag) window->mouseUp();
  const auto status = app.waitForExit();
  EXPECT_TRUE(status) << "still running after the server was killed";
  if (!status) return -1;

  EXPECT_TRUE(status->exitedWith(1)) << *status;
  EXPECT_EQ(lastLineOf(app.stderrText()), kServerClosedReason) << app.stderrText();
  EXPECT_EQ(app.stdoutLines(), beforeKill) << "written after the kill";
  EXPECT_EQ(afterRunningLine(app.stdoutTraceLines()), expected);
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(ended - killed).count());
}

TEST(ServerKilled, EndsWithStatusOneTheReasonAndNoFurtherOutput) {
  XServer x;
  for (const auto& round : kRounds) {
    std::vector<long> times;
    for (int repeat = 1; repeat <= kRepeats; ++repeat) {
      SCOPED_TRACE(round.name + ", run " + std::to_string(repeat));
      times.push_back(playRound(x, round));
      if (HasFailure()) return;
    }
    std::string shown;
    for (long ms : times) shown += (shown.empty() ? "" : ", ") + std::to_string(ms);
    std::cout << "killed " << round.name << ": ended " << shown << " ms after the kill" << std::endl;
    RecordProperty("msToEnd " + round.name, shown);
  }
}

}  // namespace
