#include "pointerDrive.h"

#include <chrono>

#include "fakePointer.h"

namespace {
constexpr auto kMoveInterval = std::chrono::microseconds(1000);
constexpr int kStride = 40;
}  // namespace

PointerDrive::PointerDrive(const std::string& displayName, const XWindow& window, int x, int y) {
  const WindowGeometry at = window.geometry();
  mover_ = std::thread([this, displayName, left = at.x + x, top = at.y + y] {
    FakePointer pointer(displayName);
    auto next = std::chrono::steady_clock::now();
    for (int i = 0; !stop_; ++i) {
      pointer.moveUntimed(left + (i % 2) * kStride, top);
      next += kMoveInterval;
      std::this_thread::sleep_until(next);
    }
  });
}

PointerDrive::~PointerDrive() {
  stop_ = true;
  mover_.join();
}
