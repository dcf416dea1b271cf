// The pointer swept to and fro over the board by one xdotool run, so that
// the program handles events and writes trace lines for as long as a test
// needs it busy.
#ifndef ZELQUOR_TESTS_POINTER_SWEEP_H
#define ZELQUOR_TESTS_POINTER_SWEEP_H

#include <memory>

#include "appProcess.h"
#include "xServer.h"
#include "xWindow.h"

// One move every 2 ms, 2000 moves; the run ends with its AppProcess.
std::unique_ptr<AppProcess> sweepPointer(const XServer& x, const XWindow& window);

#endif
