#include "latencyFigures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUsPerMs = 1000.0;
constexpr double kMedian = 0.5;
constexpr double kNinetieth = 0.9;
constexpr double kNinetyNinth = 0.99;
constexpr double kRankSlack = 1e-9;
constexpr int kBisections = 60;

}  // namespace

// Unsigned microseconds: the difference is taken in signed arithmetic, as a
// response may start before its move.
double msBetween(jack_time_t from, jack_time_t to) {
  return static_cast<double>(static_cast<long long>(to - from)) / kUsPerMs;
}

bool isEarly(const MoveTimes& move) { return msBetween(move.movedAt, move.heardCycleStart) < 0; }

double latencyMs(const MoveTimes& move) { return std::max(0.0, msBetween(move.movedAt, move.heardCycleStart)); }

double percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  // The product of a share and a count may land a hair above a whole rank.
  const double rank = std::ceil(share * static_cast<double>(values.size()) - kRankSlack);
  const std::size_t index = rank < 1 ? 0 : static_cast<std::size_t>(rank) - 1;
  return values[std::min(index, values.size() - 1)];
}

LatencyFigures figuresOf(const std::vector<MoveTimes>& moves) {
  std::vector<double> ms;
  LatencyFigures figures;
  for (const MoveTimes& move : moves) {
    ms.push_back(latencyMs(move));
    figures.early += isEarly(move) ? 1 : 0;
  }
  figures.moves = static_cast<int>(moves.size());
  figures.medianMs = percentile(ms, kMedian);
  figures.p90Ms = percentile(ms, kNinetieth);
  figures.p99Ms = percentile(ms, kNinetyNinth);
  figures.maxMs = percentile(ms, 1.0);
  return figures;
}

namespace {

// The share of moves heard within m: each waits its pickup, then a uniform
// share of the period.
double heardWithin(const std::vector<double>& pickupsMs, double periodMs, double m) {
  double sum = 0;
  for (double pickup : pickupsMs) sum += std::clamp((m - pickup) / periodMs, 0.0, 1.0);
  return sum / static_cast<double>(pickupsMs.size());
}

}  // namespace

double medianAboveHalfPeriod(const std::vector<double>& pickupsMs, double periodMs) {
  if (pickupsMs.empty() || periodMs <= 0) return 0;
  double low = 0, high = *std::max_element(pickupsMs.begin(), pickupsMs.end()) + periodMs;
  for (int i = 0; i < kBisections; ++i) {
    const double middle = (low + high) / 2;
    (heardWithin(pickupsMs, periodMs, middle) < kMedian ? low : high) = middle;
  }
  return (low + high) / 2 - periodMs / 2;
}

namespace {

jack_time_t firstNote(const TraceNotes& notes, char kind, jack_time_t from, jack_time_t limit) {
  for (const auto& [k, us] : notes)
    if (k == kind && us >= from && us < limit) return us;
  return 0;
}

}  // namespace

MoveSteps stepsOf(const TraceNotes& notes, const MoveTimes& move, jack_time_t limit) {
  MoveSteps steps;
  steps.shown = firstNote(notes, 's', move.movedAt, limit);
  steps.handled = firstNote(notes, 'x', move.movedAt, limit);
  steps.gained = steps.handled ? firstNote(notes, 'g', steps.handled, limit) : 0;
  steps.flushed = steps.gained ? firstNote(notes, 'f', steps.gained, limit) : 0;
  steps.frameEnd = steps.shown != 0 && steps.shown <= steps.handled ? steps.shown : move.movedAt;
  return steps;
}

FrameGaps frameGaps(const TraceNotes& notes, jack_time_t from, jack_time_t until) {
  FrameGaps gaps;
  jack_time_t lastShown = 0;
  for (const auto& [kind, us] : notes) {
    if (kind != 's' || us < from || us > until) continue;
    if (lastShown != 0) {
      const double gap = msBetween(lastShown, us);
      gaps.sum += gap;
      gaps.squares += gap * gap;
      ++gaps.count;
    }
    lastShown = us;
  }
  return gaps;
}
