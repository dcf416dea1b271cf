// The latency bench's arithmetic: where a wrong sign, unit or rank would
// give a plausible but false figure.
#include "latencyFigures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// A move at a large clock value, as a server that has run for days gives.
constexpr jack_time_t kLongUp = 5'000'000'000'000ULL;

MoveTimes heardAfter(long long us) { return {kLongUp, static_cast<jack_time_t>(static_cast<long long>(kLongUp) + us)}; }

TEST(LatencyFigures, microsecondsOfTheJackClockBecomeSignedMilliseconds) {
  EXPECT_DOUBLE_EQ(msBetween(kLongUp, kLongUp + 5333), 5.333);
  EXPECT_DOUBLE_EQ(msBetween(kLongUp + 250, kLongUp), -0.25);
  EXPECT_DOUBLE_EQ(latencyMs(heardAfter(21333)), 21.333);
  EXPECT_FALSE(isEarly(heardAfter(0)));
  // Carried by a cycle that began before the move: early, and no less than 0.
  EXPECT_TRUE(isEarly(heardAfter(-1200)));
  EXPECT_DOUBLE_EQ(latencyMs(heardAfter(-1200)), 0.0);
}

TEST(LatencyFigures, percentilesAreNearestRanksOfTheValuesInAnyOrder) {
  std::vector<double> hundred;
  for (int i = 1; i <= 100; ++i) hundred.push_back(i);
  std::shuffle(hundred.begin(), hundred.end(), std::mt19937(7));
  EXPECT_EQ(percentile(hundred, 0.5), 50);
  EXPECT_EQ(percentile(hundred, 0.9), 90);
  EXPECT_EQ(percentile(hundred, 0.99), 99);
  EXPECT_EQ(percentile(hundred, 1.0), 100);
  EXPECT_EQ(percentile(hundred, 0.0), 1);
  // 300 moves: the 99th percentile leaves the three largest above it.
  std::vector<double> three(300, 1.0);
  three[10] = three[20] = three[30] = 40.0;
  EXPECT_EQ(percentile(three, 0.99), 1.0);
  three[40] = 40.0;
  EXPECT_EQ(percentile(three, 0.99), 40.0);
  EXPECT_EQ(percentile({}, 0.5), 0.0);
  EXPECT_EQ(percentile({3.5}, 0.99), 3.5);
}

TEST(LatencyFigures, aSeriesCountsItsEarlyMovesAndTakesThemAsZero) {
  const LatencyFigures figures =
      figuresOf({heardAfter(-300), heardAfter(2000), heardAfter(4000), heardAfter(6000), heardAfter(48000)});
  EXPECT_EQ(figures.moves, 5);
  EXPECT_EQ(figures.early, 1);
  EXPECT_DOUBLE_EQ(figures.medianMs, 4.0);
  EXPECT_DOUBLE_EQ(figures.p90Ms, 48.0);
  EXPECT_DOUBLE_EQ(figures.maxMs, 48.0);
  EXPECT_EQ(figuresOf({}).moves, 0);
}

// The program's median over the floor's from its pickups: a wrong clamp or
// bisection gives a figure between the pickups' median and mean.
TEST(LatencyFigures, theMedianAboveHalfAPeriodIsThePickupsMeanOnALongPeriodAndMedianOnAShortOne) {
  EXPECT_NEAR(medianAboveHalfPeriod(std::vector<double>(10, 3.0), 21.333), 3.0, 1e-6);
  // Nine moves picked up at once, one after 50 ms, later than any median:
  // 0.9 of the moves are heard by m when 0.9 m / period = 1/2, on a long
  // period 1.1 ms above its half, on a short one 0.03 ms.
  std::vector<double> oneSlow(9, 0.0);
  oneSlow.push_back(50.0);
  EXPECT_NEAR(medianAboveHalfPeriod(oneSlow, 20.0), 20.0 / 1.8 - 10.0, 1e-6);
  EXPECT_NEAR(medianAboveHalfPeriod(oneSlow, 0.5), 0.5 / 1.8 - 0.25, 1e-6);
  // Pickups spread evenly over 0 to 6 ms: mean and median 3, on any period.
  std::vector<double> even;
  for (int i = 0; i <= 600; ++i) even.push_back(i / 100.0);
  EXPECT_NEAR(medianAboveHalfPeriod(even, 21.333), 3.0, 1e-3);
  EXPECT_NEAR(medianAboveHalfPeriod(even, 1.333), 3.0, 0.02);
  EXPECT_EQ(medianAboveHalfPeriod({}, 5.0), 0.0);
}

// Each step is looked for after the one before it and before the next
// move: a note of the last move or of the next one must not be taken.
TEST(LatencyFigures, aMovesStepsAreItsOwnNotesInOrder) {
  const MoveTimes move = heardAfter(9000);
  const jack_time_t next = kLongUp + 20000;
  const TraceNotes notes = {{'g', kLongUp - 50},   {'x', kLongUp + 1000}, {'s', kLongUp + 1500}, {'f', kLongUp + 1700},
                            {'g', kLongUp + 2000}, {'f', kLongUp + 2100}, {'x', next},           {'g', next + 10}};
  const MoveSteps steps = stepsOf(notes, move, next);
  EXPECT_EQ(steps.handled, kLongUp + 1000);
  EXPECT_EQ(steps.gained, kLongUp + 2000);
  EXPECT_EQ(steps.flushed, kLongUp + 2100);
  EXPECT_EQ(steps.shown, kLongUp + 1500);
  // The frame came after the handler: none was under way at the move.
  EXPECT_EQ(steps.frameEnd, kLongUp);
  // A frame shown before the handler ran is the one that was under way.
  const TraceNotes framed = {{'s', kLongUp + 400}, {'x', kLongUp + 1000}};
  EXPECT_EQ(stepsOf(framed, move, next).frameEnd, kLongUp + 400);
  // No handler before the next move: nothing after it counts either.
  const MoveSteps lost = stepsOf({{'x', next}, {'g', kLongUp + 10}}, move, next);
  EXPECT_EQ(lost.handled, 0u);
  EXPECT_EQ(lost.gained, 0u);
  EXPECT_EQ(lost.flushed, 0u);
}

TEST(LatencyFigures, frameGapsAreTakenBetweenTheFramesShownInTheSpan) {
  const TraceNotes notes = {{'s', kLongUp - 4000},  {'s', kLongUp},         {'x', kLongUp + 5000},
                            {'s', kLongUp + 10000}, {'s', kLongUp + 40000}, {'s', kLongUp + 90000}};
  const FrameGaps gaps = frameGaps(notes, kLongUp, kLongUp + 40000);
  EXPECT_EQ(gaps.count, 2);
  EXPECT_DOUBLE_EQ(gaps.sum, 10.0 + 30.0);
  EXPECT_DOUBLE_EQ(gaps.squares, 10.0 * 10.0 + 30.0 * 30.0);
  EXPECT_EQ(frameGaps(notes, kLongUp + 50000, kLongUp + 60000).count, 0);
}

}  // namespace
