// The loop when nothing happens: it sleeps without drawing, wakes at once
// for a press and shows it in the frame it draws next, and draws again
// whatever part of the window the X server exposes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <thread>

#include "boardFacts.h"
#include "threadState.h"
#include "windowedProgram.h"

namespace {

constexpr int kImageTolerance = 1;
constexpr int kPlacedTokens = 8;
constexpr int kPressedPad = 44;
const auto kIdleTime = std::chrono::seconds(5);
// The goals for an idle board, in percent of a core: the loop's thread, and
// the whole process (no audio server here).
constexpr long kThreadPercent = 1;
constexpr long kProcessPercent = 3;
constexpr long kPercent = 100;
const std::string kFirstType = "g4813.png";

bool samePixels(const Screenshot& a, const Screenshot& b) {
  const sf::Image& left = a.image();
  const sf::Image& right = b.image();
  if (left.getSize() != right.getSize()) return false;
  return std::equal(left.getPixelsPtr(), left.getPixelsPtr() + left.getSize().x * left.getSize().y * 4,
                    right.getPixelsPtr());
}

class IdleLoop : public WindowedProgram {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(WindowedProgram::SetUp());
    ASSERT_TRUE(firstFrameShown(window_->screenshotWhen(firstFrameShown)));
  }

  void clickPad(int pad) {
    window_->moveMouse(padCentreX(pad), padCentreY(pad));
    window_->click();
    ASSERT_TRUE(app_->waitForLine("pad=" + std::to_string(pad))) << "pad " << pad;
    ASSERT_TRUE(app_->waitForLine("end drag")) << "pad " << pad;
  }

  // Everything given so far has been handled and drawn.
  void settle() { ASSERT_TRUE(waitUntilMainThreadWaitsInPoll(app_->pid())) << "the loop never waits"; }
};

TEST_F(IdleLoop, IdleBoardTakesNoProcessorAndAPressShowsInTheNextFrame) {
  for (int pad = 0; pad < kPlacedTokens; ++pad) ASSERT_NO_FATAL_FAILURE(clickPad(pad * 9 % 64));
  ASSERT_NO_FATAL_FAILURE(settle());

  const long threadBefore = mainThreadCpuTicks(app_->pid());
  const long processBefore = processCpuTicks(app_->pid());
  std::this_thread::sleep_for(kIdleTime);
  const long threadTicks = mainThreadCpuTicks(app_->pid()) - threadBefore;
  const long processTicks = processCpuTicks(app_->pid()) - processBefore;
  const long idleTicks = sysconf(_SC_CLK_TCK) * kIdleTime.count();
  EXPECT_LE(threadTicks * kPercent, idleTicks * kThreadPercent) << threadTicks << " ticks of " << idleTicks;
  EXPECT_LE(processTicks * kPercent, idleTicks * kProcessPercent) << processTicks << " ticks of " << idleTicks;
  EXPECT_TRUE(mainThreadWaitsInPoll(app_->pid()));

  // One picture, taken once the loop sleeps again after the press: the frame
  // drawn right after it must already show the new token.
  ASSERT_NO_FATAL_FAILURE(clickPad(kPressedPad));
  ASSERT_NO_FATAL_FAILURE(settle());
  const Mismatches token =
      compareOpaquePixels(window_->grab(), loadProjectImage(kFirstType), padCentreX(kPressedPad) - kTokenGrabOffset,
                          padCentreY(kPressedPad) - kTokenGrabOffset, kImageTolerance);
  EXPECT_GT(token.checked(), 0);
  EXPECT_EQ(token.count(), 0) << token.examples();
}

TEST_F(IdleLoop, ExposedPartsAreDrawnAgain) {
  ASSERT_NO_FATAL_FAILURE(clickPad(kPressedPad));
  ASSERT_NO_FATAL_FAILURE(settle());
  const Screenshot drawn = window_->screenshot();
  const auto redrawn = [&](const Screenshot& shot) { return samePixels(shot, drawn); };
  const WindowGeometry place = window_->geometry();

  const unsigned long cover = window_->cover({400, 300, 500, 400});
  window_->uncover(cover);
  EXPECT_TRUE(samePixels(window_->screenshotWhen(redrawn), drawn)) << "after a cover was taken away";

  window_->hideAndShow();
  EXPECT_TRUE(samePixels(window_->screenshotWhen(redrawn), drawn)) << "after being hidden and shown again";

  // Half off the screen and back: the server keeps no pixels it does not show.
  window_->moveTo(x_.kScreenWidth - place.width / 2, place.y);
  window_->moveTo(place.x, place.y);
  EXPECT_TRUE(samePixels(window_->screenshotWhen(redrawn), drawn)) << "after being moved half off the screen";
}

}  // namespace
