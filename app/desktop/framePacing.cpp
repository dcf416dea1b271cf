#include "framePacing.h"

#include <algorithm>
#include <climits>

double refreshRateOf(const displayMode& mode) {
  double lines = mode.vTotal;
  if (mode.doubleScan) lines *= 2;
  if (mode.interlace) lines /= 2;
  const double pixels = static_cast<double>(mode.hTotal) * lines;
  return pixels > 0 ? static_cast<double>(mode.dotClock) / pixels : 0;
}

paceClock::duration framePeriodAt(double refreshHz) {
  const bool plausible = refreshHz >= kLowestRefreshHz && refreshHz <= kHighestRefreshHz;
  const std::chrono::duration<double> period(1 / (plausible ? refreshHz : kAssumedRefreshHz));
  return std::chrono::duration_cast<paceClock::duration>(period);
}

void framePace::frameDrawn(paceClock::time_point start, paceClock::time_point end) {
  due = start - due >= period ? start + period : due + period;
  const paceClock::duration drawing = end - start;
  if (2 * drawing < period) return;
  const paceClock::duration rest = std::min<paceClock::duration>(
      drawing * restPerDrawingTime::num / restPerDrawingTime::den, kLongestRest);
  due = std::max(due, end + rest);
}

int waitMillisecondsUntil(paceClock::time_point due, paceClock::time_point now) {
  if (now >= due) return 0;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
  return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}
