#include "windowSize.h"

#include <algorithm>
#include <cmath>

namespace {

// Scales such as 1.5 reach whole pixels exactly; this keeps a product that
// a binary fraction leaves a hair short of one from losing that pixel.
constexpr double kWholePixelSlack = 1e-6;

long scaled(unsigned length, double scale) { return static_cast<long>(std::floor(length * scale + kWholePixelSlack)); }

int centred(int start, int room, int length) { return start + std::max(0, (room - length) / 2); }

}  // namespace

// Whole pixels only, rounded down, so the window is never larger than the
// scale asks nor overflows the room.
windowChoice chooseWindow(const screenRect& room, const frameExtents& frame, double scale) {
  windowChoice choice;
  const long widest = std::min<long>(room.width - frame.left - frame.right, scaled(kSceneWidth, scale));
  const long tallest = std::min<long>(room.height - frame.top - frame.bottom, scaled(kSceneHeight, scale));
  const long width = std::max(1L, widest), height = std::max(1L, tallest);
  if (width * kSceneHeight <= height * kSceneWidth) {
    choice.width = static_cast<unsigned>(width);
    choice.height = static_cast<unsigned>(std::max(1L, width * kSceneHeight / kSceneWidth));
  } else {
    choice.height = static_cast<unsigned>(height);
    choice.width = static_cast<unsigned>(std::max(1L, height * kSceneWidth / kSceneHeight));
  }
  choice.x = centred(room.x, room.width, static_cast<int>(choice.width) + frame.left + frame.right);
  choice.y = centred(room.y, room.height, static_cast<int>(choice.height) + frame.top + frame.bottom);
  choice.belowSupported = room.width < kSmallestSupportedWidth || room.height < kSmallestSupportedHeight;
  return choice;
}

bool wholeMultipleOfScene(unsigned width, unsigned height) {
  return width > 0 && width % kSceneWidth == 0 && height % kSceneHeight == 0 &&
         width / kSceneWidth == height / kSceneHeight;
}
