// A pointer moved back and forth over a window at 1 kHz, on a thread of its
// own, for as long as the object lives: what keeps an event-driven program
// drawing while its frames are timed, as a fast drag does.
#ifndef ZELQUOR_BENCH_POINTER_DRIVE_H
#define ZELQUOR_BENCH_POINTER_DRIVE_H

#include <atomic>
#include <string>
#include <thread>

#include "xWindow.h"

class PointerDrive {
 public:
  // Moves between (x, y) and a point 40 px to its right, in window
  // coordinates.
  PointerDrive(const std::string& displayName, const XWindow& window, int x, int y);
  ~PointerDrive();
  PointerDrive(const PointerDrive&) = delete;
  PointerDrive& operator=(const PointerDrive&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread mover_;
};

#endif
