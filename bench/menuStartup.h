// The start from the menu beside the program started directly, on each
// server a desktop may offer (a JACK server, PipeWire, none): the installed
// command, which chooses the server, against the installed program.
#ifndef ZELQUOR_BENCH_MENU_STARTUP_H
#define ZELQUOR_BENCH_MENU_STARTUP_H

#include <map>
#include <string>
#include <vector>

#include "jackServer.h"
#include "xServer.h"

// Runs of each, interleaved, timed from the process's start to the running
// line, as "launcher/<server>/ms" and "direct/<server>/ms" for the servers
// jackd, pipewire and none. prefix is where the build was installed.
void runMenuStartups(const XServer& x, const JackServer& jack, const std::string& prefix, int runs,
                     std::map<std::string, std::vector<double>>& menu);

#endif
