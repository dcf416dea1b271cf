#include "programOnServer.h"

#include <stdexcept>

#include "runEnvironment.h"
#include "startupLines.h"

namespace {
constexpr int kStartAttempts = 2;
}

ProgramOnServer startOnServer(const XServer& x, const AppOptions& options, Timeout timeout) {
  ProgramOnServer started;
  for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
    started.app.reset();
    started.jack.reset();
    try {
      started.jack = std::make_unique<JackServer>();
      AppOptions onServer = options;
      const auto entries = environmentOn(x, *started.jack);
      onServer.environment.insert(onServer.environment.end(), entries.begin(), entries.end());
      started.app = std::make_unique<AppProcess>(onServer);
      const auto running = started.app->waitForLine(kRunningPrefix, LineMatch::prefix, timeout);
      if (running == kRunningLine) {
        started.failure.clear();
        return started;
      }
      started.failure = "the engine did not start:\n" + started.app->stderrText();
    } catch (const std::exception& error) {
      started.failure = error.what();
    }
  }
  return started;
}
