// The process control of the harness, checked with small shell programs whose
// behaviour is known exactly.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "appProcess.h"

namespace {

using namespace std::chrono_literals;

AppOptions shell(const std::string& script) {
  AppOptions options;
  options.program = "sh";
  options.arguments = {"-c", script};
  return options;
}

// A process that has ended but not yet been reaped by whoever adopted it
// counts as gone.
bool gone(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string skip, state;
  if (!(stat >> skip >> skip >> state)) return true;
  return state == "Z" || state == "X";
}

bool goneWithin(pid_t pid, std::chrono::milliseconds within) {
  const auto deadline = std::chrono::steady_clock::now() + within;
  while (!gone(pid)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

TEST(AppProcess, CapturesOutputLinesErrorTextAndExitCode) {
  AppProcess app(shell("echo first; echo oops >&2; echo second; printf unterminated; exit 3"));
  const auto status = app.waitForExit();
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exitedWith(3)) << *status;
  EXPECT_EQ(app.stdoutLines(), (std::vector<std::string>{"first", "second", "unterminated"}));
  EXPECT_EQ(app.stderrText(), "oops\n");
}

TEST(AppProcess, WaitsForLinesInOrderByExactTextOrPrefix) {
  AppProcess app(shell("echo pad=12; sleep 0.2; echo pad=1; echo pad=1; echo end"));
  EXPECT_EQ(app.waitForLine("pad=", LineMatch::prefix), "pad=12");
  EXPECT_EQ(app.waitForLine("pad=1"), "pad=1");
  EXPECT_EQ(app.waitForLine("pad=1"), "pad=1") << "the second pad=1 must be found after the first";
  EXPECT_EQ(app.waitForLine("end"), "end");
  EXPECT_EQ(app.waitForLine("pad=12"), std::nullopt) << "lines already matched past are not found again";
}

TEST(AppProcess, LineWaitGivesUpOnTimeoutAndWhenOutputEnds) {
  AppProcess silent(shell("sleep 30"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(silent.waitForLine("never", LineMatch::exact, 300ms), std::nullopt);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);

  AppProcess ended(shell("echo only"));
  EXPECT_EQ(ended.waitForLine("never", LineMatch::exact, 30s), std::nullopt);
  EXPECT_TRUE(ended.waitForExit());
}

TEST(AppProcess, WaitsForErrorText) {
  AppProcess app(shell("sleep 0.2; echo 'JACK server not running ?' >&2; sleep 30"));
  EXPECT_TRUE(app.waitForStderr("not running"));
  EXPECT_FALSE(app.waitForStderr("absent text", 200ms));
}

TEST(AppProcess, TraceLinesLeaveOutJackLibraryReports) {
  AppProcess app(shell(
      "echo 'The sample rate is now 48000/sec'; echo pad=3; echo 'The buffer size is now 256/sec'; echo end drag"));
  ASSERT_TRUE(app.waitForExit());
  EXPECT_EQ(app.stdoutLines().size(), 4u);
  EXPECT_EQ(app.stdoutTraceLines(), (std::vector<std::string>{"pad=3", "end drag"}));
}

TEST(AppProcess, ReportsSignalsAndStopsOnRequest) {
  AppProcess selfKilled(shell("kill -KILL $$"));
  const auto killed = selfKilled.waitForExit();
  ASSERT_TRUE(killed);
  EXPECT_TRUE(killed->killedBy(SIGKILL)) << *killed;

  AppProcess sleeper(shell("exec sleep 30"));
  EXPECT_TRUE(sleeper.running());
  EXPECT_EQ(sleeper.waitForExit(100ms), std::nullopt);
  sleeper.sendSignal(SIGTERM);
  const auto terminated = sleeper.waitForExit();
  ASSERT_TRUE(terminated);
  EXPECT_TRUE(terminated->killedBy(SIGTERM)) << *terminated;
  EXPECT_FALSE(sleeper.running());
}

TEST(AppProcess, DestructionEndsTheProgramAndWhatItStarted) {
  pid_t program = -1, grandChild = -1;
  {
    AppProcess app(shell("sleep 300 & echo $!; wait"));
    const auto line = app.waitForLine("", LineMatch::prefix);
    ASSERT_TRUE(line);
    program = app.pid();
    grandChild = std::stoi(*line);
  }
  EXPECT_TRUE(goneWithin(program, 5s));
  EXPECT_TRUE(goneWithin(grandChild, 5s));
}

TEST(AppProcess, ChildSeesOnlyTheGivenDisplayAndJackServer) {
  setenv("DISPLAY", ":4242", 1);
  setenv("JACK_DEFAULT_SERVER", "usersServer", 1);
  AppOptions options = shell("echo \"[$DISPLAY][$JACK_DEFAULT_SERVER][$JACK_NO_START_SERVER][$HOME]\"");
  AppProcess without(options);
  options.environment = {"DISPLAY=:93", "JACK_DEFAULT_SERVER=private", "JACK_NO_START_SERVER=1"};
  AppProcess with(options);
  unsetenv("DISPLAY");
  unsetenv("JACK_DEFAULT_SERVER");
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  EXPECT_EQ(without.waitForLine("[", LineMatch::prefix), "[][][][" + home + "]");
  EXPECT_EQ(with.waitForLine("[", LineMatch::prefix), "[:93][private][1][" + home + "]");
}

TEST(AppProcess, RunsInTheProjectRootByDefaultOrInTheGivenFolder) {
  AppProcess byDefault(shell("pwd -P"));
  char* root = realpath(projectRoot().c_str(), nullptr);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(byDefault.waitForLine("/", LineMatch::prefix), std::string(root));
  free(root);

  AppOptions options = shell("pwd -P");
  options.workingDirectory = "/tmp";
  AppProcess inTmp(options);
  EXPECT_EQ(inTmp.waitForLine("/", LineMatch::prefix), "/tmp");
}

TEST(AppProcess, RefusesWhatCannotBeStarted) {
  AppOptions missingProgram;
  missingProgram.program = "/nonexistent/zelquorNoSuchProgram";
  EXPECT_THROW(AppProcess{missingProgram}, std::runtime_error);

  AppOptions missingFolder = shell("true");
  missingFolder.workingDirectory = "/nonexistent/zelquorNoSuchFolder";
  EXPECT_THROW(AppProcess{missingFolder}, std::runtime_error);
}

}  // namespace
