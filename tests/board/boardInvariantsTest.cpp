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
#include "keyboard.h"
#include "pointerInput.h"

namespace {

constexpr int kEventsPerRun = 20000;
constexpr size_t kHistoryShown = 12;
constexpr float kLowestLawGain = 0.017f;
constexpr float kHighestLawGain = 1.003f;
constexpr float kLawTolerance = 2e-5f;

struct area {
  int left, right, top, bottom;
};

constexpr area kAroundBoard = {0, 960, 0, 969};
constexpr area kToolColumn = {975, 1080, 45, 110};
constexpr area kPaletteArea = {990, 1060, 110, 380};
constexpr area kBeyondWindow = {-20, 1110, -20, 990};
// Presses here would start a browser.
constexpr area kLogo = {991, 1065, 15, 47};

bool inside(const area& a, int x, int y) { return x >= a.left && x <= a.right && y >= a.top && y <= a.bottom; }

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
    mouseWheel(sf::Event());
    return "wheel";
  }

 private:
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
    onMouseMove(moveEvent(x, y));
    return at("move", x, y);
  }

  std::string releaseSomewhere() {
    int x, y;
    pointerSpot(x, y);
    onMouseUp(releaseEvent(x, y));
    return at("release", x, y);
  }

  std::string pressSomewhere() {
    int x, y;
    do {
      const int roll = pick(0, 99);
      pointIn(roll < 55 ? kAroundBoard : roll < 80 ? kToolColumn : roll < 92 ? kPaletteArea : kBeyondWindow, x, y);
    } while (inside(kLogo, x, y));
    const int buttonRoll = pick(0, 9);
    const sf::Mouse::Button button =
        buttonRoll < 7 ? sf::Mouse::Left : buttonRoll < 9 ? sf::Mouse::Right : sf::Mouse::Middle;
    onClick(pressEvent(x, y, button));
    return at("press", x, y) + " button " + std::to_string(button);
  }

  std::string pressKey() {
    const int roll = pick(0, 99);
    const int code = roll < 30 ? kKeyD : roll < 45 ? kKeyG : roll < 60 ? kKeyS : roll < 80 ? kKeyT : pick(-1, 100);
    Modifiers held;
    held.shift = pick(0, 3) == 0;
    held.control = pick(0, 7) == 0;
    onKeyPressed(keyEvent(code, held));
    return "key " + std::to_string(code);
  }

  std::mt19937 rng_;
};

struct tokenView {
  int active;
  int type;
  float x;
  float y;
};

// What the checks carry from one event to the next.
struct history {
  tokenView tokens[kGenCount];
  bool everPlaced[kGenCount] = {};
  bool everSelected = false;
};

std::string tokenProblem(int g, const history& before) {
  const gen& token = tabgen[g];
  std::ostringstream problem;
  if (token.active != 0 && token.active != 1) problem << "token " << g << " has active " << token.active;
  else if (token.type < 0 || token.type >= kTypeCount) problem << "token " << g << " has type " << token.type;
  else if (token.active == 1 && (token.padIndex < 0 || token.padIndex >= kPadCount))
    problem << "token " << g << " is on the board with pad " << token.padIndex;
  else if (token.active == 1 && tabPad[token.padIndex].genIndex != g)
    problem << "token " << g << " names pad " << token.padIndex << ", which names " << tabPad[token.padIndex].genIndex;
  else if (token.active == 0 && token.padIndex != kNone)
    problem << "token " << g << " is off the board with pad " << token.padIndex;
  else if (token.x != std::floor(token.x) || token.y != std::floor(token.y))
    problem << "token " << g << " has a corner (" << token.x << ", " << token.y << ") off the pixel grid";
  else if (!before.everPlaced[g] && token.active == 0 && (token.type != 0 || token.x != 0.0f || token.y != 0.0f))
    problem << "token " << g << ", never placed, changed";
  else if (before.tokens[g].active == 0 && token.active == 0 &&
           (token.type != before.tokens[g].type || token.x != before.tokens[g].x || token.y != before.tokens[g].y))
    problem << "token " << g << ", off the board, changed its type or corner";
  return problem.str();
}

