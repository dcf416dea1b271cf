// A run of the program on a test's X server without a JACK server, driven
// by pointer steps in window pixels, for the tests that compare the trace of
// a window of one size with the full-size window's.
#ifndef ZELQUOR_TESTS_WINDOW_RUN_H
#define ZELQUOR_TESTS_WINDOW_RUN_H

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "appProcess.h"
#include "xServer.h"
#include "xWindow.h"

struct run {
  std::unique_ptr<AppProcess> app;
  std::unique_ptr<XWindow> window;
};

// Started with these entries added to its environment, once it has started
// and its window is found; throws otherwise.
run startOn(const XServer& x, const std::vector<std::string>& moreEnvironment = {});

enum class act { move, press, release, rightPress, rightRelease };
struct step {
  act what;
  int x = 0, y = 0;  // window pixels, for moves
};

// Plays the steps at the points `at` gives, closes the window, and hands
// back the whole trace.
std::vector<std::string> play(run& running, const std::vector<step>& steps,
                              const std::function<std::pair<int, int>(const step&)>& at);

// The scene pixel under the centre of window pixel p.
int underCentre(int p, int windowLength, int sceneLength);

// Where two traces part, for the failure message.
std::string firstDifference(const std::vector<std::string>& scaled, const std::vector<std::string>& full);

#endif
