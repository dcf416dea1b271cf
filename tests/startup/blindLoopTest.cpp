// The loop where GLX knows no display for the window's context, as under a
// graphics library that draws through EGL: it cannot watch the connection
// the window's events come on, says so once, and looks for them every few
// milliseconds instead of drawing without pause.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "boardFacts.h"
#include "threadState.h"
#include "windowedProgram.h"

namespace {

const std::string kBlindLine = "zelquor: the window's X connection cannot be found";
constexpr int kPressedPad = 44;
constexpr int kImageTolerance = 1;
const std::string kFirstType = "g4813.png";
// A loop that polls every few milliseconds takes a small share of a core;
// one that draws without pause takes all of it.
const auto kIdleTime = std::chrono::seconds(2);
constexpr long kMostThreadPercent = 20;
constexpr long kPercent = 100;

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

class BlindLoop : public WindowedProgram {
 protected:
  std::vector<std::string> moreEnvironment() const override { return preloadEntries(ZELQUOR_NO_CURRENT_DISPLAY); }
};

TEST_F(BlindLoop, SaysSoOnceDoesNotSpinAndStillAnswersAPress) {
  ASSERT_TRUE(firstFrameShown(window_->screenshotWhen(firstFrameShown)));
  ASSERT_TRUE(app_->waitForStderr(kBlindLine)) << app_->stderrText();

  const long before = mainThreadCpuTicks(app_->pid());
  std::this_thread::sleep_for(kIdleTime);
  const long ticks = mainThreadCpuTicks(app_->pid()) - before;
  const long idleTicks = sysconf(_SC_CLK_TCK) * kIdleTime.count();
  EXPECT_LE(ticks * kPercent, idleTicks * kMostThreadPercent) << ticks << " ticks of " << idleTicks;

  window_->moveMouse(padCentreX(kPressedPad), padCentreY(kPressedPad));
  window_->click();
  EXPECT_TRUE(app_->waitForLine("pad=" + std::to_string(kPressedPad))) << app_->stderrText();
  EXPECT_TRUE(app_->waitForLine("end drag"));
  const sf::Image token = loadProjectImage(kFirstType);
  const int left = padCentreX(kPressedPad) - kTokenGrabOffset;
  const int top = padCentreY(kPressedPad) - kTokenGrabOffset;
  const auto tokenShown = [&](const Screenshot& shot) {
    return compareOpaquePixels(shot, token, left, top, kImageTolerance).count() == 0;
  };
  const Mismatches shown = compareOpaquePixels(window_->screenshotWhen(tokenShown), token, left, top, kImageTolerance);
  EXPECT_GT(shown.checked(), 0);
  EXPECT_EQ(shown.count(), 0) << shown.examples();

  EXPECT_EQ(occurrences(app_->stderrText(), kBlindLine), 1u) << app_->stderrText();
}

}  // namespace
