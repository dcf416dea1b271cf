// The arithmetic of the latency bench: a move's latency from its times on
// the JACK clock, and the figures of a series of moves.
#ifndef ZELQUOR_BENCH_LATENCY_FIGURES_H
#define ZELQUOR_BENCH_LATENCY_FIGURES_H

#include <jack/types.h>

#include <utility>
#include <vector>

// The JACK clock counts microseconds.
double msBetween(jack_time_t from, jack_time_t to);

// One move, on the JACK clock: when the move was flushed to the X server,
// and the start of the first cycle whose output carried the new gain.
struct MoveTimes {
  jack_time_t movedAt = 0;
  jack_time_t heardCycleStart = 0;
};

// The latency of one move in ms. Without real-time scheduling a cycle's
// callbacks may run well after its start, and a move made in that gap can
// already be carried by the cycle: nothing could have been heard earlier,
// so such an early move counts 0 ms (and is counted apart, see isEarly).
double latencyMs(const MoveTimes& move);
bool isEarly(const MoveTimes& move);

// The value at or below which the given share (0 to 1) of the values lies:
// the nearest-rank percentile, always one of the values. 0 for none.
double percentile(std::vector<double> values, double share);

struct LatencyFigures {
  int moves = 0;
  int early = 0;  // carried by a cycle that began before the move
  double medianMs = 0;
  double p90Ms = 0;
  double p99Ms = 0;
  double maxMs = 0;
};

LatencyFigures figuresOf(const std::vector<MoveTimes>& moves);

// How far above half a period the median latency lies when each move waits
// its pickup (ms, from the move to the gain in the engine) and then for the
// next cycle, the moves falling evenly in the period: m - period / 2, where
// m is the median of pickup + U(0, period). With a period longer than the
// pickups this is their mean; a move picked up later than m counts only by
// its share, however late. With a period much shorter, about their median.
// 0 for none.
double medianAboveHalfPeriod(const std::vector<double>& pickupsMs, double periodMs);

// The trace clock's notes, in order, each a kind and a time on the JACK
// clock: 's' a frame shown, 'x' a handler's first trace line, 'g' a gain
// in the engine, 'f' that gain's line flushed.
using TraceNotes = std::vector<std::pair<char, jack_time_t>>;

// The steps of one move, each the first note of its kind after the step
// before it and before the limit (the next move); 0 for one not noted.
struct MoveSteps {
  jack_time_t shown = 0;    // a frame, counted from the move
  jack_time_t handled = 0;  // from the move
  jack_time_t gained = 0;   // from the handler
  jack_time_t flushed = 0;  // from the gain
  // A move that finds the loop waiting has no frame under way: the frame
  // shown after it is its own, and the frame under way ends at the move.
  jack_time_t frameEnd = 0;
};

MoveSteps stepsOf(const TraceNotes& notes, const MoveTimes& move, jack_time_t limit);

// The gaps between the frames shown from one time to another, in ms. A
// move that falls independently of the frames lands in a gap with a
// probability that grows with its length, and waits squares / (2 sum) on
// average for the frame's end, not half the median gap.
struct FrameGaps {
  double count = 0;
  double sum = 0;
  double squares = 0;
};

FrameGaps frameGaps(const TraceNotes& notes, jack_time_t from, jack_time_t until);

#endif
