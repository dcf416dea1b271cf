// Preloaded into the program (LD_PRELOAD) by the latency bench to see where
// a move's time goes, without touching the program: the trace reaches the
// standard output through stdio's fwrite and fflush, and every frame ends
// with glXSwapBuffers, all of which the program calls through the dynamic
// linker, so this library's run first, call the real ones and note the time
// on the JACK clock: jackd's is the raw monotonic clock, PipeWire's JACK
// layer's the monotonic one (TRACE_CLOCK=monotonic). Noted, in microseconds:
//   s  a frame was shown: the event loop polls its events next
//   x  a "mouse x: " line handed over: a motion or press event's handler began
//   g  a "pad=" line with a gain handed over: the gain is in the engine
//   f  the flush after a "pad=" line returned
// When the program ends, the notes go to the file TRACE_CLOCK_FILE names,
// one "<kind> <microseconds>" a line. Nothing is written while it runs, and
// the notes live in a fixed table.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

using writeFunction = size_t (*)(const void*, size_t, size_t, FILE*);
using flushFunction = int (*)(FILE*);
typedef struct _XDisplay Display;
typedef unsigned long GLXDrawable;
using swapFunction = void (*)(Display*, GLXDrawable);

constexpr int kMaxNotes = 1 << 18;
constexpr char kMousePrefix[] = "mouse x: ";
constexpr char kGainPrefix[] = "pad=";
constexpr char kGainMark[] = "gain=";

struct Note {
  char kind;
  long long us;
};

Note notes[kMaxNotes];
int noteCount = 0;
bool gainPending = false;

clockid_t jackClock() {
  const char* name = std::getenv("TRACE_CLOCK");
  return name != nullptr && std::strcmp(name, "monotonic") == 0 ? CLOCK_MONOTONIC : CLOCK_MONOTONIC_RAW;
}

long long nowUs() {
  static const clockid_t clock = jackClock();
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void note(char kind) {
  if (noteCount < kMaxNotes) notes[noteCount++] = {kind, nowUs()};
}

bool startsWith(const void* data, size_t size, const char* prefix) {
  const size_t length = std::strlen(prefix);
  return size >= length && std::memcmp(data, prefix, length) == 0;
}

bool holds(const void* data, size_t size, const char* mark) {
  return memmem(data, size, mark, std::strlen(mark)) != nullptr;
}

struct Dump {
  ~Dump() {
    const char* path = std::getenv("TRACE_CLOCK_FILE");
    FILE* file = path != nullptr ? std::fopen(path, "w") : nullptr;
    if (file == nullptr) return;
    for (int i = 0; i < noteCount; ++i) std::fprintf(file, "%c %lld\n", notes[i].kind, notes[i].us);
    std::fclose(file);
  }
} dump;

}  // namespace

extern "C" size_t fwrite(const void* data, size_t size, size_t count, FILE* stream) {
  static const auto real = reinterpret_cast<writeFunction>(dlsym(RTLD_NEXT, "fwrite"));
  if (stream == stdout) {
    const size_t bytes = size * count;
    if (startsWith(data, bytes, kMousePrefix)) note('x');
    else if (startsWith(data, bytes, kGainPrefix) && holds(data, bytes, kGainMark)) {
      note('g');
      gainPending = true;
    }
  }
  return real(data, size, count, stream);
}

extern "C" int fflush(FILE* stream) {
  static const auto real = reinterpret_cast<flushFunction>(dlsym(RTLD_NEXT, "fflush"));
  const int result = real(stream);
  if (stream == stdout && gainPending) {
    note('f');
    gainPending = false;
  }
  return result;
}

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
  static const auto real = reinterpret_cast<swapFunction>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
  real(display, drawable);
  note('s');
}
