#include "endSignals.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A self-pipe rather than a signalfd: a signalfd needs the signals held
// for good, and the programs the board starts (the browser of the logo)
// would inherit them held.
int pipeEnds[2] = {-1, -1};
std::atomic<bool> requested{false};

sigset_t endSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kEndSignals) sigaddset(&set, signal);
  return set;
}

// Only async-signal-safe calls. A full pipe already wakes the wait.
void onEndSignal(int) {
  const int saved = errno;
  requested.store(true);
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = saved;
}

// Without the handlers the signals keep their default: never held.
void mask(int how) {
  const sigset_t set = endSet();
  if (pipeEnds[1] >= 0) pthread_sigmask(how, &set, nullptr);
}

}  // namespace

bool watchEndSignals() {
  if (pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndSignals) sigaction(signal, &action, nullptr);
  mask(SIG_BLOCK);
  return true;
}

void takeEndSignals() { mask(SIG_UNBLOCK); }

void holdEndSignals() { mask(SIG_BLOCK); }

int endSignalDescriptor() { return pipeEnds[0]; }

bool endRequested() {
  char bytes[16];
  // Emptied, so that the wait sleeps again should the loop wait once more.
  while (pipeEnds[0] >= 0 && read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  if (requested.load()) return true;
  sigset_t pending;
  sigpending(&pending);
  for (const int signal : kEndSignals)
    if (sigismember(&pending, signal) == 1) return true;
  return false;
}
