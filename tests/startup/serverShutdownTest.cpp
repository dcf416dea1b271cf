// The JACK server going away while the program runs and draws ends the
// program with status 1 and the server's reason as its last word, round
// after round, whether the server is killed or told to stop.
#include <gtest/gtest.h>
#include <signal.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackServer.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

constexpr int kRounds = 24;
// Every third round the server is asked to stop (SIGTERM) instead of killed.
constexpr int kTermEvery = 3;
// The pointer sweeps across the board, one move every 2 ms, for longer than
// a round lasts.
constexpr int kSweepMoves = 2000;
const std::string kMoveGap = "0.002";
constexpr int kSweepLeft = 40, kSweepRight = 900, kSweepTop = 60, kSweepBottom = 900, kSweepStep = 37;

// One xdotool run that moves the pointer to and fro over the board, so that
// the program handles events and writes trace lines while its server goes.
std::unique_ptr<AppProcess> sweepPointer(const XServer& x, const XWindow& window) {
  AppOptions options;
  options.program = "xdotool";
  options.environment = {x.displayEntry()};
  int px = kSweepLeft, py = kSweepTop, dx = kSweepStep, dy = kSweepStep / 2;
  for (int move = 0; move < kSweepMoves; ++move) {
    options.arguments.insert(options.arguments.end(), {"mousemove", "--window", std::to_string(window.id()),
                                                       std::to_string(px), std::to_string(py), "sleep", kMoveGap});
    if (px + dx > kSweepRight || px + dx < kSweepLeft) dx = -dx;
    if (py + dy > kSweepBottom || py + dy < kSweepTop) dy = -dy;
    px += dx;
    py += dy;
  }
  return std::make_unique<AppProcess>(options);
}

std::string lastLineOf(const std::string& text) {
  const auto lines = splitLines(text);
  return lines.empty() ? "" : lines.back();
}

// Plays one round; returns what went wrong, or nothing.
std::string playRound(const XServer& x, int signal) {
  std::ostringstream problems;
  JackServer jack;
  AppOptions options;
  options.environment = environmentOn(x, jack);
  AppProcess app(options);
  if (!app.waitForLine(kRunningLine)) return "did not start: " + app.stderrText();
  const auto window = XWindow::find(x.displayName(), kWindowTitle);
  if (!window) return "no window";
  const auto sweep = sweepPointer(x, *window);
  if (!app.waitForLine("mouse x: ", LineMatch::prefix)) return "pointer moves are not traced";

  jack.stop(signal);
  const auto status = app.waitForExit();
  if (!status) return "still running after the server went";
  if (!status->exitedWith(1)) problems << " ended with " << *status << ";";
  const std::string errors = app.stderrText();
  if (lastLineOf(errors) != kServerClosedReason)
    problems << " standard error ends with \"" << lastLineOf(errors) << "\";";
  const auto engineLines = linesStartingWith(app.stdoutTraceLines(), kRunningPrefix);
  if (engineLines != std::vector<std::string>{kRunningLine})
    problems << " engine trace " << testing::PrintToString(engineLines) << ";";
  return problems.str();
}

TEST(ServerShutdown, EndsWithStatusOneAndTheReasonInEveryRound) {
  XServer x;
  std::string failures;
  int failed = 0;
  for (int round = 1; round <= kRounds; ++round) {
    const int signal = round % kTermEvery == 0 ? SIGTERM : SIGKILL;
    const std::string problems = playRound(x, signal);
    if (problems.empty()) continue;
    ++failed;
    failures +=
        "round " + std::to_string(round) + " (" + (signal == SIGTERM ? "SIGTERM" : "SIGKILL") + "):" + problems + "\n";
  }
  EXPECT_EQ(failed, 0) << failed << " of " << kRounds << " rounds failed:\n" << failures;
}

}  // namespace
