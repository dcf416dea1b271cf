#include "childStop.h"

#include <signal.h>
#include <sys/wait.h>

#include <thread>

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(10);

bool reaped(pid_t pid, std::chrono::milliseconds within) {
  const auto deadline = std::chrono::steady_clock::now() + within;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(kPollStep);
  }
  return false;
}

}  // namespace

bool stopChild(pid_t pid, int signal, std::chrono::milliseconds grace) {
  kill(pid, signal);
  if (reaped(pid, grace)) return true;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return false;
}
