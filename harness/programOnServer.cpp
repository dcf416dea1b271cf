#include "programOnServer.h"

#include <stdexcept>
#include <thread>

#include "boardFacts.h"

std::string retryStart(const std::function<std::string()>& attempt) {
  std::string failure;
  for (int number = 1; number <= kStartAttempts; ++number) {
    if (number > 1) std::this_thread::sleep_for(kStartRetryPause);
    failure = attempt();
    if (failure.empty()) break;
  }
  return failure;
}

std::vector<std::string> environmentOn(const XServer& x, const JackServer& jack) {
  return {x.displayEntry(), jack.defaultServerEntry(), JackServer::noStartEntry()};
}

std::vector<std::string> environmentOn(const XServer& x, const PipewireServer& pipewire) {
  std::vector<std::string> entries = pipewire.environment();
  entries.push_back(x.displayEntry());
  return entries;
}

std::string startOnce(ProgramOnServer& started, const XServer& x, const AppOptions& options, Timeout timeout) {
  started.app.reset();
  started.jack.reset();
  try {
    started.jack = std::make_unique<JackServer>();
    AppOptions onServer = options;
    const auto entries = environmentOn(x, *started.jack);
    onServer.environment.insert(onServer.environment.end(), entries.begin(), entries.end());
    started.app = std::make_unique<AppProcess>(onServer);
    const auto running = started.app->waitForLine(kRunningPrefix, LineMatch::prefix, timeout);
    if (running == kRunningLine) return "";
    return "the engine did not start:\n" + started.app->stderrText();
  } catch (const std::exception& error) {
    return error.what();
  }
}

ProgramOnServer startOnServer(const XServer& x, const AppOptions& options, Timeout timeout) {
  ProgramOnServer started;
  started.failure = retryStart([&] { return startOnce(started, x, options, timeout); });
  return started;
}
