// The program started on a private JACK server of its own. On a loaded
// machine a JACK server or client now and then fails to open; a second
// start with a fresh server tells that apart from a program that never
// gets going.
#ifndef ZELQUOR_TESTS_PROGRAM_ON_SERVER_H
#define ZELQUOR_TESTS_PROGRAM_ON_SERVER_H

#include <memory>
#include <string>

#include "appProcess.h"
#include "jackServer.h"
#include "xServer.h"

struct ProgramOnServer {
  std::unique_ptr<JackServer> jack;
  std::unique_ptr<AppProcess> app;
  std::string failure;  // what went wrong with the last attempt; empty once started
};

// Starts the program as the options say, on the X server and a fresh JACK
// server, until it writes the engine's running line within the time.
ProgramOnServer startOnServer(const XServer& x, const AppOptions& options, Timeout timeout = kDefaultTimeout);

#endif
