#include "scenePointer.h"

#include "windowSize.h"

namespace {

long long floorDivide(long long numerator, long long denominator) {
  const long long quotient = numerator / denominator;
  return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

bool carriesPointer(boardEventType type) {
  return type == boardEventType::buttonPressed || type == boardEventType::buttonReleased ||
         type == boardEventType::pointerMoved || type == boardEventType::wheelScrolled;
}

}  // namespace

int sceneCoordinate(int p, unsigned windowLength, unsigned sceneLength) {
  return static_cast<int>(floorDivide((2LL * p + 1) * sceneLength, 2LL * windowLength));
}

boardEvent toScene(boardEvent event, unsigned windowWidth, unsigned windowHeight) {
  if (!carriesPointer(event.type)) return event;
  event.x = sceneCoordinate(event.x, windowWidth, kSceneWidth);
  event.y = sceneCoordinate(event.y, windowHeight, kSceneHeight);
  return event;
}
