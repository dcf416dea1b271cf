// How a run without a display must end, shared by the runs with and
// without a JACK server.
#ifndef ZELQUOR_TESTS_NO_DISPLAY_H
#define ZELQUOR_TESTS_NO_DISPLAY_H

#include <string>

#include "appProcess.h"

// A display name on which no X server listens.
std::string unusedDisplayName();

// Status 1 without a signal, one line on standard error that speaks of the
// display, and nothing at all on standard output: no physical port listed,
// no engine trace.
void expectNoDisplayEnd(AppProcess& app);

#endif
