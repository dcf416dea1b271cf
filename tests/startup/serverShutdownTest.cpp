// The JACK server going away while the program runs and draws ends the
// program with status 1 and the server's reason as its last word, round
// after round, whether the server is killed or told to stop.
#include <gtest/gtest.h>
#include <signal.h>

#include <sstream>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackServer.h"
#include "pointerSweep.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

constexpr int kRounds = 24;
// Every third round the server is asked to stop (SIGTERM) instead of killed.
constexpr int kTermEvery = 3;

// Plays one round; returns what went wrong, or nothing.
std::string playRound(const XServer& x, int signal) {
  std::ostringstream problems;
  JackServer jack;
  AppOptions options;
  options.environment = environmentOn(x, jack);
  AppProcess app(options);
  if (!app.waitForLine(kRunningLine)) return "did not start: " + app.stderrText();
  const auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
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
