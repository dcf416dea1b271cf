// Runs of an installed copy of the program, as a user starts it: its
// command, from a folder that has nothing to do with it.
#ifndef ZELQUOR_TESTS_INSTALLED_RUN_H
#define ZELQUOR_TESTS_INSTALLED_RUN_H

#include <string>

#include "scratchFolder.h"

// Starts the command from the folder under a private X server and no audio
// server, waits for its first frame, closes the window and checks that it
// ends with status 0. Reports failures through gtest.
void expectFirstFrameAndCleanClose(const std::string& command, const std::string& folder);

#endif
