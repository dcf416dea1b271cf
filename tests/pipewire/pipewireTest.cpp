// The program on a private PipeWire daemon with its session manager, reached
// through PipeWire's JACK layer as on today's desktops: its ports and gains
// at several quanta, its end when the daemon stops under it, and scripts/run
// choosing PipeWire when no JACK server answers.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <signal.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "appProcess.h"
#include "jackProbe.h"
#include "outsideCommands.h"
#include "pipewireServer.h"
#include "pointerSweep.h"
#include "scratchFolder.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

const std::string kClient = kProgramClientName;
constexpr int kPortCount = 2 * JackProbe::kChannels;
constexpr Timeout kStartTimeout = std::chrono::seconds(30);
// The script checks the build before it starts the program.
constexpr Timeout kScriptStartTimeout = std::chrono::seconds(120);
// The daemon gone, the program must end within this.
constexpr Timeout kEndBound = std::chrono::seconds(5);
constexpr int kSettleCycles = 8;

// A press at a point and the gain the law gives its pad (and channel).
struct press {
  int pad, x, y;
  float gain;
};
const press kPresses[] = {
    {0, 67, 73, 1.003f},    // pad 0's centre: the top gain
    {9, 215, 231, 0.153f},  // 50 pixels from pad 9's centre
    {2, 261, 115, 0.017f},  // 58 pixels from pad 2's centre: the floor
};
const int kQuanta[] = {0, 64, 1024};  // 0: the daemon's own

// Every line that the program can write while only the pointer moves.
const std::regex kMoveTimeLine("mouse [xy]: -?[0-9]+|" + kRunningPrefix +
                               "[01]|The (sample rate|buffer size) is now [0-9]+/sec");

class OnPipewire : public testing::Test {
 protected:
  OnPipewire() { pipewire_.useInThisProcess(); }

  std::vector<std::string> environment() const {
    std::vector<std::string> entries = pipewire_.environment();
    entries.push_back(x_.displayEntry());
    return entries;
  }

