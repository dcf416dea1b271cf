// The harness against the real program: it starts under a private X server
// and JACK server, is found on that JACK server, and ends on SIGTERM; and it
// starts when no JACK server answers at all.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "appProcess.h"
#include "boardFacts.h"
#include "jackServer.h"
#include "xServer.h"

namespace {

// Ports of the named JACK server, listed by a client of its own.
std::vector<std::string> portsOn(const JackServer& jack) {
  AppOptions options;
  options.program = "jack_lsp";
  options.arguments = {"-s", jack.name()};
  options.environment = {JackServer::noStartEntry()};
  AppProcess lister(options);
  EXPECT_TRUE(lister.waitForExit());
  return lister.stdoutLines();
}

bool contains(const std::vector<std::string>& lines, const std::string& wanted) {
  for (const auto& line : lines)
    if (line == wanted) return true;
  return false;
}

// SIGTERM ends the program as a close of its window does: the trace so far,
// then the stopped engine's line twice, and status 0.
void expectEndsOnSigterm(AppProcess& app, std::vector<std::string> traceSoFar) {
  app.sendSignal(SIGTERM);
  const auto status = app.waitForExit();
  ASSERT_TRUE(status) << "still running after SIGTERM";
  EXPECT_TRUE(status->exitedWith(0)) << *status;
  traceSoFar.insert(traceSoFar.end(), 2, kStoppedLine);
  EXPECT_EQ(app.stdoutTraceLines(), traceSoFar);
}

TEST(EngineStartStop, RunsOnThePrivateJackServerAndEndsOnSigterm) {
  XServer x;
  JackServer jack;
  AppOptions options;
  options.environment = {x.displayEntry(), jack.defaultServerEntry(), JackServer::noStartEntry()};
  AppProcess app(options);

  ASSERT_TRUE(app.waitForLine(kRunningLine)) << app.stderrText();
  const auto ports = portsOn(jack);
  const std::string ours = kProgramClientName + ":";
  EXPECT_TRUE(contains(ports, ours + "in_0"));
  EXPECT_TRUE(contains(ports, ours + "in_62"));
  EXPECT_TRUE(contains(ports, ours + "out_62"));
  EXPECT_FALSE(contains(ports, ours + "in_63"));
  EXPECT_EQ(app.stderrText().find("JACK server not running"), std::string::npos);

  // The engine lists the dummy backend's two capture and two playback ports
  // while it opens its client, before anything else.
  expectEndsOnSigterm(app, {
                               "physical input system:capture_1",
                               "physical input system:capture_2",
                               "physical output system:playback_1",
                               "physical output system:playback_2",
                               kRunningLine,
                           });
}

TEST(EngineStartStop, RunsWithoutSoundWhenNoJackServerAnswers) {
  XServer x;
  AppOptions options;
  options.environment = absentJackServerEntries();
  options.environment.push_back(x.displayEntry());
  AppProcess app(options);

  EXPECT_TRUE(app.waitForStderr("JACK server not running ?"));
  ASSERT_TRUE(app.waitForLine(kStoppedLine)) << app.stderrText();
  EXPECT_TRUE(app.running());
  expectEndsOnSigterm(app, {kStoppedLine});
}

}  // namespace
