#include "gainLaw.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "boardModel.h"
#include "engineFacade.h"
#include "sceneLayout.h"
#include "traceLine.h"

namespace {

constexpr float kDeadZone = 2.0f;
constexpr float kDistanceCap = 58.0f;
// The gain goes with the centre offset less the distance: 1.003 at the
// centre, 0.017 at the cap.
constexpr float kReference = static_cast<float>(kCentreFromCorner);
constexpr double kScale = 1.7;
constexpr double kScaleDivisor = 100;
// From this squared distance on the distance is capped.
constexpr int kCappedSquare = static_cast<int>(kDistanceCap * kDistanceCap);
constexpr std::size_t kLawTextSize = 48;

// The distance and the gain of a point, and their part of its trace line.
struct lawFigures {
  float distance = 0.0f;
  float gain = 0.0f;
  char text[kLawTextSize] = {};
  bool ready = false;
};

// Both figures depend on the point's squared distance from the pad's centre
// alone, a whole number, and their text is made once per squared distance,
// when it first comes: formatting the two numbers of each gain line was most
// of an all-mode drag step's own work.
lawFigures lawTable[kCappedSquare + 1];

// Single-precision offsets, double-precision squares, sum and root: whole
// offsets make the double sum of squares the exact whole number.
lawFigures figuresFor(int squared) {
  float d = static_cast<float>(std::sqrt(static_cast<double>(squared)));
  if (d < kDeadZone) d = 0.0f;
  if (d > kDistanceCap) d = kDistanceCap;
  lawFigures figures;
  figures.distance = d;
  figures.gain = static_cast<float>(static_cast<double>(kReference - d) * kScale / kScaleDivisor);
  traceText line;
  traceAppend(line, "dtcentre= ");
  traceAppend(line, figures.distance);
  traceAppend(line, "gain=");
  traceAppend(line, figures.gain);
  const std::size_t length = std::min(static_cast<std::size_t>(line.at - line.text), kLawTextSize - 1);
  std::memcpy(figures.text, line.text, length);
  figures.ready = true;
  return figures;
}

const lawFigures& figuresAt(int p, int x, int y) {
  const int dx = tabPad[p].x + kCentreFromCorner - x;
  const int dy = tabPad[p].y + kCentreFromCorner - y;
  const int squared = std::min(dx * dx + dy * dy, kCappedSquare);
  lawFigures& figures = lawTable[squared];
  if (!figures.ready) figures = figuresFor(squared);
  return figures;
}

padAddress sendToPad(int number, float value) {
  padAddress address;
  formatAddress(address.text, number);
  dspFaust->setParamValue(address.text, value);
  return address;
}

}  // namespace

float lowestGain() { return figuresFor(kCappedSquare).gain; }

float highestGain() { return figuresFor(0).gain; }

padAddress silencePad(int number) { return sendToPad(number, 0.0f); }

void gain(int x, int y) {
  const int p = findPadWH(x, y);
  if (p == kNone) return;
  const lawFigures& figures = figuresAt(p, x, y);
  const padAddress address = sendToPad(p, figures.gain);
  traceLine("pad=", p, figures.text, address.text);
}
