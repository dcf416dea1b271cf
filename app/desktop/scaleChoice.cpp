#include "scaleChoice.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A desktop's value, as the scale it stands for; nothing when it says none.
std::optional<double> desktopScale(std::optional<double> scale) {
  if (!scale || !std::isfinite(*scale) || *scale <= 0) return std::nullopt;
  return std::clamp(*scale, 1.0, kLargestScale);
}

std::optional<double> textScale(const std::optional<std::string>& text, double unit) {
  if (!text) return std::nullopt;
  const std::optional<double> number = decimalNumber(*text);
  return number ? desktopScale(*number / unit) : std::nullopt;
}

}  // namespace

std::optional<double> decimalNumber(const std::string& text) {
  // Blanks around the value, as resource files and shells leave them.
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const auto last = text.find_last_not_of(" \t");
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  double number = 0;
  const auto [stop, error] = std::from_chars(begin, end, number, std::chars_format::fixed);
  if (error != std::errc() || stop != end || !std::isfinite(number)) return std::nullopt;
  return number;
}

scaleChoice chooseScale(const scaleSources& sources) {
  scaleChoice choice;
  if (sources.override && !sources.override->empty()) {
    const std::optional<double> wanted = decimalNumber(*sources.override);
    if (wanted && *wanted >= kSmallestOverride && *wanted <= kLargestScale)
      return {*wanted, scaleOrigin::override, false};
    choice.overrideInvalid = true;
  }
  if (const auto scale = textScale(sources.xftDpi, kBaseDpi)) {
    choice.scale = *scale;
    choice.origin = scaleOrigin::xftDpi;
  } else if (const auto scale = textScale(sources.gdkScale, 1)) {
    choice.scale = *scale;
    choice.origin = scaleOrigin::gdkScale;
  } else if (const auto scale = desktopScale(sources.windowScalingFactor)) {
    choice.scale = *scale;
    choice.origin = scaleOrigin::windowScalingFactor;
  }
  return choice;
}
