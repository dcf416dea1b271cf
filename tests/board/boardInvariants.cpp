#include "boardInvariants.h"

#include <cmath>
#include <sstream>

#include "boardFacts.h"
#include "engineFacade.h"

namespace {

constexpr float kLowestLawGain = 0.017f;
constexpr float kHighestLawGain = 1.003f;
constexpr float kLawSlack = 1e-6f;

// Only a press here selects a token.
constexpr area kBoardArea = {9, 941, 15, 949};

bool isToken(int value) { return value >= 0 && value < kGenCount; }

// A problem's text, made only once there is a problem: the checks run after
// every event, and a stream's set-up would cost more than all of them.
template <typename... parts>
std::string describe(const parts&... part) {
  std::ostringstream text;
  (text << ... << part);
  return text.str();
}

tokenView viewOf(const gen& t) {
  return {t.active, t.type, t.x, t.y, t.sprite.getOrigin(), t.sprite.getPosition(), t.sprite.texture()};
}

bool sameSprite(const tokenView& a, const tokenView& b) {
  return a.spriteOrigin == b.spriteOrigin && a.spritePosition == b.spritePosition && a.spriteTexture == b.spriteTexture;
}

std::string tokenProblem(int g, const boardHistory& before) {
  const gen& token = tabgen[g];
  const tokenView& was = before.tokens[g];
  if (token.active != 0 && token.active != 1) return describe("token ", g, " has active ", token.active);
  if (token.type < 0 || token.type >= kTypeCount) return describe("token ", g, " has type ", token.type);
  if (token.active == 1 && !isToken(token.padIndex))
    return describe("token ", g, " is on the board with pad ", token.padIndex);
  if (token.active == 1 && tabPad[token.padIndex].genIndex != g)
    return describe("token ", g, " names pad ", token.padIndex, ", which names ", tabPad[token.padIndex].genIndex);
  if (token.active == 0 && token.padIndex != kNone)
    return describe("token ", g, " is off the board with pad ", token.padIndex);
  if (token.x != std::floor(token.x) || token.y != std::floor(token.y))
    return describe("token ", g, " has a corner (", token.x, ", ", token.y, ") off the pixel grid");
  const boardSprite& ofType = genSprite[token.type];
  if (token.sprite.texture() != ofType.texture() || token.sprite.getOrigin() != ofType.getOrigin())
    return describe("token ", g, " has a sprite not of its type");
  if (!before.everPlaced[g] && token.active == 0 && (token.type != 0 || token.x != 0.0f || token.y != 0.0f))
    return describe("token ", g, ", never placed, changed");
  if (was.active == 0 && token.active == 0 &&
      (token.type != was.type || token.x != was.x || token.y != was.y || !sameSprite(viewOf(token), was)))
    return describe("token ", g, ", off the board, changed its type, corner or sprite");
  return "";
}

std::string padProblem(int p) {
  const int g = tabPad[p].genIndex;
  if (g == kNone) return "";
  if (!isToken(g)) return "pad " + std::to_string(p) + " names token " + std::to_string(g);
  if (tabgen[g].active != 1 || tabgen[g].padIndex != p)
    return "pad " + std::to_string(p) + " names token " + std::to_string(g) + ", which is not on it";
  return "";
}

std::string stateProblem(const boardEvent& event, const boardHistory& before) {
  const bool pressOnBoard = event.type == boardEventType::buttonPressed && kBoardArea.holds(event.x, event.y);
  if (genType < 0 || genType >= kTypeCount) return describe("genType ", genType);
  if (mvType != kMoveSingle && mvType != kMoveGroup && mvType != kMoveAll) return describe("mvType ", mvType);
  if (genActif != kNone && !isToken(genActif)) return describe("genActif ", genActif);
  if (before.genActif != kNone && genActif == kNone) return "the selection was lost";
  if (!pressOnBoard && genActif != before.genActif)
    return describe("the selection changed from ", before.genActif, " to ", genActif, " without a press on the board");
  if (dragged != kNone && dragged != genActif) return describe("dragged ", dragged, " is not the selection ", genActif);
  return "";
}

}  // namespace

boardHistory freshHistory() {
  boardHistory seen;
  remember(seen);
  return seen;
}

void remember(boardHistory& seen) {
  for (int g = 0; g < kGenCount; ++g) {
    seen.tokens[g] = viewOf(tabgen[g]);
    if (tabgen[g].active == 1) seen.everPlaced[g] = true;
  }
  seen.genActif = genActif;
}

std::string boardProblem(const boardEvent& event, const boardHistory& before) {
  for (int g = 0; g < kGenCount; ++g) {
    const std::string problem = tokenProblem(g, before);
    if (!problem.empty()) return problem;
  }
  for (int p = 0; p < kPadCount; ++p) {
    const std::string problem = padProblem(p);
    if (!problem.empty()) return problem;
  }
  return stateProblem(event, before);
}

std::string gainProblem() {
  for (int n = 0; n < kPadCount; ++n) {
    const float value = dspFaust->getParamValue((kPadAddressPrefix + std::to_string(n)).c_str());
    if (value != 0.0f && (value < kLowestLawGain - kLawSlack || value > kHighestLawGain + kLawSlack))
      return "channel " + std::to_string(n) + " holds " + std::to_string(value);
  }
  return "";
}
