// The pointer of a private X server moved and pressed through the XTest
// extension, as the input devices do, one request at a time: the latency
// bench's hand.
#ifndef ZELQUOR_BENCH_FAKE_POINTER_H
#define ZELQUOR_BENCH_FAKE_POINTER_H

#include <jack/types.h>

#include <string>

typedef struct _XDisplay Display;

class FakePointer {
 public:
  // Opens a connection of its own to the display; throws when the display
  // or the XTest library is missing.
  explicit FakePointer(const std::string& displayName);
  ~FakePointer();
  FakePointer(const FakePointer&) = delete;
  FakePointer& operator=(const FakePointer&) = delete;

  // Moves the pointer to (x, y) on the screen and hands the request to the
  // X server; returns the JACK clock's time taken right before the flush.
  jack_time_t moveTo(int x, int y);
  // The same without the clock, which needs a JACK client in the process.
  void moveUntimed(int x, int y);
  // The left button, pressed or released where the pointer is; waits until
  // the server has taken the request.
  void leftButton(bool press);

 private:
  using motionFunction = int (*)(Display*, int, int, int, unsigned long);
  using buttonFunction = int (*)(Display*, unsigned int, int, unsigned long);

  Display* display_ = nullptr;
  void* library_ = nullptr;
  motionFunction fakeMotion_ = nullptr;
  buttonFunction fakeButton_ = nullptr;
};

#endif