std::string padProblem(int p) {
  const int g = tabPad[p].genIndex;
  if (g == kNone) return "";
  if (g < 0 || g >= kGenCount) return "pad " + std::to_string(p) + " names token " + std::to_string(g);
  if (tabgen[g].active != 1 || tabgen[g].padIndex != p)
    return "pad " + std::to_string(p) + " names token " + std::to_string(g) + ", which is not on it";
  return "";
}

std::string stateProblem(const history& before) {
  std::ostringstream problem;
  if (genType < 0 || genType >= kTypeCount) problem << "genType " << genType;
  else if (mvType < kMoveSingle || mvType > kMoveAll) problem << "mvType " << mvType;
  else if (genActif != kNone && (genActif < 0 || genActif >= kGenCount)) problem << "genActif " << genActif;
  else if (before.everSelected && genActif == kNone) problem << "the selection was lost";
  else if (dragged != kNone && dragged != genActif)
    problem << "dragged " << dragged << " is not the selection " << genActif;
  return problem.str();
}

// A channel holds 0 (silenced) or a value of the gain law.
std::string gainProblem() {
  for (int n = 0; n < kPadCount; ++n) {
    const float value = channelGain(n);
    if (value != 0.0f && (value < kLowestLawGain - kLawTolerance || value > kHighestLawGain + kLawTolerance))
      return "channel " + std::to_string(n) + " holds " + std::to_string(value);
  }
  return "";
}

bool startsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

// A gain line names the same pad twice and follows the law for its distance.
std::string gainLineProblem(const std::string& line) {
  int pad = -1, channel = -1;
  float distance = -1.0f, value = -1.0f;
  int consumed = 0;
  if (std::sscanf(line.c_str(), "pad=%ddtcentre= %fgain=%f/Canaux0/canal%d%n", &pad, &distance, &value, &channel,
                  &consumed) != 4 ||
      consumed != static_cast<int>(line.size()))
    return "unreadable gain line";
  if (pad != channel || pad < 0 || pad >= kPadCount) return "gain line names two pads";
  if (distance != 0.0f && (distance < 2.0f || distance > 58.0f)) return "distance outside the dead zone and cap";
  if (std::fabs(value - (59.0f - distance) * 0.017f) > kLawTolerance) return "gain off the law for its distance";
  return "";
}

std::string lineProblem(const std::string& line) {
  static const char* const literals[] = {
      "the left button was pressed", "bouton: Déplacer ", "bouton: Déplacer groupe", "bouton: Tout déplacer ",
      "bouton: mute ",               "bouton: mute groupe ", "bouton: tout muter",  "Bouton relâché",
      "end drag"};
  for (const char* literal : literals)
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
  if (trace.find("bouton: tout muter\n") == std::string::npos && !deleteAll) return "";
  for (int n = 0; n < kPadCount; ++n)
    if (channelGain(n) != 0.0f) return "channel " + std::to_string(n) + " not silenced by mute all";
  for (int g = 0; g < kGenCount; ++g)
    if (tabgen[g].active != 0) return "token " + std::to_string(g) + " still on the board after mute all";
  return "";
}

void remember(history& seen) {
  for (int g = 0; g < kGenCount; ++g) {
    seen.tokens[g] = {tabgen[g].active, tabgen[g].type, tabgen[g].x, tabgen[g].y};
    if (tabgen[g].active == 1) seen.everPlaced[g] = true;
  }
  if (genActif != kNone) seen.everSelected = true;
}

std::string problemAfter(const std::string& trace, bool deleteAll, const history& before) {
  for (int g = 0; g < kGenCount; ++g) {
    const std::string problem = tokenProblem(g, before);
    if (!problem.empty()) return problem;
  }
  for (int p = 0; p < kPadCount; ++p) {
    const std::string problem = padProblem(p);
    if (!problem.empty()) return problem;
  }
  const std::string others[] = {stateProblem(before), gainProblem(), traceProblem(trace),
                                muteAllProblem(trace, deleteAll)};
  for (const std::string& problem : others)
    if (!problem.empty()) return problem;
  return "";
}

class BoardInvariants : public BoardTest, public ::testing::WithParamInterface<unsigned> {};

}  // namespace

TEST_P(BoardInvariants, HoldAfterEveryEvent) {
  const unsigned seed = GetParam();
  randomUser user(seed);
  history seen;
  remember(seen);
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
      failure = problemAfter(trace, deleteAll, seen);
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
