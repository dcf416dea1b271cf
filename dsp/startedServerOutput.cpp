#include "startedServerOutput.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<bool> asideWhileForking{false};

// Runs in the child of every fork() of the process, so it only calls
// dup2(), which is safe there.
void sendOutputToErrors() {
  if (asideWhileForking.load()) dup2(STDERR_FILENO, STDOUT_FILENO);
}

std::once_flag registered;

}  // namespace

startedServerOutputAside::startedServerOutputAside() {
  std::call_once(registered, [] { pthread_atfork(nullptr, nullptr, sendOutputToErrors); });
  asideWhileForking.store(true);
}

startedServerOutputAside::~startedServerOutputAside() { asideWhileForking.store(false); }
