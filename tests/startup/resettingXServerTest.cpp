// Xvfb as xvfb-run starts it resets whenever its last client leaves. The
// program must still open its window when it is the server's only client.
#include <gtest/gtest.h>
#include <signal.h>

#include <cctype>
#include <memory>
#include <string>
#include <thread>

#include "appProcess.h"
#include "startupLines.h"
#include "xWindow.h"

namespace {

// A connection that is closed and followed by another at once is the
// case that fails on such a server some of the time; a fresh server per
// round makes each round start with no client at all.
constexpr int kRounds = 10;
constexpr auto kPollStep = std::chrono::milliseconds(20);

bool isDisplayNumber(const std::string& line) {
  return !line.empty() && line.find_first_not_of("0123456789") == std::string::npos;
}

// Xvfb without -noreset, on a display it picks itself and writes on its
// standard output once it accepts clients.
class ResettingXServer {
 public:
  ResettingXServer() : xvfb_(options()) {
    const auto deadline = std::chrono::steady_clock::now() + kDefaultTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
      for (const auto& line : xvfb_.stdoutLines())
        if (isDisplayNumber(line)) displayName_ = ":" + line;
      if (!displayName_.empty() || !xvfb_.running()) break;
      std::this_thread::sleep_for(kPollStep);
    }
    if (displayName_.empty()) throw std::runtime_error("Xvfb did not start: " + xvfb_.stderrText());
  }
  ~ResettingXServer() {
    xvfb_.sendSignal(SIGTERM);
    xvfb_.waitForExit();
  }
  const std::string& displayName() const { return displayName_; }

 private:
  static AppOptions options() {
    AppOptions options;
    options.program = "Xvfb";
    options.arguments = {"-displayfd", "1", "-screen", "0", "1280x1280x24", "-nolisten", "tcp"};
    return options;
  }
  AppProcess xvfb_;
  std::string displayName_;
};

TEST(ResettingXServer, ProgramOpensItsWindowAsTheServersOnlyClient) {
  for (int round = 1; round <= kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ResettingXServer x;
    AppOptions options;
    options.environment = absentJackServerEntries();
    options.environment.push_back("DISPLAY=" + x.displayName());
    AppProcess app(options);
    if (!app.waitForLine(kStoppedLine)) {
      const auto early = app.waitForExit();
      FAIL() << "did not start" << (early ? ", " + testing::PrintToString(*early) : "") << "\n" << app.stderrText();
    }
    const auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
    ASSERT_TRUE(window);
    window->requestClose();
    const auto status = app.waitForExit();
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->exitedWith(0)) << *status;
  }
}

}  // namespace
