// When the loop may draw its next frame: no sooner than one refresh period
// of the screen after the last one, on a fixed beat, so that a drag whose
// motions come far faster than the screen shows frames draws only the
// frames the screen can show. Pure arithmetic, without X or the graphics
// library.
#ifndef ZELQUOR_FRAME_PACING_H
#define ZELQUOR_FRAME_PACING_H

#include <chrono>
#include <ratio>

using paceClock = std::chrono::steady_clock;

// A display mode as RandR describes it: the pixel clock in Hz, the line and
// frame lengths in pixels and lines, blanking included.
struct displayMode {
  unsigned long dotClock = 0;
  unsigned hTotal = 0;
  unsigned vTotal = 0;
  bool doubleScan = false;  // each line sent twice
  bool interlace = false;   // each field holds half the lines
};

// The mode's refresh rate in Hz; 0 where its totals are 0.
double refreshRateOf(const displayMode& mode);

// Where the rate is unknown (a virtual server reports 0) or not a screen's.
constexpr double kAssumedRefreshHz = 60;
constexpr double kLowestRefreshHz = 24;
constexpr double kHighestRefreshHz = 500;

// One refresh period at that rate, or at kAssumedRefreshHz where the rate
// lies outside kLowestRefreshHz..kHighestRefreshHz.
paceClock::duration framePeriodAt(double refreshHz);

// A frame that takes most of a period (a software renderer filling a
// doubled window) would have frames drawn back to back, at the cost of the
// loop's whole time and a core or more. Drawing keeps to under half of
// the loop's time: after a frame that took half a period or more, the next
// waits a quarter longer than it took, and never more than kLongestRest.
// Shorter frames (full size with the software renderer, any frame on a
// graphics card) keep the beat.
using restPerDrawingTime = std::ratio<5, 4>;
constexpr std::chrono::milliseconds kLongestRest(100);

// The beat the frames keep. A frame may be drawn from `due` on; each frame
// moves `due` one period on from where it stood, so that the time a frame
// takes does not push the next ones later. A frame drawn a whole period or
// more after it was due (the board was idle) starts a new beat. A long
// frame's rest may put `due` later than the beat.
struct framePace {
  paceClock::duration period = framePeriodAt(kAssumedRefreshHz);
  paceClock::time_point due{};

  bool frameDue(paceClock::time_point now) const { return now >= due; }
  // The frame begun at `start` and shown at `end`.
  void frameDrawn(paceClock::time_point start, paceClock::time_point end);
};

// The wait, in whole milliseconds as poll() takes it, until the frame is
// due: rounded up, so that it never wakes before the frame is due and never
// asks for 0 ms while there is time left, which would spin. 0 when due.
int waitMillisecondsUntil(paceClock::time_point due, paceClock::time_point now);

#endif
