#include "pipewireServer.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto kReadyTimeout = std::chrono::seconds(20);
constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr auto kStopGrace = std::chrono::seconds(5);
constexpr auto kToolTimeout = std::chrono::seconds(10);

// WirePlumber publishes the "default" metadata once it manages the graph.
const std::string kSessionManagerMark = "metadata.name = \"default\"";

bool waitUntil(const std::function<bool()>& ready, AppProcess& process) {
  const auto deadline = std::chrono::steady_clock::now() + kReadyTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (ready()) return true;
    if (!process.running()) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return false;
}

std::string startFailure(const std::string& what, const AppProcess& process) {
  return "private " + what + " did not start:\n" + process.stderrText();
}

}  // namespace

PipewireServer::PipewireServer() {
  const std::string busSocket = runtime_.path() + "/bus";

  AppOptions options;
  options.workingDirectory = runtime_.path();
  options.environment = environment();
  options.program = "dbus-daemon";
  options.arguments = {"--session", "--nofork", "--nosyslog", "--address=unix:path=" + busSocket};
  bus_ = std::make_unique<AppProcess>(options);
  if (!waitUntil([&] { return std::filesystem::exists(busSocket); }, *bus_))
    throw std::runtime_error(startFailure("D-Bus session", *bus_));

  options.program = "pipewire";
  options.arguments = {};
  daemon_ = std::make_unique<AppProcess>(options);
  if (!waitUntil([&] { return tool({"pw-cli", "info", "0"}); }, *daemon_))
    throw std::runtime_error(startFailure("pipewire", *daemon_));

  options.program = "wireplumber";
  sessionManager_ = std::make_unique<AppProcess>(options);
  std::string metadata;
  const auto managed = [&] {
    return tool({"pw-cli", "ls", "Metadata"}, &metadata) && metadata.find(kSessionManagerMark) != std::string::npos;
  };
  if (!waitUntil(managed, *sessionManager_)) throw std::runtime_error(startFailure("wireplumber", *sessionManager_));
}

PipewireServer::~PipewireServer() {
  sessionManager_.reset();
  daemon_.reset();
  bus_.reset();
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
  daemon_->sendSignal(signal);
  if (!daemon_->waitForExit(kStopGrace)) daemon_.reset();
}

bool PipewireServer::tool(const std::vector<std::string>& arguments, std::string* output) const {
  AppOptions options;
  options.program = arguments.front();
  options.arguments.assign(arguments.begin() + 1, arguments.end());
  options.workingDirectory = runtime_.path();
  options.environment = environment();
  AppProcess run(options);
  const auto status = run.waitForExit(kToolTimeout);
  if (output != nullptr) {
    output->clear();
    for (const std::string& line : run.stdoutLines()) *output += line + "\n";
  }
  return status && status->exitedWith(0);
}
