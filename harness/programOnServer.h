// The program started on a private JACK server of its own. On a loaded
// machine a JACK server or client now and then fails to open, and the
// program then runs without its engine; a fresh server and another start
// tell that apart from a program that never gets going. Everything that
// starts the program or another client for a measurement retries in the
// same way.
#ifndef ZELQUOR_HARNESS_PROGRAM_ON_SERVER_H
#define ZELQUOR_HARNESS_PROGRAM_ON_SERVER_H

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackServer.h"
#include "pipewireServer.h"
#include "xServer.h"

constexpr int kStartAttempts = 3;
constexpr auto kStartRetryPause = std::chrono::seconds(1);

// Runs the attempt until it reports no failure (an empty text), at most
// kStartAttempts times with a pause between two; returns the last failure,
// empty when an attempt succeeded.
std::string retryStart(const std::function<std::string()>& attempt);

// The environment that points a run of the program at the private servers.
std::vector<std::string> environmentOn(const XServer& x, const JackServer& jack);
std::vector<std::string> environmentOn(const XServer& x, const PipewireServer& pipewire);

struct ProgramOnServer {
  std::unique_ptr<JackServer> jack;
  std::unique_ptr<AppProcess> app;
  std::string failure;  // what went wrong with the last attempt; empty once started
};

// One attempt: a fresh JACK server, and the program as the options say on it
// and the X server, until it writes the engine's running line within the
// time. Returns what went wrong, empty once it runs.
std::string startOnce(ProgramOnServer& started, const XServer& x, const AppOptions& options, Timeout timeout);

// Attempts as retryStart does.
ProgramOnServer startOnServer(const XServer& x, const AppOptions& options, Timeout timeout = kDefaultTimeout);

#endif
