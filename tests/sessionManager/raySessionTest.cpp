// The installed command in a RaySession session, driven from the shell as
// a studio's session is, on jackd or on PipeWire's JACK layer (the build
// chooses): the program reaches the ready state, its 126 connections are
// kept by the session's connection saver, a close ends it cleanly and
// leaves nothing of it on the server, and a reopen brings it back with them.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <jack/metadata.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "channelClient.h"
#include "programOnServer.h"
#include "scratchFolder.h"
#include "startupLines.h"

namespace {

constexpr int kChannels = kChannelTotal;
constexpr auto kConnectionsBack = std::chrono::seconds(30);
// Each of ray_control's waits, bounded: a close kills what is left after 30 s.
constexpr char kRayBound[] = "timeout 90 ";
const std::string kSessionName = "studio";

struct commandRun {
  int status;
  std::string output;
};

commandRun runShell(const std::string& command) {
  commandRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 256> chunk{};
  while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) run.output += chunk.data();
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  while (!run.output.empty() && run.output.back() == '\n') run.output.pop_back();
  return run;
}

int noProcessing(jack_nframes_t, void*) { return 0; }

std::string readFile(const std::string& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class RaySession : public testing::Test {
 protected:
  void SetUp() override {
    if (std::string(ZELQUOR_SESSION_MANAGER) == "-") GTEST_SKIP() << "this Debian release packages no session manager";
    ASSERT_EQ(runShell("command -v ray_control >/dev/null").status, 0)
        << "ray_control is missing: scripts/installDependencies test installs " ZELQUOR_SESSION_MANAGER;
    ASSERT_EQ(
        runShell("cmake --install '" ZELQUOR_BUILD_DIR "' --prefix '" + folder_.path() + "/prefix' >/dev/null").status,
        0);
    writeRecordingCommand();
    useServers();
    const commandRun started = runShell(std::string(kRayBound) + "ray_control start_new_hidden");
    ASSERT_EQ(started.status, 0) << started.output;
    port_ = started.output;
  }

  void TearDown() override {
    if (!port_.empty()) ray("quit");
  }

  // The command the session starts: the installed one, its output and its
  // end written down for the test; it passes the manager's SIGTERM on.
  void writeRecordingCommand() {
    const std::string bin = folder_.path() + "/bin", at = "'" + folder_.path() + "/";
    mkdir(bin.c_str(), 0755);
    std::ofstream(bin + "/zelquor") << "#!/bin/sh\n"
                                    << at << "prefix/bin/zelquor' >>" << at << "trace' 2>>" << at
                                    << "errors' &\nchild=$!\ntrap 'kill -s TERM $child' TERM\nwait $child\nstatus=$?\n"
                                    << "while kill -0 $child 2>/dev/null; do wait $child; status=$?; done\n"
                                    << "echo $status >>" << at << "statuses'\n";
    chmod((bin + "/zelquor").c_str(), 0755);
  }

  // The daemon, the program and this test's clients all take this
  // process's environment.
  void useServers() {
#ifdef ZELQUOR_ON_PIPEWIRE
    pipewire_ = std::make_unique<PipewireServer>();
    pipewire_->useInThisProcess();
#else
    jack_ = std::make_unique<JackServer>();
    jack_->useInThisProcess();
#endif
    const std::string home = folder_.path() + "/home";
    mkdir(home.c_str(), 0755);
    setenv("HOME", home.c_str(), 1);
    // The daemon remembers, in its configuration, clients that never announced.
    setenv("XDG_CONFIG_HOME", (folder_.path() + "/config").c_str(), 1);
    setenv("USER", std::getenv("USER") != nullptr ? std::getenv("USER") : "root", 1);
    setenv("PATH", (folder_.path() + "/bin:" + std::getenv("PATH")).c_str(), 1);
    setenv("DISPLAY", x_.displayName().c_str(), 1);
    unsetenv("NSM_URL");
  }

  commandRun ray(const std::string& arguments) {
    return runShell(std::string(kRayBound) + "ray_control --port " + port_ + " " + arguments + " 2>&1");
  }

  std::vector<std::string> statuses() const { return splitLines(readFile(folder_.path() + "/statuses")); }
  std::string trace() const { return readFile(folder_.path() + "/trace"); }
  std::string errors() const { return readFile(folder_.path() + "/errors"); }

  XServer x_;
  ScratchFolder folder_{"zelquorRaySession"};
  std::unique_ptr<JackServer> jack_;
  std::unique_ptr<PipewireServer> pipewire_;
  std::string port_;
};

// "zelquors:in_k" fed by the source's play_k and "zelquors:out_k" feeding
// the sink's take_k, for every k.
int keptConnections(jack_client_t* client) {
  int kept = 0;
  for (int k = 0; k < kChannels; ++k) {
    const std::string n = std::to_string(k);
    const std::string in = kProgramClientName + ":in_" + n, out = kProgramClientName + ":out_" + n;
    jack_port_t* input = jack_port_by_name(client, in.c_str());
    jack_port_t* output = jack_port_by_name(client, out.c_str());
    kept += input != nullptr && jack_port_connected_to(input, ("studioSource:play_" + n).c_str());
    kept += output != nullptr && jack_port_connected_to(output, ("studioSink:take_" + n).c_str());
  }
  return kept;
}

// The connections kept once they all are, or at the time limit: a server
// may make a connection it has accepted a moment later (PipeWire's links).
int connectionsOnceKept(jack_client_t* client, Timeout limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (keptConnections(client) < 2 * kChannels && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return keptConnections(client);
}

int programPorts(jack_client_t* client) {
  const char** ports = jack_get_ports(client, ("^" + kProgramClientName + ":").c_str(), nullptr, 0);
  int count = 0;
  while (ports != nullptr && ports[count] != nullptr) ++count;
  jack_free(ports);
  return count;
}

// Every property of the server, with its subject. All servers of a user
// share one store, which keeps what killed clients left: only what the
// program adds counts.
std::set<std::string> allProperties() {
  jack_description_t* descriptions = nullptr;
  const int subjects = jack_get_all_properties(&descriptions);
  std::set<std::string> properties;
  for (int s = 0; s < subjects; ++s) {
    for (uint32_t p = 0; p < descriptions[s].property_cnt; ++p)
      properties.insert(std::to_string(descriptions[s].subject) + " " + descriptions[s].properties[p].key + " " +
                        descriptions[s].properties[p].data);
    jack_free_description(&descriptions[s], 0);
  }
  jack_free(descriptions);
  return properties;
}

TEST_F(RaySession, ReadyConnectedClosedCleanAndBackWithItsConnections) {
  ASSERT_EQ(ray("change_root '" + folder_.path() + "/sessions'").status, 0);
  const commandRun made = ray("new_session " + kSessionName);
  ASSERT_EQ(made.status, 0) << made.output;
  ASSERT_EQ(ray("add_executable ray-jackpatch").status, 0);
  const commandRun added = ray("add_executable zelquor not_start");
  ASSERT_EQ(added.status, 0) << added.output;
  const std::set<std::string> before = allProperties();
  const commandRun opened = ray("client " + added.output + " open");
  ASSERT_EQ(opened.status, 0) << opened.output << "\n" << errors();

  ChannelClient source("the session's source", "studioSource", "play_", "unused_");
  ChannelClient sink("the session's sink", "studioSink", "unused_", "take_");
  source.start(noProcessing, nullptr);
  sink.start(noProcessing, nullptr);
  for (int k = 0; k < kChannels; ++k) {
    const std::string n = std::to_string(k);
    ASSERT_EQ(
        jack_connect(source.client(), ("studioSource:play_" + n).c_str(), (kProgramClientName + ":in_" + n).c_str()),
        0);
    ASSERT_EQ(jack_connect(sink.client(), (kProgramClientName + ":out_" + n).c_str(), ("studioSink:take_" + n).c_str()),
              0);
  }
  ASSERT_EQ(connectionsOnceKept(source.client(), kDefaultTimeout), 2 * kChannels);

  ASSERT_EQ(ray("save").status, 0);
  ASSERT_EQ(ray("close").status, 0);
  EXPECT_EQ(statuses(), std::vector<std::string>({"0"})) << errors();
  EXPECT_EQ(linesStartingWith(splitLines(trace()), kRunningPrefix),
            std::vector<std::string>({kRunningLine, kStoppedLine, kStoppedLine}));
  EXPECT_EQ(programPorts(source.client()), 0) << "ports left after the close";
  const std::set<std::string> after = allProperties();
  EXPECT_TRUE(std::includes(before.begin(), before.end(), after.begin(), after.end())) << "properties left";

  const commandRun reopened = ray("open_session " + kSessionName);
  ASSERT_EQ(reopened.status, 0) << reopened.output;
  EXPECT_EQ(connectionsOnceKept(source.client(), kConnectionsBack), 2 * kChannels) << errors();
  ASSERT_EQ(ray("close").status, 0);
  EXPECT_EQ(statuses(), std::vector<std::string>({"0", "0"})) << errors();
  EXPECT_EQ(errors().find(": the program runs without a session"), std::string::npos) << errors();
}

}  // namespace
