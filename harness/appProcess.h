// A program run by a test as a child process, with its standard output and
// standard error captured line by line, and never left running afterwards.
#ifndef ZELQUOR_HARNESS_APP_PROCESS_H
#define ZELQUOR_HARNESS_APP_PROCESS_H

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

using Timeout = std::chrono::milliseconds;
constexpr Timeout kDefaultTimeout = std::chrono::seconds(10);

// The program built from this tree and the folder it expects as its working
// directory (it reads ./images/ from there).
std::string zelquorExecutable();
std::string projectRoot();

// Environment entries that point a child at a JACK server that does not
// exist, with no server started on its behalf.
std::vector<std::string> absentJackServerEntries();

struct AppOptions {
  std::string program = zelquorExecutable();
  std::vector<std::string> arguments;
  std::string workingDirectory = projectRoot();
  // "NAME=value" entries. The child inherits this process's environment less
  // the variables that choose a display or a JACK server, so that only these
  // entries decide which X server and which JACK server it talks to.
  std::vector<std::string> environment;
};

struct ExitStatus {
  bool signalled = false;
  int code = 0;    // exit code when the program exited
  int signal = 0;  // signal number when it was killed by one

  bool exitedWith(int expected) const { return !signalled && code == expected; }
  bool killedBy(int expected) const { return signalled && signal == expected; }
};
std::ostream& operator<<(std::ostream& out, const ExitStatus& status);

enum class LineMatch { exact, prefix };

class AppProcess {
 public:
  // Starts the program at once; throws when it cannot be started at all.
  explicit AppProcess(AppOptions options = AppOptions());
  // Kills the program (and whatever it started) if it is still running.
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  pid_t pid() const { return pid_; }

  // Waits for the next standard output line, after the one that the previous
  // call matched, that equals the text (or starts with it). Returns the whole
  // line, or nothing when the time ran out or the output ended first.
  std::optional<std::string> waitForLine(const std::string& text, LineMatch match = LineMatch::exact,
                                         Timeout timeout = kDefaultTimeout);
  // Waits until standard error holds the text somewhere.
  bool waitForStderr(const std::string& text, Timeout timeout = kDefaultTimeout);

  std::vector<std::string> stdoutLines() const;
  // The output lines less those that the JACK library writes whenever the
  // server reports its sample rate or buffer size.
  std::vector<std::string> stdoutTraceLines() const;
  std::string stderrText() const;
  // True when standard output closed on a line end (or held nothing).
  bool stdoutEndedOnLineEnd() const;

  // Sends a signal to the program itself (not to what it started).
  void sendSignal(int signal);
  // Waits for the program to end, then for the end of its output. Nothing
  // when it is still running once the time is up.
  std::optional<ExitStatus> waitForExit(Timeout timeout = kDefaultTimeout);
  bool running();

 private:
  struct Stream {
    int fd = -1;
    std::string pending;
    bool closed = false;
    std::thread reader;
  };

  void readStream(Stream& stream, bool isStdout);
  void takeChunk(Stream& stream, bool isStdout, const char* data, size_t size);
  bool reap(bool block);
  void killAll();
  void joinReaders(Timeout timeout);

  pid_t pid_ = -1;
  std::optional<ExitStatus> exit_;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> stdoutLines_;
  std::string stderrText_;
  size_t nextLine_ = 0;
  bool stdoutCut_ = false;
  std::atomic<bool> stopReading_{false};
  Stream out_;
  Stream err_;
};

#endif
