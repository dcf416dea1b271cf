// Preloaded into a program (LD_PRELOAD) to time its frames without touching
// it: every frame ends with glXSwapBuffers. SFML 2 calls it through the
// dynamic linker, so this library's glXSwapBuffers runs first, calls the
// real one and notes the time. SFML 3 loads the GL library itself and looks
// its functions up by name: glXGetProcAddressARB with dlsym, the others
// through it (and through glXGetProcAddress, looked up the same way). This
// library's dlsym and glXGetProcAddress(ARB) hand out the counting
// glXSwapBuffers, and themselves, in place of the real ones; a lookup of
// the next definition (RTLD_NEXT) through that dlsym starts after this
// library, so another preloaded library that looks up its next definitions
// must come before it in LD_PRELOAD. Every FRAME_COUNTER_WINDOW seconds
// (default 1) it writes one line on standard error:
//
//   frameCounter window=<n> frames=<count> medianMs=<median interval>
//                meanMs=<window / frames> cpuMsPerFrame=<process CPU / frames>
//
// The process CPU time counts every thread (the software renderer's too).
// One write per window is all it adds; the intervals are kept in a fixed
// table, so it allocates nothing while the program runs.
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>

typedef struct _XDisplay Display;
typedef unsigned long GLXDrawable;

namespace {

using swapFunction = void (*)(Display*, GLXDrawable);
using lookupFunction = void* (*)(void*, const char*);
using procAddressFunction = void* (*)(const unsigned char*);

constexpr int kMaxFrames = 1 << 16;  // per window: far above any frame rate here
constexpr double kDefaultWindowSeconds = 1.0;
constexpr double kMsPerSecond = 1000.0;

double secondsOf(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double windowSeconds() {
  const char* text = std::getenv("FRAME_COUNTER_WINDOW");
  const double seconds = text != nullptr ? std::atof(text) : 0.0;
  return seconds > 0.0 ? seconds : kDefaultWindowSeconds;
}

class FrameWindow {
 public:
  void onFrame() {
    const double now = secondsOf(CLOCK_MONOTONIC);
    if (start_ < 0.0) {
      begin(now);
      return;
    }
    if (frames_ < kMaxFrames) intervals_[frames_++] = now - last_;
    last_ = now;
    if (now - start_ >= length_) {
      report(now);
      begin(now);
    }
  }

 private:
  void begin(double now) {
    start_ = now;
    last_ = now;
    cpuStart_ = secondsOf(CLOCK_PROCESS_CPUTIME_ID);
    frames_ = 0;
  }

  void report(double now) {
    if (frames_ == 0) return;
    const double cpu = secondsOf(CLOCK_PROCESS_CPUTIME_ID) - cpuStart_;
    double* middle = intervals_ + frames_ / 2;
    std::nth_element(intervals_, middle, intervals_ + frames_);
    std::fprintf(stderr, "frameCounter window=%d frames=%d medianMs=%.4f meanMs=%.4f cpuMsPerFrame=%.4f\n", ++window_,
                 frames_, *middle * kMsPerSecond, (now - start_) / frames_ * kMsPerSecond,
                 cpu / frames_ * kMsPerSecond);
  }

  double length_ = windowSeconds();
  double start_ = -1.0;
  double last_ = 0.0;
  double cpuStart_ = 0.0;
  int frames_ = 0;
  int window_ = 0;
  double intervals_[kMaxFrames] = {};
};

FrameWindow frames;

// The C library's dlsym, found by its symbol version, since this library's
// own dlsym takes its name. Kept without a guarded static: the address
// sanitizer's runtime, starting, looks up its functions through this dlsym
// from within that look-up, and a guard would wait on itself.
std::atomic<lookupFunction> libraryDlsym{nullptr};

void* realDlsym(void* handle, const char* name) {
  lookupFunction real = libraryDlsym.load();
  if (real == nullptr) {
    for (const char* version : {"GLIBC_2.34", "GLIBC_2.2.5"})
      if (void* found = dlvsym(RTLD_NEXT, "dlsym", version)) {
        real = reinterpret_cast<lookupFunction>(found);
        break;
      }
    libraryDlsym.store(real);
  }
  return real != nullptr ? real(handle, name) : nullptr;
}

std::atomic<swapFunction> loadedSwap{nullptr};
std::atomic<procAddressFunction> loadedProcAddress{nullptr};

void countingLoadedSwap(Display* display, GLXDrawable drawable) {
  loadedSwap.load()(display, drawable);
  frames.onFrame();
}

void* countingProcAddress(const unsigned char* name);

// Compared by hand: the sanitizers' runtime looks its functions up through
// this library before its own strcmp works.
bool sameName(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

// What the program gets for a GLX function it looked up by name.
void* inPlaceOf(const char* name, void* found) {
  if (found == nullptr) return nullptr;
  if (sameName(name, "glXSwapBuffers")) {
    loadedSwap.store(reinterpret_cast<swapFunction>(found));
    return reinterpret_cast<void*>(&countingLoadedSwap);
  }
  if (sameName(name, "glXGetProcAddressARB") || sameName(name, "glXGetProcAddress")) {
    loadedProcAddress.store(reinterpret_cast<procAddressFunction>(found));
    return reinterpret_cast<void*>(&countingProcAddress);
  }
  return found;
}

void* countingProcAddress(const unsigned char* name) {
  return inPlaceOf(reinterpret_cast<const char*>(name), loadedProcAddress.load()(name));
}

}  // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
  static const auto real = reinterpret_cast<swapFunction>(realDlsym(RTLD_NEXT, "glXSwapBuffers"));
  real(display, drawable);
  frames.onFrame();
}

extern "C" void* dlsym(void* handle, const char* name) { return inPlaceOf(name, realDlsym(handle, name)); }
