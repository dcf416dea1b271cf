// Long seeded runs of random presses, releases, moves and keys through the
// real handlers, anywhere in and around the window, with the board model's
// invariants checked after every event.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <deque>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "boardFixture.h"
#include "boardInvariants.h"
#include "eventDispatch.h"

namespace {

constexpr int kEventsPerRun = 20000;
constexpr size_t kHistoryShown = 12;
constexpr float kLawTolerance = 2e-5f;

constexpr area kAroundBoard = {0, 960, 0, 969};
constexpr area kToolColumn = {975, 1080, 45, 110};
constexpr area kPaletteArea = {990, 1060, 110, 380};
constexpr area kBeyondWindow = {-20, 1110, -20, 990};

class randomUser {
 public:
  explicit randomUser(unsigned seed) : rng_(seed) {}

  // Hands one random event to its handler and says what it was.
  std::string act() {
    const int roll = pick(0, 99);
    if (roll < 36) return moveSomewhere();
    if (roll < 58) return pressSomewhere();
    if (roll < 78) return releaseSomewhere();
    if (roll < 99) return pressKey();
    hand(wheelEvent(kVerticalWheel, 1.0f, 0, 0));
    return "wheel";
  }

  const boardEvent& lastEvent() const { return last_; }

 private:
  void hand(const boardEvent& event) {
    last_ = event;
    dispatchBoardEvent(event);
  }

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  void pointIn(const area& a, int& x, int& y) {
    x = pick(a.left, a.right);
    y = pick(a.top, a.bottom);
  }

  void pointerSpot(int& x, int& y) { pointIn(pick(0, 99) < 85 ? kAroundBoard : kBeyondWindow, x, y); }

