#include "pipewireServer.h"

#include <errno.h>
#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <regex>
#include <stdexcept>
#include <thread>

namespace {

// The runner waits up to 20 s for each server; the line comes after all three.
constexpr auto kReadyTimeout = std::chrono::seconds(70);
constexpr auto kRunnerStopTimeout = std::chrono::seconds(20);
constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr auto kStopGrace = std::chrono::seconds(5);
constexpr auto kToolTimeout = std::chrono::seconds(10);

const std::string kReadyMark = "ready ";
const std::regex kDaemonPid(R"(pipewire=(\d+))");

bool gone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

PipewireServer::PipewireServer() {
  AppOptions options;
  options.program = projectRoot() + "/harness/pipewireRunner";
  options.workingDirectory = runtime_.path();
  options.environment = environment();
  runner_ = std::make_unique<AppProcess>(options);
  const auto ready = runner_->waitForLine(kReadyMark, LineMatch::prefix, kReadyTimeout);
  std::smatch daemon;
  if (!ready || !std::regex_search(*ready, daemon, kDaemonPid))
    throw std::runtime_error("private PipeWire session did not start:\n" + runner_->stderrText());
  daemon_ = std::stoi(daemon[1]);
}

PipewireServer::~PipewireServer() {
  // The runner ends the servers in turn; it is killed with them when it takes too long.
  runner_->sendSignal(SIGTERM);
  runner_->waitForExit(kRunnerStopTimeout);
}

std::vector<std::string> PipewireServer::environment() const {
  return {"XDG_RUNTIME_DIR=" + runtime_.path(), "PIPEWIRE_RUNTIME_DIR=" + runtime_.path(), "PIPEWIRE_REMOTE=pipewire-0",
          "DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtime_.path() + "/bus"};
}

void PipewireServer::useInThisProcess() const {
  for (const std::string& entry : environment()) {
    const auto equals = entry.find('=');
    setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
  }
}

void PipewireServer::forceQuantum(int frames) const {
  if (!tool({"pw-metadata", "-n", "settings", "0", "clock.force-quantum", std::to_string(frames)}))
    throw std::runtime_error("pw-metadata could not force the quantum " + std::to_string(frames));
}

void PipewireServer::stopDaemon(int signal) {
  kill(daemon_, signal);
  // The runner reaps it: the pid is gone once the daemon has ended.
  const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
  while (!gone(daemon_) && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kPollInterval);
  if (!gone(daemon_)) kill(daemon_, SIGKILL);
}

bool PipewireServer::tool(const std::vector<std::string>& arguments) const {
  AppOptions options;
  options.program = arguments.front();
  options.arguments.assign(arguments.begin() + 1, arguments.end());
  options.workingDirectory = runtime_.path();
  options.environment = environment();
  AppProcess run(options);
  const auto status = run.waitForExit(kToolTimeout);
  return status && status->exitedWith(0);
}
