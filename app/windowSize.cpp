#include "windowSize.h"

#include <algorithm>

namespace {

int centred(int start, int room, int length) { return start + std::max(0, (room - length) / 2); }

}  // namespace

// Whole pixels only, rounded down, so the window never overflows the room.
windowChoice chooseWindow(const screenRect& room, const frameExtents& frame) {
  windowChoice choice;
  const long freeWidth = std::max(1, room.width - frame.left - frame.right);
  const long freeHeight = std::max(1, room.height - frame.top - frame.bottom);
  if (freeWidth < kSceneWidth || freeHeight < kSceneHeight) {
    if (freeWidth * kSceneHeight <= freeHeight * kSceneWidth) {
      choice.width = static_cast<unsigned>(freeWidth);
      choice.height = static_cast<unsigned>(std::max(1L, freeWidth * kSceneHeight / kSceneWidth));
    } else {
      choice.height = static_cast<unsigned>(freeHeight);
      choice.width = static_cast<unsigned>(std::max(1L, freeHeight * kSceneWidth / kSceneHeight));
    }
  }
  choice.x = centred(room.x, room.width, static_cast<int>(choice.width) + frame.left + frame.right);
  choice.y = centred(room.y, room.height, static_cast<int>(choice.height) + frame.top + frame.bottom);
  choice.belowSupported = room.width < kSmallestSupportedWidth || room.height < kSmallestSupportedHeight;
  return choice;
}
