#include "gainLaw.h"

#include <cmath>

#include "boardModel.h"
#include "engineFacade.h"
#include "traceLine.h"

namespace {

constexpr int kCentreOffset = 59;
constexpr float kDeadZone = 2.0f;
constexpr float kDistanceCap = 58.0f;
constexpr float kReference = 59.0f;
constexpr double kScale = 1.7;
constexpr double kScaleDivisor = 100;

// Single-precision offsets, double-precision squares, sum and root.
float distanceToCentre(int p, int x, int y) {
  const float cx = static_cast<float>(tabPad[p].x + kCentreOffset);
  const float cy = static_cast<float>(tabPad[p].y + kCentreOffset);
  const float dx = cx - static_cast<float>(x);
  const float dy = cy - static_cast<float>(y);
  return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
}

padAddress sendToPad(int number, float value) {
  padAddress address;
  formatAddress(address.text, number);
  dspFaust->setParamValue(address.text, value);
  return address;
}

}  // namespace

padAddress silencePad(int number) { return sendToPad(number, 0.0f); }

void gain(int x, int y) {
  const int p = findPadWH(x, y);
  if (p == kNone) return;
  float d = distanceToCentre(p, x, y);
  if (d < kDeadZone) d = 0.0f;
  if (d > kDistanceCap) d = kDistanceCap;
  const float g = static_cast<float>(static_cast<double>(kReference - d) * kScale / kScaleDivisor);
  const padAddress address = sendToPad(p, g);
  traceLine("pad=", p, "dtcentre= ", d, "gain=", g, address.text);
}
