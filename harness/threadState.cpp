#include "threadState.h"

#include <sys/syscall.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(5);
// Fields of /proc/.../stat after the command's closing parenthesis,
// counted from the state (field 3 of proc(5)): utime and stime.
constexpr int kUserTimeAfterName = 11;
constexpr int kHex = 16;
constexpr unsigned long kLoopDescriptors = 3;

std::string mainThreadFile(pid_t pid, const std::string& name) {
  return "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/" + name;
}

std::string wholeFile(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The command may hold blanks and parentheses: the fields start after the
// last closing parenthesis.
long cpuTicksOf(const std::string& statPath) {
  const std::string stat = wholeFile(statPath);
  const auto end = stat.rfind(')');
  if (end == std::string::npos) return -1;
  std::istringstream fields(stat.substr(end + 1));
  std::string skipped;
  for (int i = 0; i < kUserTimeAfterName; ++i) fields >> skipped;
  long user = 0, system = 0;
  fields >> user >> system;
  return fields ? user + system : -1;
}

bool isPollCall(long number) {
#ifdef SYS_poll
  if (number == SYS_poll) return true;
#endif
  return number == SYS_ppoll;
}

// Without a time limit: poll's int timeout of -1 (in whatever width the
// register shows it), or ppoll's null timespec.
bool withoutLimit(long number, const std::string& limit) {
  const unsigned long value = std::stoul(limit, nullptr, kHex);
  constexpr unsigned long kLowWord = 0xffffffffUL;
  return number == SYS_ppoll ? value == 0 : (value & kLowWord) == kLowWord;
}

}  // namespace

long processCpuTicks(pid_t pid) { return cpuTicksOf("/proc/" + std::to_string(pid) + "/stat"); }

long mainThreadCpuTicks(pid_t pid) { return cpuTicksOf(mainThreadFile(pid, "stat")); }

long mainThreadWakeUps(pid_t pid) {
  std::istringstream status(wholeFile(mainThreadFile(pid, "status")));
  const std::string key = "voluntary_ctxt_switches:";
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size()));
  return -1;
}

// The file gives the number of the call the thread is blocked in and its
// arguments in hexadecimal ("running" when it runs). The loop watches three
// descriptors (two X connections and the end signals' pipe); Xlib, waiting
// for a reply in the middle of a frame, one. A wait with a time limit has a
// frame still to draw.
bool mainThreadWaitsInPoll(pid_t pid) {
  std::istringstream call(wholeFile(mainThreadFile(pid, "syscall")));
  long number = -1;
  std::string descriptors, count, limit;
  if (!(call >> number >> descriptors >> count >> limit) || !isPollCall(number)) return false;
  return std::stoul(count, nullptr, kHex) == kLoopDescriptors && withoutLimit(number, limit);
}

bool waitUntilMainThreadWaitsInPoll(pid_t pid, Timeout timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!mainThreadWaitsInPoll(pid)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}
