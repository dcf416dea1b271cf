// The program in a session, against a manager of the test's own: what it
// announces and from where, that its JACK client opens only after the open,
// what it answers, what it ignores, and how it gets past every manager that
// fails it.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "appProcess.h"
#include "jackPorts.h"
#include "oscManager.h"
#include "programOnServer.h"
#include "runEnvironment.h"
#include "startupLines.h"

namespace {

constexpr char kAnnounce[] = "/nsm/server/announce";
constexpr char kOpen[] = "/nsm/client/open";
constexpr char kSave[] = "/nsm/client/save";
// How long a message that must be ignored is given to show an effect.
constexpr auto kIgnoredWait = std::chrono::milliseconds(500);
// The program's bounds (docs/running.md), and room for a loaded machine.
constexpr auto kAnswerBound = std::chrono::seconds(2);
constexpr auto kOpenBound = std::chrono::seconds(5);
constexpr auto kStartRoom = std::chrono::seconds(6);
const std::string kWithoutSession = ": the program runs without a session";

// "ADDRESS:PORT" as /proc writes them (hexadecimal) of the process's UDP sockets.
std::vector<std::string> udpSocketsOf(pid_t pid) {
  const std::string proc = "/proc/" + std::to_string(pid);
  std::set<std::string> inodes;
  for (const auto& fd : std::filesystem::directory_iterator(proc + "/fd")) {
    std::error_code ignored;
    const std::string target = std::filesystem::read_symlink(fd, ignored).string();
    if (target.rfind("socket:[", 0) == 0) inodes.insert(target.substr(8, target.size() - 9));
  }
  std::vector<std::string> sockets;
  for (const char* table : {"/net/udp", "/net/udp6"}) {
    std::ifstream lines(proc + table);
    std::string line, local, field;
    std::getline(lines, line);
    while (lines >> field >> local) {
      for (int skipped = 0; skipped < 8; ++skipped) lines >> field;  // up to the inode
      if (inodes.count(field) != 0) sockets.push_back(local);
      std::getline(lines, line);
    }
  }
  return sockets;
}

std::vector<std::string> sessionLines(const AppProcess& app) {
  std::vector<std::string> lines;
  for (const auto& line : splitLines(app.stderrText()))
    if (line.find(kWithoutSession) != std::string::npos) lines.push_back(line);
  return lines;
}

void expectCleanEndOnSigterm(AppProcess& app) {
  app.sendSignal(SIGTERM);
  const auto status = app.waitForExit(std::chrono::seconds(1));
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exitedWith(0)) << *status;
}

TEST(SessionManager, AnnouncesOpensOnlyAfterTheOpenAnswersAndIgnoresStrangers) {
  XServer x;
  JackServer jack;
  OscManager manager, stranger;
  AppOptions options;
  options.environment = environmentOn(x, jack);
  options.environment.push_back("NSM_URL=" + manager.url());
  AppProcess app(options);

  const auto announce = manager.waitForMessage(kAnnounce);
  ASSERT_TRUE(announce) << app.stderrText();
  EXPECT_EQ(announce->types, "sssiii");
  EXPECT_EQ(announce->arguments,
            std::vector<std::string>({"Zelquor", ":switch:", "zelquor", "1", "1", std::to_string(app.pid())}));
  lo_address program = lo_address_new_from_url(announce->sender.c_str());
  char port[8];
  std::snprintf(port, sizeof port, "%04X", std::atoi(lo_address_get_port(program)));
  // Announced from the one socket it listens on, bound to the loopback.
  EXPECT_EQ(udpSocketsOf(app.pid()), std::vector<std::string>({"0100007F:" + std::string(port)}));

  lo_send_from(program, stranger.server(), LO_TT_IMMEDIATE, kOpen, "sss", "/tmp/s/zelquor", "Zelquor", "nZELQ");
  lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, kOpen, "ssi", "/tmp/s/zelquor", "Zelquor", 7);
  lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, "/reply", "ssss", kAnnounce, "Hello", "Manager", "");
  std::this_thread::sleep_for(kIgnoredWait);
  EXPECT_TRUE(portsOfClient(listPorts(jack), kProgramClientName).empty()) << "JACK client opened before the open";

  lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, kOpen, "sss", "/tmp/s/zelquor", "Zelquor", "nZELQ");
  const auto opened = manager.waitForMessage("/reply");
  ASSERT_TRUE(opened) << app.stderrText();
  EXPECT_EQ(opened->types, "ss");
  EXPECT_EQ(opened->arguments, std::vector<std::string>({kOpen, "Zelquor is ready"}));
  // Answered once its ports can be connected.
  EXPECT_EQ(portsOfClient(listPorts(jack), kProgramClientName).size(), 2u * kChannelTotal);
  EXPECT_TRUE(holdsLine(app.stdoutTraceLines(), kRunningLine));

  lo_send_from(program, stranger.server(), LO_TT_IMMEDIATE, kSave, "");
  lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, kSave, "s", "now");
  lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, kSave, "");
  const auto saved = manager.waitForMessage("/reply");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->arguments.front(), kSave);
  EXPECT_FALSE(manager.waitForMessage("/reply", kIgnoredWait)) << "one answer for one save";
  EXPECT_FALSE(stranger.waitForMessage("/reply", kIgnoredWait));
  lo_address_free(program);
  expectCleanEndOnSigterm(app);
  EXPECT_TRUE(sessionLines(app).empty()) << app.stderrText();
}

