#include "boardFacts.h"

#include <cmath>

namespace {

constexpr float kLawReference = 59.0f;
constexpr double kLawPercentScale = 1.7;
constexpr double kPercent = 100;

}  // namespace

float lawDistance(int pad, int x, int y) {
  const float dx = static_cast<float>(padCentreX(pad)) - static_cast<float>(x);
  const float dy = static_cast<float>(padCentreY(pad)) - static_cast<float>(y);
  float d = static_cast<float>(std::sqrt(double(dx) * double(dx) + double(dy) * double(dy)));
  if (d < kLawDeadZone) d = 0.0f;
  if (d > kLawCap) d = kLawCap;
  return d;
}

float lawGain(float distance) {
  return static_cast<float>(double(kLawReference - distance) * kLawPercentScale / kPercent);
}

std::string keyLine(int code) { return "key:" + std::to_string(code) + " c"; }

std::vector<int> padsOfChannel(int channel) {
  if (channel < kSharedChannel) return {channel};
  if (channel == kSharedChannel) return {kSharedChannel, kSharedChannel + 1};
  return {channel + 1};
}

std::string padsPortName(int channel, const std::string& direction) {
  const std::vector<int> pads = padsOfChannel(channel);
  if (pads.size() == 1) return "Pad " + std::to_string(pads[0]) + " " + direction;
  return "Pads " + std::to_string(pads[0]) + " and " + std::to_string(pads[1]) + " " + direction;
}

int channelOfPad(int pad) {
  if (pad <= kSharedChannel) return pad;
  if (pad == kSharedChannel + 1) return kSharedChannel;
  return pad - 1;
}
