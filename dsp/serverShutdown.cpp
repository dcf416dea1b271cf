#include "serverShutdown.h"

#include <unistd.h>

#include <cstdio>

constexpr int kShutdownStatus = 1;

// exit() here would run the static destructors (the window, the tokens) on
// this thread while the event loop may still be drawing with them, and the
// process could die of a signal instead of ending with its status. _exit()
// ends it without destructors; the streams are flushed first so that no
// trace line already written is lost.
void endOnServerShutdown(const char*, void*) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(kShutdownStatus);
}
