#include "appProcess.h"

#include "outsideCommands.h"
#include "ownShm.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <stdexcept>

extern char** environ;

namespace {

// Before any JACK program of this process starts (ownShm.h).
[[maybe_unused]] const bool ownShmTaken = takeOwnShm();

// The variables through which a child would find an X server or a JACK
// server of the user's session instead of the test's own, or take the
// window's scale from the session instead of the test's display, or join
// the user's session manager.
const std::set<std::string> kSteeringVariables = {
    "DISPLAY",           "WAYLAND_DISPLAY", "JACK_DEFAULT_SERVER", "JACK_NO_START_SERVER",
    "JACK_START_SERVER", "GDK_SCALE",       "ZELQUOR_SCALE",        "NSM_URL",
};

const std::vector<std::string> kJackNoisePrefixes = {"The sample rate is now ", "The buffer size is now "};

constexpr auto kPollStep = std::chrono::milliseconds(10);
constexpr int kReaderPollMs = 50;
constexpr auto kOutputDrainTimeout = std::chrono::seconds(2);
constexpr int kExecFailed = 127;

std::string variableName(const std::string& entry) { return entry.substr(0, entry.find('=')); }

std::vector<std::string> childEnvironment(const std::vector<std::string>& entries) {
  std::set<std::string> replaced = kSteeringVariables;
  for (const auto& entry : entries) replaced.insert(variableName(entry));
  std::vector<std::string> result;
  for (char** inherited = environ; *inherited != nullptr; ++inherited) {
    const std::string entry = *inherited;
    if (replaced.count(variableName(entry)) == 0) result.push_back(entry);
  }
  result.insert(result.end(), entries.begin(), entries.end());
  return result;
}

std::string lookUp(const std::vector<std::string>& environment, const std::string& name) {
  for (const auto& entry : environment)
    if (variableName(entry) == name) return entry.substr(name.size() + 1);
  return "";
}

bool isExecutable(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Resolved before forking, because the child of a threaded process may only
// make async-signal-safe calls, which a PATH search is not.
std::string resolveProgram(const std::string& program, const std::vector<std::string>& environment) {
  if (program.find('/') != std::string::npos) return program;
  const std::string path = lookUp(environment, "PATH");
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find(':', start), path.size());
    const std::string candidate = path.substr(start, end - start) + "/" + program;
    if (isExecutable(candidate)) return candidate;
    start = end + 1;
  }
  throw std::runtime_error(missingCommandReason(program));
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

void makePipe(int fds[2]) {
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
}

[[noreturn]] void runChild(pid_t parent, const char* directory, const char* path, char* const* argv, char* const* envp,
                           int outFd, int errFd, int statusFd) {
  // A process group of its own, so that whatever the program starts can be
  // ended together with it; and an end together with the test if that dies.
  setpgid(0, 0);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(kExecFailed);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  signal(SIGPIPE, SIG_DFL);
  const int nullFd = open("/dev/null", O_RDONLY);
  dup2(nullFd, STDIN_FILENO);
  dup2(outFd, STDOUT_FILENO);
  dup2(errFd, STDERR_FILENO);
  if (chdir(directory) == 0) execve(path, argv, envp);
  const int error = errno;
  (void)!write(statusFd, &error, sizeof error);
  _exit(kExecFailed);
}

}  // namespace

std::string zelquorExecutable() { return ZELQUOR_EXECUTABLE; }
std::string projectRoot() { return ZELQUOR_PROJECT_ROOT; }

std::vector<std::string> absentJackServerEntries() {
  return {"JACK_DEFAULT_SERVER=zelquorAbsent" + std::to_string(getpid()), "JACK_NO_START_SERVER=1"};
}

std::ostream& operator<<(std::ostream& out, const ExitStatus& status) {
  if (status.signalled) return out << "killed by signal " << status.signal << " (" << strsignal(status.signal) << ")";
  return out << "exit code " << status.code;
}

AppProcess::AppProcess(AppOptions options) {
  std::vector<std::string> environment = childEnvironment(options.environment);
  std::vector<std::string> argv = {options.program};
  argv.insert(argv.end(), options.arguments.begin(), options.arguments.end());
  const std::string path = resolveProgram(options.program, environment);
  std::vector<char*> argvPointers = pointersTo(argv);
  std::vector<char*> envPointers = pointersTo(environment);

  int outPipe[2], errPipe[2], statusPipe[2];
  makePipe(outPipe);
  makePipe(errPipe);
  makePipe(statusPipe);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0)
    runChild(parent, options.workingDirectory.c_str(), path.c_str(), argvPointers.data(), envPointers.data(),
             outPipe[1], errPipe[1], statusPipe[1]);
  setpgid(pid_, pid_);
  close(outPipe[1]);
  close(errPipe[1]);
  close(statusPipe[1]);

  int childError = 0;
  const ssize_t got = read(statusPipe[0], &childError, sizeof childError);
  close(statusPipe[0]);
  if (got > 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    throw std::runtime_error("cannot start " + path + " in " + options.workingDirectory + ": " +
                             std::strerror(childError));
  }
  out_.fd = outPipe[0];
  err_.fd = errPipe[0];
  out_.reader = std::thread([this] { readStream(out_, true); });
  err_.reader = std::thread([this] { readStream(err_, false); });
}

