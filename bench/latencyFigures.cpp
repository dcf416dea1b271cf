#include "latencyFigures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUsPerMs = 1000.0;
constexpr double kMedian = 0.5;
constexpr double kNinetieth = 0.9;
constexpr double kNinetyNinth = 0.99;
constexpr double kRankSlack = 1e-9;

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
