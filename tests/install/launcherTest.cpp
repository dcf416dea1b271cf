// The installed command chooses the audio server as a user's system offers
// it, with real servers: a JACK server that answers, PipeWire alone (through
// its JACK layer), neither (no sound, and the user is told why; sockets that
// a server left behind answer nothing), and JACK's own server start-up that a
// user configured, whose output stays out of the trace. It waits for the
// program: signals are passed on, the end is the program's, and a failed end
// is notified with the last line of standard error.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "appProcess.h"
#include "jackProbe.h"
#include "jackServer.h"
#include "pipewireServer.h"
#include "scratchFolder.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

constexpr Timeout kStartTimeout = std::chrono::seconds(30);
constexpr int kPortCount = 2 * kChannelTotal;
// What the launcher writes before it tells the user something.
const std::string kLauncherPrefix = "zelquor: ";

// Standard error without the program's own line about the ports' names,
// which a server without metadata (testing's jackd) draws from it: what is
// left of "zelquor: " is the launcher's.
std::string withoutNamesLine(std::string text) {
  const auto at = text.find(kNamesNotSetMessage);
  if (at != std::string::npos) text.erase(at, text.find('\n', at) - at);
  return text;
}
// The first line of the banner of a jackd started for the program.
const std::string kServerBanner = "jackdmp ";
const std::string kEndTitle = "Zelquor ended";
constexpr auto kNotificationTimeout = std::chrono::seconds(10);
// The folder where the pw-jack layer keeps its JACK library, as pw-jack
// names it ($LIB: the dynamic loader's library folder).
const std::string kPipewireJackLibraries = "/usr/${LIB}/pipewire-0.3/jack";

class InstalledCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prefix = std::make_unique<ScratchFolder>("zelquorLauncher");
    const std::string command = "cmake --install '" ZELQUOR_BUILD_DIR "' --prefix '" + prefix->path() + "' > /dev/null";
    installed = std::system(command.c_str()) == 0;
  }
  static void TearDownTestSuite() { prefix.reset(); }
  void SetUp() override { ASSERT_TRUE(installed); }

  // The command started from the home folder, as a desktop entry starts it,
  // with nothing set but the display, the home folder and the entries given.
  std::unique_ptr<AppProcess> start(std::vector<std::string> environment, const std::string& command = "") {
    AppOptions options;
    options.program = command.empty() ? prefix->path() + "/bin/zelquor" : command;
    options.workingDirectory = home_.path();
    environment.push_back(x_.displayEntry());
    environment.push_back("HOME=" + home_.path());
    options.environment = environment;
    return std::make_unique<AppProcess>(options);
  }

  void closeAndExpectCleanEnd(AppProcess& app) {
    const auto window = XWindow::awaitTitled(x_.displayName(), kWindowTitle);
    ASSERT_TRUE(window) << "no window";
    window->requestClose();
    const auto status = app.waitForExit();
    ASSERT_TRUE(status) << "still running after the close";
    EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app.stderrText();
  }

  // A command of that name in the test's commands folder, first on PATH:
  // the entry to add to the environment.
  std::string withCommand(const std::string& name, const std::string& script) {
    commands_.addCommand(name, script);
    return commands_.pathEntry();
  }
  // notify-send, as the desktop's notification service would show them:
  // each notification's title and text, one line each.
  std::string recordingNotifications() {
    return withCommand("notify-send",
                       "for a; do case $a in -*) ;; *) echo \"$a\" >> '" + notified_ + "';; esac; done\n");
  }
  std::string notifications() const {
    std::ifstream file(notified_);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  bool waitForNotification(const std::string& text) const {
    const auto deadline = std::chrono::steady_clock::now() + kNotificationTimeout;
    while (notifications().find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }
  // Whether a process runs a file installed under the test's prefix.
  static bool installedProgramRuns() {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::error_code error;
      const auto program = std::filesystem::read_symlink(entry.path() / "exe", error);
      if (!error && program.string().rfind(prefix->path() + "/", 0) == 0) return true;
    }
    return false;
  }

  static inline std::unique_ptr<ScratchFolder> prefix;
  static inline bool installed = false;
  XServer x_;
  ScratchFolder home_{"zelquorHome"};
  // No PipeWire daemon runs in an empty runtime folder.
  ScratchFolder emptyRuntime_{"zelquorRuntime"};
  ScratchFolder commands_{"zelquorCommands"};
  const std::string notified_ = commands_.path() + "/notified";
};