  // The program through pw-jack, once its engine runs.
  std::unique_ptr<AppProcess> startProgram() {
    AppOptions options;
    options.program = "pw-jack";
    options.arguments = {zelquorExecutable()};
    options.environment = environment();
    auto app = std::make_unique<AppProcess>(options);
    EXPECT_TRUE(app->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
    return app;
  }

  std::unique_ptr<XWindow> findWindow() const {
    auto window = XWindow::awaitTitled(x_.displayName(), kWindowTitle);
    if (!window) ADD_FAILURE() << "no window";
    return window;
  }

  static std::vector<std::string> programPorts(const JackProbe& probe) {
    std::vector<std::string> names;
    const char** ports = jack_get_ports(probe.client(), ("^" + kClient + ":").c_str(), nullptr, 0);
    for (int i = 0; ports != nullptr && ports[i] != nullptr; ++i) names.push_back(ports[i]);
    jack_free(ports);
    return names;
  }

  static void closeAndExpectCleanEnd(const XWindow& window, AppProcess& app) {
    window.requestClose();
    const auto status = app.waitForExit();
    ASSERT_TRUE(status) << "still running after the close";
    EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app.stderrText();
  }

  XServer x_;
  PipewireServer pipewire_;
};

void expectGains(const std::array<float, JackProbe::kChannels>& heard, int quantum) {
  std::map<int, float> expected;
  for (const press& p : kPresses) expected[p.pad] = p.gain;
  for (int channel = 0; channel < JackProbe::kChannels; ++channel)
    EXPECT_FLOAT_EQ(heard[channel], expected.count(channel) ? expected[channel] : 0.0f)
        << "channel " << channel << " at quantum " << quantum;
}

bool reachesQuantum(const JackProbe& probe, int frames) {
  const auto deadline = std::chrono::steady_clock::now() + kDefaultTimeout;
  while (jack_get_buffer_size(probe.client()) != static_cast<jack_nframes_t>(frames)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

TEST_F(OnPipewire, PortsUnconnectedAndGainsHeardAtEveryQuantum) {
  const auto app = startProgram();
  const auto window = findWindow();
  ASSERT_TRUE(window);
  JackProbe probe;
  const auto ports = programPorts(probe);
  EXPECT_EQ(ports.size(), static_cast<size_t>(kPortCount));
  for (const std::string& port : ports) EXPECT_TRUE(probe.connectionsOf(port).empty()) << port;

  probe.connectTo(kClient);
  for (const press& p : kPresses) {
    window->moveMouse(p.x, p.y);
    window->click();
    ASSERT_TRUE(app->waitForLine("end drag")) << "press at " << p.x << "," << p.y;
  }
  for (const int quantum : kQuanta) {
    pipewire_.forceQuantum(quantum);
    if (quantum != 0) {
      ASSERT_TRUE(reachesQuantum(probe, quantum)) << "quantum " << quantum << " not reached";
    }
    // Measured once the sound is back at this quantum: PipeWire's JACK layer
    // can carry silence for a while after the change.
    const jack_nframes_t frames = jack_get_buffer_size(probe.client());
    ASSERT_TRUE(probe.waitForSignal(frames, kSettleCycles)) << "no sound back at quantum " << quantum;
    expectGains(probe.heardGains(), quantum);
  }
  pipewire_.forceQuantum(0);
  closeAndExpectCleanEnd(*window, *app);
}

// Each port of the program as pw-dump shows it: its name, its port.alias and
// the pretty-name that the "default" metadata holds for it, tab-separated.
const std::string kPortsInDump = "client = \"" + kClient + "\"" + R"(
import json, subprocess
objects = json.loads(subprocess.run(["pw-dump"], capture_output=True, check=True).stdout)
props = {o["id"]: o["info"]["props"] for o in objects if "props" in (o.get("info") or {})}
node = [i for i, p in props.items() if p.get("node.name") == client and "port.name" not in p][0]
pretty = {m["subject"]: m["value"] for o in objects for m in o.get("metadata") or [] if m["key"].endswith("/pretty-name")}
for i, p in props.items():
    if p.get("node.id") == node and "port.name" in p:
        print(p["port.name"], p.get("port.alias", ""), pretty.get(i, ""), sep="\t")
)";

// What a graph tool shows of all 126 ports names their pads.
TEST_F(OnPipewire, PortsNameTheirPadsInTheGraph) {
  requireCommand("pw-dump");
  const auto app = startProgram();
  AppOptions options;
  options.program = "python3";
  options.arguments = {"-c", kPortsInDump};
  options.environment = environment();
  AppProcess dump(options);
  ASSERT_TRUE(dump.waitForExit()) << dump.stderrText();

  const std::vector<std::string> lines = dump.stdoutLines();
  ASSERT_EQ(lines.size(), size_t(kPortCount)) << dump.stderrText();
  const std::set<std::string> shown(lines.begin(), lines.end());
  for (const std::string direction : {"in", "out"})
    for (int k = 0; k < JackProbe::kChannels; ++k) {
      const std::string port = direction + "_" + std::to_string(k);
      const std::string pad = padsPortName(k, direction);
      // PipeWire 0.3's JACK layer gives every port an alias of its own,
      // client:port, and refuses another in its place.
      EXPECT_TRUE(shown.count(port + "\t" + pad + "\t" + pad) ||
                  shown.count(port + "\t" + kClient + ":" + port + "\t" + pad))
          << port << " shows as none of its pads";
    }
}

TEST_F(OnPipewire, DaemonStoppedEndsTheProgramWithAReasonOnAWholeLine) {
  const auto app = startProgram();
  const auto window = findWindow();
  ASSERT_TRUE(window);
  const auto sweep = sweepPointer(x_, *window);
  ASSERT_TRUE(app->waitForLine("mouse x: ", LineMatch::prefix));

  pipewire_.stopDaemon(SIGTERM);
  const auto status = app->waitForExit(kEndBound);
  ASSERT_TRUE(status) << "still running " << kEndBound.count() << " ms after the daemon stopped";
  EXPECT_TRUE(status->exitedWith(1)) << *status;
  EXPECT_FALSE(lastLineOf(app->stderrText()).empty()) << "no reason on standard error";
  EXPECT_TRUE(app->stdoutEndedOnLineEnd()) << "cut line: \"" << app->stdoutLines().back() << "\"";
  const auto lines = app->stdoutLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(std::regex_match(lines.back(), kMoveTimeLine)) << "last line \"" << lines.back() << "\"";
}

TEST_F(OnPipewire, RunScriptUsesPipewireWhenNoJackServerAnswers) {
  const std::string program = zelquorExecutable();
  AppOptions options;
  options.program = projectRoot() + "/scripts/run";
  options.environment = environment();
  // The script runs what it builds in <build root>/build: a scratch build
  // root whose build folder is this build, whatever its name.
  const ScratchFolder buildRoot("zelquorRun");
  std::filesystem::create_directory_symlink(program.substr(0, program.rfind('/')), buildRoot.path() + "/build");
  options.environment.push_back("ZELQUOR_BUILD_ROOT=" + buildRoot.path());
  // Not through this test's own pw-jack: the script must find PipeWire itself.
  options.environment.push_back("LD_LIBRARY_PATH=");
  AppProcess run(options);
  ASSERT_TRUE(run.waitForLine(kRunningLine, LineMatch::exact, kScriptStartTimeout)) << run.stderrText();
  EXPECT_NE(run.stderrText().find("on PipeWire"), std::string::npos) << run.stderrText();
  const auto window = findWindow();
  ASSERT_TRUE(window);
  JackProbe probe;
  EXPECT_EQ(programPorts(probe).size(), static_cast<size_t>(kPortCount)) << "the program is not on the daemon";
  closeAndExpectCleanEnd(*window, run);
}

}  // namespace
