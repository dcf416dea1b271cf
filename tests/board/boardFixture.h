// What every board test shares: the real engine facade (no audio server),
// a reset board model, events built as the window would deliver them, and
// the handlers' trace lines captured per action.
#ifndef ZELQUOR_TESTS_BOARD_FIXTURE_H
#define ZELQUOR_TESTS_BOARD_FIXTURE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <string>
#include <utility>

#include "boardFacts.h"
#include "boardModel.h"
#include "outputCapture.h"
#include "windowEvents.h"

// Gains are compared with the six significant digits that the trace shows.
constexpr float kGainTolerance = 5e-7f;

std::string channelAddress(int channel);
float channelGain(int channel);
void setChannelGain(int channel, float value);
std::array<float, kPadCount> allGains();
void setAllGains(float value);

// Puts the model back to its start-up state and silences every channel.
void resetBoard();

// Runs the action and returns what it wrote on standard output.
template <typename Action>
std::string traceOf(Action&& action) {
  OutputCapture out(STDOUT_FILENO);
  std::forward<Action>(action)();
  return out.take();
}

// Each runs one handler and returns its trace.
std::string press(int x, int y, int button = kLeftButton);
std::string release(int x, int y);
std::string move(int x, int y);
std::string key(int code, Modifiers held = Modifiers());

// A press and a release at the same point: places or selects, then ends the drag.
void tap(int x, int y);

// The expected trace lines, newline included.
std::string leftPressLines(int x, int y);
std::string moveLines(int x, int y);
std::string gainLine(int pad, const std::string& distance, const std::string& gainText);
std::string releaseLine();
std::string endDragLine();

class BoardFixture : public ::testing::Test {
 protected:
  void SetUp() override { resetBoard(); }
};

#endif
