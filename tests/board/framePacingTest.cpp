// When the loop draws: the refresh rate from a RandR mode, the period it
// gives (60 Hz where the rate is unknown or implausible), the frames' beat,
// a long frame's rest and the wait until the next frame, in whole
// milliseconds rounded up.
#include <gtest/gtest.h>

#include "framePacing.h"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

struct modeCase {
  const char* what;
  displayMode mode;
  double hz;
};

// Standard timings: 1920x1080 at 60 Hz, the same lines interlaced (two
// fields a frame), a doubled low-resolution mode, and what a virtual
// server without a real mode reports.
const modeCase kModes[] = {
    {"1920x1080 at 60 Hz", {148500000, 2200, 1125, false, false}, 60},
    {"1920x1080 interlaced", {74250000, 2200, 1125, false, true}, 60},
    {"doublescan", {48000000, 1000, 400, true, false}, 60},
    {"doublescan and interlaced", {48000000, 1000, 800, true, true}, 60},
    {"no dot clock", {0, 1094, 970, false, false}, 0},
    {"no line length", {148500000, 0, 1125, false, false}, 0},
    {"no frame length", {148500000, 2200, 0, false, false}, 0},
};

TEST(FramePacing, RefreshRateOfEachMode) {
  for (const modeCase& c : kModes) EXPECT_DOUBLE_EQ(refreshRateOf(c.mode), c.hz) << c.what;
}

TEST(FramePacing, PeriodAtPlausibleRatesElseSixtyHertz) {
  const struct {
    double hz;
    double expectedHz;
  } cases[] = {{60, 60}, {144, 144}, {24, 24}, {500, 500}, {0, 60}, {23.9, 60}, {500.1, 60}, {-60, 60}, {1e9, 60}};
  for (const auto& c : cases) {
    const double seconds = std::chrono::duration<double>(framePeriodAt(c.hz)).count();
    EXPECT_NEAR(seconds, 1 / c.expectedHz, 1e-9) << c.hz << " Hz";
  }
}

TEST(FramePacing, FramesKeepTheirBeatAndAnIdleBoardStartsANewOne) {
  framePace pace;
  pace.period = milliseconds(16);
  const paceClock::time_point start = paceClock::now();
  EXPECT_TRUE(pace.frameDue(start)) << "the first frame waits for nothing";
  pace.frameDrawn(start, start);
  EXPECT_FALSE(pace.frameDue(start + milliseconds(15)));
  EXPECT_TRUE(pace.frameDue(start + milliseconds(16)));
  // Drawn 3 ms late: the next one is still due on the beat, not 16 ms on.
  pace.frameDrawn(start + milliseconds(19), start + milliseconds(19));
  EXPECT_EQ(pace.due, start + milliseconds(32));
  // After a pause of several periods, a frame at once, and a new beat.
  const paceClock::time_point later = start + milliseconds(200);
  EXPECT_TRUE(pace.frameDue(later));
  pace.frameDrawn(later, later);
  EXPECT_EQ(pace.due, later + milliseconds(16));
}

// A frame that takes half a period or more leaves the loop a quarter more
// than its time before the next, however the beat stands, and never more
// than the longest rest; a shorter one keeps the beat.
TEST(FramePacing, ALongFrameRestsLongerThanItTookAndNoMoreThanTheLongestRest) {
  framePace pace;
  pace.period = milliseconds(20);
  const paceClock::time_point start = paceClock::now();
  const struct {
    int from, to, due;
  } frames[] = {{0, 4, 20}, {20, 29, 40}, {40, 52, 67}, {67, 187, 287}, {287, 288, 307}};
  for (const auto& f : frames) {
    pace.frameDrawn(start + milliseconds(f.from), start + milliseconds(f.to));
    EXPECT_EQ(pace.due, start + milliseconds(f.due)) << "frame from " << f.from << " to " << f.to << " ms";
  }
}

TEST(FramePacing, WaitRoundedUpToWholeMilliseconds) {
  const paceClock::time_point due = paceClock::now();
  const struct {
    microseconds before;
    int milliseconds;
  } cases[] = {{microseconds(0), 0},    {microseconds(-5000), 0}, {microseconds(1), 1},
               {microseconds(300), 1},  {microseconds(1000), 1},  {microseconds(1001), 2},
               {microseconds(16000), 16}, {microseconds(16667), 17}};
  for (const auto& c : cases) EXPECT_EQ(waitMillisecondsUntil(due, due - c.before), c.milliseconds) << c.before.count();
}

}  // namespace