enum class managerDoes { nothing, hearsNothing, refuses, answersOnly };

struct fault {
  const char* name;
  std::string url;  // empty: the test's manager's; "-": no NSM_URL
  managerDoes does;
  std::string line;  // how stderr's line starts; empty: no line
  std::chrono::milliseconds atLeast;
};

// Each manager that fails the program, and none at all: one line that says
// what happened, then a start as without a session in a bounded time.
TEST(SessionManager, GetsPastEveryManagerThatFailsIt) {
  XServer x;
  const std::string dead = OscManager().url();  // a port where nothing listens any more
  const std::vector<fault> faults = {
      {"no NSM_URL", "-", managerDoes::nothing, "", {}},
      {"malformed",
       "osc.udp:127.0.0.1",
       managerDoes::nothing,
       "zelquor: NSM_URL \"osc.udp:127.0.0.1\" is not a session manager's OSC address over UDP",
       {}},
      {"unknown host",
       "osc.udp://no-such-host.invalid:1234/",
       managerDoes::nothing,
       "zelquor: the session manager at osc.udp://no-such-host.invalid:1234/ cannot be reached",
       {}},
      {"dead", dead, managerDoes::nothing, "zelquor: the session manager did not answer within 2 s", kAnswerBound},
      {"silent", "", managerDoes::hearsNothing, "zelquor: the session manager did not answer within 2 s", kAnswerBound},
      {"refusing", "", managerDoes::refuses, "zelquor: the session manager refused the program (No session open)", {}},
      {"no open", "", managerDoes::answersOnly, "zelquor: the session manager sent no open within 5 s", kOpenBound},
  };
  for (const fault& row : faults) {
    SCOPED_TRACE(row.name);
    OscManager manager;
    AppOptions options;
    options.environment = environmentWithoutJack(x);
    if (row.url != "-") options.environment.push_back("NSM_URL=" + (row.url.empty() ? manager.url() : row.url));
    const auto started = std::chrono::steady_clock::now();
    AppProcess app(options);
    if (row.does != managerDoes::nothing) {
      const auto announce = manager.waitForMessage(kAnnounce);
      ASSERT_TRUE(announce);
      lo_address program = lo_address_new_from_url(announce->sender.c_str());
      if (row.does == managerDoes::refuses)
        lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, "/error", "sis", kAnnounce, -5, "No session open");
      if (row.does == managerDoes::answersOnly)
        lo_send_from(program, manager.server(), LO_TT_IMMEDIATE, "/reply", "ssss", kAnnounce, "Hello", "Manager", "");
      lo_address_free(program);
    }
    ASSERT_TRUE(app.waitForLine(kStoppedLine, LineMatch::exact, row.atLeast + kStartRoom)) << app.stderrText();
    EXPECT_GE(std::chrono::steady_clock::now() - started, row.atLeast);
    const auto lines = sessionLines(app);
    ASSERT_EQ(lines.size(), row.line.empty() ? 0u : 1u) << app.stderrText();
    if (row.line.empty()) EXPECT_TRUE(udpSocketsOf(app.pid()).empty()) << "a socket without a session";
    else EXPECT_EQ(lines.front().substr(0, row.line.size()), row.line);
    expectCleanEndOnSigterm(app);
  }
}

}  // namespace
