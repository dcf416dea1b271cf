#include "traceLines.h"

#include <cmath>
#include <sstream>

namespace {

constexpr float kDeadZone = 2.0f;
constexpr float kCap = 58.0f;
constexpr float kReference = 59.0f;
constexpr double kPercentScale = 1.7;

// The distance as the law takes it: float offsets, double root, dead zone
// and cap applied.
float lawDistance(int pad, int x, int y) {
  const float dx = static_cast<float>(padCentreX(pad)) - static_cast<float>(x);
  const float dy = static_cast<float>(padCentreY(pad)) - static_cast<float>(y);
  float d = static_cast<float>(std::sqrt(double(dx) * double(dx) + double(dy) * double(dy)));
  if (d < kDeadZone) d = 0.0f;
  if (d > kCap) d = kCap;
  return d;
}

float lawGain(float distance) { return static_cast<float>(double(kReference - distance) * kPercentScale / 100); }

}  // namespace

Lines operator+(Lines first, const Lines& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

Lines operator+(Lines first, const std::string& line) {
  first.push_back(line);
  return first;
}

Lines presses(int x, int y) {
  return {kLeftPressLine, kMouseXPrefix + std::to_string(x), kMouseYPrefix + std::to_string(y)};
}

Lines moves(int x, int y) { return {kMouseXPrefix + std::to_string(x), kMouseYPrefix + std::to_string(y)}; }

std::string released() { return kReleaseLine; }
std::string endDrag() { return kEndDragLine; }
std::string padLine(int pad) { return "pad=" + std::to_string(pad); }

std::string gainLine(int pad, int x, int y) {
  const float d = lawDistance(pad, x, y);
  std::ostringstream line;
  line << "pad=" << pad << "dtcentre= " << d << "gain=" << lawGain(d) << kPadAddressPrefix << pad;
  return line.str();
}

float gainAt(int pad, int x, int y) { return lawGain(lawDistance(pad, x, y)); }

std::string messageLine(int pad) { return kMessagePrefix + std::to_string(pad); }

std::string paletteLine(int band) {
  std::ostringstream line;
  line << "cy=" << static_cast<float>(band) << "bouton = " << band;
  return line.str();
}