  static std::string at(const char* what, int x, int y) {
    return std::string(what) + " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  }

  std::string moveSomewhere() {
    int x, y;
    pointerSpot(x, y);
    hand(moveEvent(x, y));
    return at("move", x, y);
  }

  std::string releaseSomewhere() {
    int x, y;
    pointerSpot(x, y);
    hand(releaseEvent(x, y));
    return at("release", x, y);
  }

  std::string pressSomewhere() {
    int x, y;
    do {  // never on the logo, where a press would start a browser
      const int roll = pick(0, 99);
      pointIn(roll < 55 ? kAroundBoard : roll < 80 ? kToolColumn : roll < 92 ? kPaletteArea : kBeyondWindow, x, y);
    } while (kLogoZone.holds(x, y));
    const int buttonRoll = pick(0, 9);
    const int button = buttonRoll < 7 ? kLeftButton : buttonRoll < 9 ? kRightButton : kMiddleButton;
    hand(pressEvent(x, y, button));
    return at("press", x, y) + " button " + std::to_string(button);
  }

  std::string pressKey() {
    const int roll = pick(0, 99);
    const int code = roll < 30 ? kKeyD : roll < 45 ? kKeyG : roll < 60 ? kKeyS : roll < 80 ? kKeyT : pick(-1, 100);
    Modifiers held;
    held.shift = pick(0, 3) == 0;
    held.control = pick(0, 7) == 0;
    hand(keyEvent(code, held));
    return "key " + std::to_string(code);
  }

  std::mt19937 rng_;
  boardEvent last_{};
};

bool startsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

// A gain line names the same pad twice and follows the law for its distance.
std::string gainLineProblem(const std::string& line) {
  int pad = -1, channel = -1;
  float distance = -1.0f, value = -1.0f;
  int consumed = 0;
  const std::string format = "pad=%ddtcentre= %fgain=%f" + kPadAddressPrefix + "%d%n";
  if (std::sscanf(line.c_str(), format.c_str(), &pad, &distance, &value, &channel, &consumed) != 4 ||
      consumed != static_cast<int>(line.size()))
    return "unreadable gain line";
  if (pad != channel || pad < 0 || pad >= kPadCount) return "gain line names two pads";
  if (distance != 0.0f && (distance < kLawDeadZone || distance > kLawCap))
    return "distance outside the dead zone and cap";
  if (std::fabs(value - lawGain(distance)) > kLawTolerance) return "gain off the law for its distance";
  return "";
}

std::string lineProblem(const std::string& line) {
  static const std::string literals[] = {kLeftPressLine, kMoveOneLine, kMoveGroupLine, kMoveAllLine, kMuteOneLine,
                                         kMuteGroupLine, kMuteAllLine, kReleaseLine,   kEndDragLine};
  for (const std::string& literal : literals)
    if (line == literal) return "";
  int number = 0, second = 0, consumed = 0;
  const char* text = line.c_str();
  const auto whole = [&](int matched, int wanted) {
    return matched == wanted && consumed == static_cast<int>(line.size());
  };
  if (startsWith(line, "pad=") && line.find("dtcentre=") != std::string::npos) return gainLineProblem(line);
  if (whole(std::sscanf(text, "pad=%d%n", &number, &consumed), 1)) return "";
  if (whole(std::sscanf(text, "mouse x: %d%n", &number, &consumed), 1)) return "";
  if (whole(std::sscanf(text, "mouse y: %d%n", &number, &consumed), 1)) return "";
  if (whole(std::sscanf(text, "key:%d c%n", &number, &consumed), 1)) return "";
  if (whole(std::sscanf(text, "message=/Canaux0/canal%d%n", &number, &consumed), 1)) return "";
  if (whole(std::sscanf(text, "cy=%dbouton = %d%n", &number, &second, &consumed), 2) && number == second) return "";
  return "unknown trace line";
}

std::string traceProblem(const std::string& trace) {
  std::istringstream lines(trace);
  std::string line;
  while (std::getline(lines, line)) {
    const std::string problem = lineProblem(line);
    if (!problem.empty()) return problem + ": \"" + line + "\"";
  }
  if (!trace.empty() && trace.back() != '\n') return "trace not ended by a line end";
  return "";
}

std::string muteAllProblem(const std::string& trace, bool deleteAll) {
  if (trace.find(kMuteAllLine + "\n") == std::string::npos && !deleteAll) return "";
  for (int n = 0; n < kPadCount; ++n)
    if (channelGain(n) != 0.0f) return "channel " + std::to_string(n) + " not silenced by mute all";
  for (int g = 0; g < kGenCount; ++g)
    if (tabgen[g].active != 0) return "token " + std::to_string(g) + " still on the board after mute all";
  return "";
}

std::string problemAfter(const boardEvent& event, const std::string& trace, bool deleteAll,
                         const boardHistory& before) {
  const std::string others[] = {boardProblem(event, before), gainProblem(), traceProblem(trace),
                                muteAllProblem(trace, deleteAll)};
  for (const std::string& problem : others)
    if (!problem.empty()) return problem;
  return "";
}

class BoardInvariants : public BoardFixture, public ::testing::WithParamInterface<unsigned> {};

}  // namespace

TEST_P(BoardInvariants, HoldAfterEveryEvent) {
  const unsigned seed = GetParam();
  randomUser user(seed);
  boardHistory seen = freshHistory();
  std::deque<std::string> recent;
  std::string failure;
  int step = 0;
  {
    OutputCapture out(STDOUT_FILENO);
    for (; step < kEventsPerRun && failure.empty(); ++step) {
      const bool allModeBefore = mvType == kMoveAll;
      const std::string event = user.act();
      const std::string trace = out.take();
      recent.push_back(event);
      if (recent.size() > kHistoryShown) recent.pop_front();
      const bool deleteAll = allModeBefore && event == "key " + std::to_string(kKeyD);
      failure = problemAfter(user.lastEvent(), trace, deleteAll, seen);
      if (!failure.empty()) failure += "\ntrace of the last event:\n" + trace;
      remember(seen);
    }
  }
  std::string last;
  for (const std::string& event : recent) last += "  " + event + "\n";
  ASSERT_TRUE(failure.empty()) << "seed " << seed << ", event " << step << " (from 1): " << failure
                               << "\nlast events, oldest first:\n"
                               << last;
}

INSTANTIATE_TEST_SUITE_P(Seeds, BoardInvariants, ::testing::Values(1u, 2u, 3u, 20240611u, 987654321u, 4242u));