// A socket file with nothing behind it, as a server that died leaves.
struct StaleSocket {
  explicit StaleSocket(std::string where) : path(std::move(where)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    close(fd);
  }
  ~StaleSocket() { std::filesystem::remove(path); }
  std::string path;
};

TEST_F(InstalledCommand, UsesTheJackServerThatAnswers) {
  JackServer server;
  const auto app = start({server.defaultServerEntry(), "XDG_RUNTIME_DIR=" + emptyRuntime_.path()});
  ASSERT_TRUE(app->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
  server.useInThisProcess();
  JackProbe probe;
  EXPECT_EQ(probe.portCountOf(kProgramClientName), kPortCount);
  EXPECT_EQ(withoutNamesLine(app->stderrText()).find(kLauncherPrefix), std::string::npos) << app->stderrText();
  closeAndExpectCleanEnd(*app);
}

// Started through a symbolic link elsewhere, as from a folder of commands
// that links to an install, the command still finds its folders.
TEST_F(InstalledCommand, RunsOnPipewireThroughItsJackLayerWhenOnlyPipewireAnswers) {
  PipewireServer pipewire;
  std::vector<std::string> environment = pipewire.environment();
  environment.push_back(absentJackServerEntries().front());
  const std::string link = commands_.path() + "/zelquor";
  std::filesystem::create_symlink(prefix->path() + "/bin/zelquor", link);
  const auto app = start(environment, link);
  ASSERT_TRUE(app->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
  EXPECT_EQ(app->stderrText().find(kServerBanner), std::string::npos) << "a jackd was started:\n" << app->stderrText();
  closeAndExpectCleanEnd(*app);
}

// A pw-jack that fails (a broken PipeWire JACK layer): the program runs
// without sound, no jackd takes the card from PipeWire, and the message
// names the package to mend.
// One that hangs holds the start no longer than the probe's time limit.
// When PipeWire's JACK layer is the system's JACK library, the program
// reaches PipeWire without pw-jack, and nothing is said.
TEST_F(InstalledCommand, NamesThePackageWhenPipewireAnswersButItsJackLayerIsBroken) {
  PipewireServer pipewire;
  std::vector<std::string> environment = pipewire.environment();
  environment.push_back(absentJackServerEntries().front());
  for (const char* brokenLayer : {"echo 'pw-jack: broken' >&2\nexit 1\n", "exec sleep 600\n"}) {
    environment.push_back(withCommand("pw-jack", brokenLayer));
    const auto app = start(environment);
    ASSERT_TRUE(app->waitForLine(kStoppedLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
    EXPECT_NE(app->stderrText().find("pipewire-jack"), std::string::npos) << app->stderrText();
    EXPECT_EQ(app->stderrText().find(kServerBanner), std::string::npos) << "a jackd was started:\n"
                                                                        << app->stderrText();
    closeAndExpectCleanEnd(*app);
  }

  environment.push_back("LD_LIBRARY_PATH=" + kPipewireJackLibraries);
  const auto onSystemLayer = start(environment);
  ASSERT_TRUE(onSystemLayer->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << onSystemLayer->stderrText();
  EXPECT_EQ(withoutNamesLine(onSystemLayer->stderrText()).find(kLauncherPrefix), std::string::npos)
      << onSystemLayer->stderrText();
  closeAndExpectCleanEnd(*onSystemLayer);
}

// Neither a JACK server nor PipeWire, only the sockets that such servers
// left behind, and no server start-up configured: the window works without
// sound, no server is started on the sound card, and standard error says why.
TEST_F(InstalledCommand, RunsWithoutSoundAndSaysWhyWhenNoServerAnswers) {
  const std::string absentServer = absentJackServerEntries().front();
  const StaleSocket jackd("/dev/shm/jack_" + absentServer.substr(absentServer.find('=') + 1) + "_" +
                          std::to_string(getuid()) + "_0");
  const StaleSocket pipewire(emptyRuntime_.path() + "/pipewire-0");
  const auto app = start({absentServer, "XDG_RUNTIME_DIR=" + emptyRuntime_.path()});
  ASSERT_TRUE(app->waitForLine(kStoppedLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
  EXPECT_NE(app->stderrText().find(kLauncherPrefix + "no audio server answers"), std::string::npos)
      << app->stderrText();
  EXPECT_EQ(app->stderrText().find(kServerBanner), std::string::npos) << "a jackd was started:\n" << app->stderrText();
  closeAndExpectCleanEnd(*app);
}

// A session's signal ends the program, not the launcher alone, and both
// then end as a close of the window ends them, with status 0; the user
// ended it: nothing is notified but the start's "no sound".
TEST_F(InstalledCommand, PassesTheSessionsSignalsOnAndEndsByThem) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    const auto app =
        start({absentJackServerEntries().front(), "XDG_RUNTIME_DIR=" + emptyRuntime_.path(), recordingNotifications()});
    ASSERT_TRUE(app->waitForLine(kStoppedLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
    app->sendSignal(signal);
    const auto status = app->waitForExit();
    ASSERT_TRUE(status) << "still running after signal " << signal;
    EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app->stderrText();
    EXPECT_FALSE(installedProgramRuns()) << "the program outlived the launcher, signal " << signal;
  }
  EXPECT_TRUE(waitForNotification("no audio server answers")) << notifications();
  EXPECT_EQ(notifications().find(kEndTitle), std::string::npos) << notifications();
}

// The server goes away: the program ends with its status 1 and its reason,
// which standard error carries unchanged and a notification tells.
TEST_F(InstalledCommand, NotifiesWhyTheProgramFailedWithItsLastErrorLine) {
  auto server = std::make_unique<JackServer>();
  const auto app =
      start({server->defaultServerEntry(), "XDG_RUNTIME_DIR=" + emptyRuntime_.path(), recordingNotifications()});
  ASSERT_TRUE(app->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << app->stderrText();
  server->stop(SIGKILL);
  const auto status = app->waitForExit();
  ASSERT_TRUE(status) << "still running after its server went";
  EXPECT_TRUE(status->exitedWith(1)) << *status;
  const std::string reason = lastLineOf(app->stderrText());
  EXPECT_EQ(reason, kServerClosedReason) << app->stderrText();
  EXPECT_EQ(app->stderrText().find("zelquor launcher"), std::string::npos) << app->stderrText();
  EXPECT_TRUE(app->stdoutEndedOnLineEnd());
  EXPECT_TRUE(waitForNotification(kEndTitle + "\n" + reason + "\n")) << notifications();
}

// The pid of the jackd serving under that name, or -1.
pid_t jackdNamed(const std::string& name) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream file(entry.path() / "cmdline");
    std::string command((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::replace(command.begin(), command.end(), '\0', ' ');
    if (command.rfind("/usr/bin/jackd ", 0) == 0 && command.find(" -n " + name + " ") != std::string::npos)
      return static_cast<pid_t>(std::stol(entry.path().filename().string()));
  }
  return -1;
}

// A user's ~/.jackdrc lets the JACK library start a server for the program:
// it serves the program, and its banner goes to standard error, not into
// the trace. The JACK library runs the file's command without a search of
// PATH. The server is ended with SIGTERM, so that it leaves the JACK
// library's table of servers (one that quits with -T stays listed, and the
// table holds eight); the program then ends as it does when its server goes.
TEST_F(InstalledCommand, ServerStartedByTheJackLibraryWritesNothingIntoTheTrace) {
  const std::string serverName = "zelquorStarted" + std::to_string(getpid());
  std::ofstream(home_.path() + "/.jackdrc") << "/usr/bin/jackd -n " << serverName << " -d dummy -r 48000 -p 256\n";
  const auto app = start({"JACK_DEFAULT_SERVER=" + serverName, "XDG_RUNTIME_DIR=" + emptyRuntime_.path()});
  const bool running = app->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout).has_value();
  const pid_t server = jackdNamed(serverName);
  if (server > 0) kill(server, SIGTERM);
  ASSERT_TRUE(running) << app->stderrText();
  ASSERT_GT(server, 0) << "no jackd was started:\n" << app->stderrText();
  EXPECT_NE(app->stderrText().find(kServerBanner), std::string::npos) << app->stderrText();
  const auto status = app->waitForExit();
  ASSERT_TRUE(status) << "still running after its server went";
  EXPECT_TRUE(status->exitedWith(1)) << *status;
  for (const std::string& line : app->stdoutTraceLines())
    EXPECT_TRUE(line.rfind(kRunningPrefix, 0) == 0 || line.rfind(kPhysicalPrefix, 0) == 0) << "foreign line: " << line;
  // The program's client semaphore stays behind after such an end.
  for (const auto& entry : std::filesystem::directory_iterator("/dev/shm"))
    if (entry.path().filename().string().find("_" + serverName + "_") != std::string::npos)
      std::filesystem::remove(entry.path());
}

}  // namespace
