#include "endSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A self-pipe rather than a signalfd: blocking the signals would pass the
// mask on to the programs the board starts (the browser of the logo).
int pipeEnds[2] = {-1, -1};
std::atomic<bool> requested{false};

// Runs on whichever thread the signal lands on (the audio library's or the
// session's too): only async-signal-safe calls. A full pipe already wakes
// the wait.
void onEndSignal(int) {
  const int saved = errno;
  requested.store(true);
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool watchEndSignals() {
  if (pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  // The audio library's and the X library's own calls go on undisturbed;
  // the loop's poll() is woken by the pipe, whatever the flag.
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndSignals) sigaction(signal, &action, nullptr);
  return true;
}

int endSignalDescriptor() { return pipeEnds[0]; }

bool endRequested() {
  char bytes[16];
  // Emptied, so that the wait sleeps again should the loop wait once more.
  while (pipeEnds[0] >= 0 && read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  return requested.load();
}
