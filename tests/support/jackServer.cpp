#include "jackServer.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto kStopGrace = std::chrono::seconds(5);
constexpr const char* kReadyTimeoutSeconds = "10";

std::string uniqueName() {
  static std::atomic<int> counter{0};
  return "zelquorTest" + std::to_string(getpid()) + "_" + std::to_string(counter++);
}

// Runs jack_wait against the server; true when it answered in time.
bool waitUntilReady(const std::string& name) {
  const pid_t child = fork();
  if (child == 0) {
    setenv("JACK_NO_START_SERVER", "1", 1);
    execlp("jack_wait", "jack_wait", "-s", name.c_str(), "-w", "-t", kReadyTimeoutSeconds, (char*)nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool reaped(pid_t pid, std::chrono::steady_clock::duration within) {
  const auto deadline = std::chrono::steady_clock::now() + within;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

JackServer::JackServer(int sampleRate, int framesPerPeriod) : name_(uniqueName()) {
  const std::string rate = std::to_string(sampleRate);
  const std::string period = std::to_string(framesPerPeriod);
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // The server's chatter would mix with the output that tests compare.
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execlp("jackd", "jackd", "-n", name_.c_str(), "-d", "dummy", "-r", rate.c_str(), "-p", period.c_str(),
           (char*)nullptr);
    _exit(127);
  }
  if (!waitUntilReady(name_)) {
    stop(SIGKILL);
    throw std::runtime_error("private jackd " + name_ + " did not start");
  }
}

JackServer::~JackServer() {
  if (pid_ > 0) stop(SIGTERM);
}

void JackServer::useInThisProcess() const {
  setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
  setenv("JACK_NO_START_SERVER", "1", 1);
}

void JackServer::stop(int signal) {
  if (pid_ <= 0) return;
  kill(pid_, signal);
  if (!reaped(pid_, kStopGrace)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}
