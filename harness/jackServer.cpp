#include "jackServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <vector>

#include "childStop.h"
#include "outsideCommands.h"
#include "ownShm.h"

namespace {

// Before any JACK program of this process starts (ownShm.h).
[[maybe_unused]] const bool ownShmTaken = takeOwnShm();

constexpr auto kReadyTimeout = std::chrono::seconds(20);
constexpr auto kPollInterval = std::chrono::milliseconds(50);

// The server registry holds eight servers, and a killed server's entry is
// only reclaimed when a server of the same name starts again; so tests take
// their names from a small pool, each held by a lock while its server lives.
constexpr int kNameSlots = 5;
constexpr auto kSlotWait = std::chrono::seconds(120);

std::string slotName(int slot) { return "zelquorTest" + std::to_string(slot); }

int takeNameSlot(int& lockFd) {
  const auto deadline = std::chrono::steady_clock::now() + kSlotWait;
  while (std::chrono::steady_clock::now() < deadline) {
    for (int slot = 0; slot < kNameSlots; ++slot) {
      const std::string lockPath = "/tmp/" + slotName(slot) + ".lock";
      const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
      if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lockFd = fd;
        return slot;
      }
      if (fd >= 0) close(fd);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  throw std::runtime_error("no free name for a private jackd");
}

// Asks jack_wait whether the server answers now ("running" or "not running").
bool answers(const std::string& name) {
  const std::string command = "JACK_NO_START_SERVER=1 jack_wait -s '" + name + "' -c 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  char line[64] = {};
  const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
  pclose(pipe);
  return read && std::string(line) == "running\n";
}

// Polls until the server answers, as long as it is alive. jack_wait -w gives
// up early when several servers start at once, so the loop is ours.
bool waitUntilReady(const std::string& name, pid_t server) {
  const auto deadline = std::chrono::steady_clock::now() + kReadyTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(server, nullptr, WNOHANG) == server) return false;
    if (answers(name)) return true;
    std::this_thread::sleep_for(kPollInterval);
  }
  return false;
}

std::string logPath(const std::string& name) { return "/tmp/" + name + ".log"; }

std::string readLog(const std::string& name) {
  std::ifstream log(logPath(name));
  return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
}

}  // namespace

JackServer::JackServer(int sampleRate, int framesPerPeriod, const std::vector<std::string>& serverOptions) {
  // Without jack_wait a started server would never be seen to answer.
  requireCommand("jackd");
  requireCommand("jack_wait");
  name_ = slotName(takeNameSlot(lockFd_));
  // Built before the fork: the child only calls what is safe after it.
  std::vector<std::string> words = {"jackd", "-n", name_};
  words.insert(words.end(), serverOptions.begin(), serverOptions.end());
  for (const std::string& word : {std::string("-d"), std::string("dummy"), std::string("-r"),
                                  std::to_string(sampleRate), std::string("-p"), std::to_string(framesPerPeriod)})
    words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // A test that crashes must not leave its server running.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The server's chatter would mix with the output that tests compare;
    // it goes to a log that a failed start reports.
    freopen(logPath(name_).c_str(), "w", stdout);
    dup2(fileno(stdout), fileno(stderr));
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (!waitUntilReady(name_, pid_)) {
    stop(SIGTERM);
    throw std::runtime_error("private jackd " + name_ + " did not start:\n" + readLog(name_));
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
  stopChild(pid_, signal);
  pid_ = -1;
  std::remove(logPath(name_).c_str());
  if (lockFd_ >= 0) close(lockFd_);
  lockFd_ = -1;
}
