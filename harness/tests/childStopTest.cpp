// The harness's servers are ended through stopChild: one that heeds the
// signal ends by it, one that ignores it is killed after the grace, and
// neither is left behind unreaped.
#include "childStop.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace {

using namespace std::chrono_literals;

// Starts sh with the script and returns once it has written its first
// line, so that whatever it set up before is in place.
pid_t startChild(const std::string& script) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char first = 0;
  (void)!read(fds[0], &first, 1);
  close(fds[0]);
  return pid;
}

bool reaped(pid_t pid) {
  errno = 0;
  return waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(ChildStop, TheSignalEndsAChildThatHeedsItAndAKillOneThatDoesNot) {
  const pid_t heeding = startChild("echo; exec sleep 30");
  ASSERT_GT(heeding, 0);
  EXPECT_TRUE(stopChild(heeding, SIGTERM, 10s));
  EXPECT_TRUE(reaped(heeding));
  const pid_t deaf = startChild("trap '' TERM; echo; while :; do sleep 0.05; done");
  ASSERT_GT(deaf, 0);
  EXPECT_FALSE(stopChild(deaf, SIGTERM, 300ms));
  EXPECT_TRUE(reaped(deaf));
}

}  // namespace