AppProcess::~AppProcess() {
  if (pid_ > 0) killAll();
  joinReaders(kOutputDrainTimeout);
}

void AppProcess::readStream(Stream& stream, bool isStdout) {
  char buffer[4096];
  pollfd entry{stream.fd, POLLIN, 0};
  while (!stopReading_) {
    if (poll(&entry, 1, kReaderPollMs) <= 0) continue;
    const ssize_t got = read(stream.fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    takeChunk(stream, isStdout, buffer, static_cast<size_t>(got));
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (isStdout && !stream.pending.empty()) {
    stdoutLines_.push_back(stream.pending);
    stdoutCut_ = true;
  }
  stream.pending.clear();
  stream.closed = true;
  changed_.notify_all();
}

void AppProcess::takeChunk(Stream& stream, bool isStdout, const char* data, size_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!isStdout) {
    stderrText_.append(data, size);
  } else {
    stream.pending.append(data, size);
    size_t lineEnd;
    while ((lineEnd = stream.pending.find('\n')) != std::string::npos) {
      stdoutLines_.push_back(stream.pending.substr(0, lineEnd));
      stream.pending.erase(0, lineEnd + 1);
    }
  }
  changed_.notify_all();
}

std::optional<std::string> AppProcess::waitForLine(const std::string& text, LineMatch match, Timeout timeout) {
  const auto matches = [&](const std::string& line) {
    return match == LineMatch::exact ? line == text : line.compare(0, text.size(), text) == 0;
  };
  std::unique_lock<std::mutex> lock(mutex_);
  std::optional<std::string> found;
  const auto findNext = [&] {
    for (size_t i = nextLine_; i < stdoutLines_.size(); ++i) {
      if (!matches(stdoutLines_[i])) continue;
      nextLine_ = i + 1;
      found = stdoutLines_[i];
      return true;
    }
    return out_.closed;
  };
  changed_.wait_for(lock, timeout, findNext);
  return found;
}

bool AppProcess::waitForStderr(const std::string& text, Timeout timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return stderrText_.find(text) != std::string::npos || err_.closed; }) &&
         stderrText_.find(text) != std::string::npos;
}

std::vector<std::string> AppProcess::stdoutLines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return stdoutLines_;
}

std::vector<std::string> AppProcess::stdoutTraceLines() const {
  std::vector<std::string> trace;
  for (const auto& line : stdoutLines()) {
    const bool noise = std::any_of(kJackNoisePrefixes.begin(), kJackNoisePrefixes.end(),
                                   [&](const std::string& prefix) { return line.rfind(prefix, 0) == 0; });
    if (!noise) trace.push_back(line);
  }
  return trace;
}

std::string AppProcess::stderrText() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return stderrText_;
}

bool AppProcess::stdoutEndedOnLineEnd() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !stdoutCut_;
}

void AppProcess::sendSignal(int signal) {
  // Once reaped, the number may already belong to another process.
  if (!exit_ && pid_ > 0) kill(pid_, signal);
}

bool AppProcess::reap(bool block) {
  if (exit_ || pid_ <= 0) return true;
  int status = 0;
  if (waitpid(pid_, &status, block ? 0 : WNOHANG) != pid_) return false;
  ExitStatus result;
  result.signalled = WIFSIGNALED(status);
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  exit_ = result;
  return true;
}

bool AppProcess::running() { return !reap(false); }

std::optional<ExitStatus> AppProcess::waitForExit(Timeout timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!reap(false)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollStep);
  }
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, kOutputDrainTimeout, [&] { return out_.closed && err_.closed; });
  return exit_;
}

void AppProcess::killAll() {
  // The group goes too: a shell or browser that the program started must not
  // outlive the test.
  kill(-pid_, SIGKILL);
  reap(true);
}

void AppProcess::joinReaders(Timeout timeout) {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return out_.closed && err_.closed; });
  }
  stopReading_ = true;
  for (Stream* stream : {&out_, &err_}) {
    if (stream->reader.joinable()) stream->reader.join();
    if (stream->fd >= 0) close(stream->fd);
    stream->fd = -1;
  }
}
