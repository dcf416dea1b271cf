#include "pointerSweep.h"

#include <string>

namespace {

constexpr int kSweepMoves = 2000;
const std::string kMoveGap = "0.002";
constexpr int kSweepLeft = 40, kSweepRight = 900, kSweepTop = 60, kSweepBottom = 900, kSweepStep = 37;

}  // namespace

std::unique_ptr<AppProcess> sweepPointer(const XServer& x, const XWindow& window) {
  AppOptions options;
  options.program = "xdotool";
  options.environment = {x.displayEntry()};
  int px = kSweepLeft, py = kSweepTop, dx = kSweepStep, dy = kSweepStep / 2;
  for (int move = 0; move < kSweepMoves; ++move) {
    options.arguments.insert(options.arguments.end(), {"mousemove", "--window", std::to_string(window.id()),
                                                       std::to_string(px), std::to_string(py), "sleep", kMoveGap});
    if (px + dx > kSweepRight || px + dx < kSweepLeft) dx = -dx;
    if (py + dy > kSweepBottom || py + dy < kSweepTop) dy = -dy;
    px += dx;
    py += dy;
  }
  return std::make_unique<AppProcess>(options);
}
