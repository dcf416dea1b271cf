#include "gainLaw.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>

#include "boardModel.h"
#include "engineFacade.h"

namespace {

constexpr int kCentreOffset = 59;
constexpr float kDeadZone = 2.0f;
constexpr float kDistanceCap = 58.0f;
constexpr float kReference = 59.0f;
constexpr double kScale = 1.7;
constexpr double kScaleDivisor = 100;
// The precision with which the standard stream writes a float by default.
constexpr int kStreamPrecision = 6;
constexpr int kTraceLineSize = 128;

// Single-precision offsets, double-precision squares, sum and root.
float distanceToCentre(int p, int x, int y) {
  const float cx = static_cast<float>(tabPad[p].x + kCentreOffset);
  const float cy = static_cast<float>(tabPad[p].y + kCentreOffset);
  const float dx = cx - static_cast<float>(x);
  const float dy = cy - static_cast<float>(y);
  return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
}

char* append(char* at, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(at, text, length);
  return at + length;
}

// A float as the standard stream writes it by default ("%.6g", promoted to
// double). The stream formats each number through the locale and printf,
// which took most of the time of an all-mode drag step's 64 lines.
char* appendFloat(char* at, char* end, float value) {
  return std::to_chars(at, end, static_cast<double>(value), std::chars_format::general, kStreamPrecision).ptr;
}

// The whole line goes to the stream at once, then the line end that
// flushes it, as before.
void traceGain(int p, float d, float g, const char* address) {
  char line[kTraceLineSize];
  char* const end = line + kTraceLineSize;
  char* at = append(line, "pad=");
  at = std::to_chars(at, end, p).ptr;
  at = append(at, "dtcentre= ");
  at = appendFloat(at, end, d);
  at = append(at, "gain=");
  at = appendFloat(at, end, g);
  at = append(at, address);
  std::cout.write(line, at - line) << std::endl;
}

}  // namespace

void silencePad(int number) {
  char address[kAddressSize];
  formatAddress(address, number);
  dspFaust->setParamValue(address, 0.0f);
}

void gain(int x, int y) {
  const int p = findPadWH(x, y);
  if (p == kNone) return;
  float d = distanceToCentre(p, x, y);
  if (d < kDeadZone) d = 0.0f;
  if (d > kDistanceCap) d = kDistanceCap;
  const float g = static_cast<float>(static_cast<double>(kReference - d) * kScale / kScaleDivisor);
  char address[kAddressSize];
  formatAddress(address, p);
  dspFaust->setParamValue(address, g);
  traceGain(p, d, g, address);
}
