#include "serverShutdown.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {

constexpr int kShutdownStatus = 1;
constexpr char kServerGone[] = "zelquor: the audio server went away";

std::atomic_flag ending = ATOMIC_FLAG_INIT;

// exit() here would run the static destructors (the window, the tokens) on
// this thread while the event loop may still be drawing with them, and the
// process could die of a signal instead of ending with its status. _exit()
// ends it without destructors. Standard output is held locked from its
// flush on, so that the event loop, which writes each trace line whole
// under that lock, cannot start another line that the end would cut (the
// lines go through that lock only while std::cout is synchronised with
// stdio: see app/board/traceLine.h).
[[noreturn]] void endWith(const char* reason) {
  if (ending.test_and_set()) {
    // The other callback is already ending the process.
    for (;;) pause();
  }
  std::fprintf(stderr, "%s\n", reason != nullptr && reason[0] != '\0' ? reason : kServerGone);
  flockfile(stdout);
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(kShutdownStatus);
}

}  // namespace

void endOnInfoShutdown(jack_status_t, const char* reason, void*) { endWith(reason); }

void endOnShutdown(void*) { endWith(nullptr); }
