#include "noDisplay.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "startupLines.h"

namespace {
// Far above the displays of desktop sessions and of the tests' own servers.
constexpr int kFirstUnusedCandidate = 700;
constexpr int kCandidates = 100;

bool taken(int number) {
  const std::string n = std::to_string(number);
  return access(("/tmp/.X11-unix/X" + n).c_str(), F_OK) == 0 || access(("/tmp/.X" + n + "-lock").c_str(), F_OK) == 0;
}
}  // namespace

std::string unusedDisplayName() {
  for (int number = kFirstUnusedCandidate; number < kFirstUnusedCandidate + kCandidates; ++number)
    if (!taken(number)) return ":" + std::to_string(number);
  throw std::runtime_error("every candidate display is taken");
}

void expectNoDisplayEnd(AppProcess& app) {
  const auto status = app.waitForExit();
  ASSERT_TRUE(status) << "still running without a display";
  EXPECT_TRUE(status->exitedWith(1)) << *status;
  const auto errors = splitLines(app.stderrText());
  ASSERT_EQ(errors.size(), 1u) << app.stderrText();
  EXPECT_NE(errors.front().find("display"), std::string::npos) << errors.front();
  EXPECT_TRUE(app.stdoutLines().empty()) << app.stdoutLines().front();
}
