// The environment that points a run of the program at the test's servers.
#ifndef ZELQUOR_TESTS_RUN_ENVIRONMENT_H
#define ZELQUOR_TESTS_RUN_ENVIRONMENT_H

#include <string>
#include <vector>

#include "programOnServer.h"
#include "xServer.h"

// A run on the private X server with no JACK server at all.
std::vector<std::string> environmentWithoutJack(const XServer& x);

// The entries that preload a library into the run. The address sanitizer's
// runtime, which would otherwise have to come first, is told to accept it.
std::vector<std::string> preloadEntries(const std::string& library);

#endif
