// The environment that points a run of the program at the test's servers.
#ifndef ZELQUOR_TESTS_RUN_ENVIRONMENT_H
#define ZELQUOR_TESTS_RUN_ENVIRONMENT_H

#include <string>
#include <vector>

#include "jackServer.h"
#include "xServer.h"

// A run on the private X server and the private JACK server.
std::vector<std::string> environmentOn(const XServer& x, const JackServer& jack);
// A run on the private X server with no JACK server at all.
std::vector<std::string> environmentWithoutJack(const XServer& x);

#endif
