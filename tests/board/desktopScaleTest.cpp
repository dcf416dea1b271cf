// The desktop's scale: which source counts, in which order, what the user's
// override does, and the XSETTINGS property read from another program's
// bytes, malformed ones included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scaleChoice.h"
#include "xsettings.h"
#include "xsettingsManager.h"

namespace {

struct scaleCase {
  const char* what;
  scaleSources sources;
  double scale;
  scaleOrigin origin;
  bool overrideInvalid;
};

const scaleCase kScaleCases[] = {
    {"nothing said", {}, 1, scaleOrigin::none, false},
    {"200 %", {{}, "192", {}, {}}, 2, scaleOrigin::xftDpi, false},
    {"125 %, as a resource file writes it", {{}, " 120.0 ", {}, {}}, 1.25, scaleOrigin::xftDpi, false},
    {"Xft.dpi alone counts where GTK's are set too", {{}, "144", "2", 2}, 1.5, scaleOrigin::xftDpi, false},
    {"a dpi below 96 keeps the scene's size", {{}, "72", "2", 2}, 1, scaleOrigin::xftDpi, false},
    {"beyond 400 %", {{}, "960", {}, {}}, 4, scaleOrigin::xftDpi, false},
    {"GDK_SCALE before the settings manager", {{}, {}, "2", 3}, 2, scaleOrigin::gdkScale, false},
    {"settings manager alone", {{}, {}, {}, 2}, 2, scaleOrigin::windowScalingFactor, false},
    {"unreadable Xft.dpi and GDK_SCALE", {{}, "high", "x", 3}, 3, scaleOrigin::windowScalingFactor, false},
    {"zero, negative, not finite", {{}, "0", "-2", 0}, 1, scaleOrigin::none, false},
    {"Xft.dpi in exponent form", {{}, "1.92e2", {}, {}}, 1, scaleOrigin::none, false},
    {"override above the desktop", {"1.5", "192", {}, {}}, 1.5, scaleOrigin::override, false},
    {"override to the smallest", {"0.5", {}, {}, {}}, 0.5, scaleOrigin::override, false},
    {"override to the largest", {"4", {}, {}, {}}, 4, scaleOrigin::override, false},
    {"empty override is unset", {"", "192", {}, {}}, 2, scaleOrigin::xftDpi, false},
};

TEST(DesktopScale, FirstValidSourceCountsAloneInItsOrder) {
  for (const scaleCase& c : kScaleCases) {
    SCOPED_TRACE(c.what);
    const scaleChoice chosen = chooseScale(c.sources);
    EXPECT_DOUBLE_EQ(chosen.scale, c.scale);
    EXPECT_EQ(chosen.origin, c.origin);
    EXPECT_EQ(chosen.overrideInvalid, c.overrideInvalid);
  }
}

TEST(DesktopScale, InvalidOverrideIsSaidAndTheDesktopsScaleKept) {
  for (const char* wrong : {"abc", "0", "-2", "0.4", "4.5", "1,5", "1.5x", "150%", "nan", "inf", " "}) {
    SCOPED_TRACE(wrong);
    const scaleChoice chosen = chooseScale({wrong, "192", {}, {}});
    EXPECT_TRUE(chosen.overrideInvalid);
    EXPECT_DOUBLE_EQ(chosen.scale, 2);
    EXPECT_EQ(chosen.origin, scaleOrigin::xftDpi);
  }
}

std::optional<long> factorIn(const std::vector<unsigned char>& bytes) {
  // Copied to a block of exactly its size, so that the sanitizers see any
  // read beyond it.
  std::vector<unsigned char> exact(bytes);
  exact.shrink_to_fit();
  return xsettingsInteger(exact.data(), exact.size(), "Gdk/WindowScalingFactor");
}

TEST(Xsettings, IntegerFoundInEitherByteOrderPastStringsAndColours) {
  EXPECT_EQ(factorIn(xsettingsWith(false, "Gdk/WindowScalingFactor", 2)), 2);
  EXPECT_EQ(factorIn(xsettingsWith(true, "Gdk/WindowScalingFactor", 3)), 3);
  EXPECT_EQ(factorIn(xsettingsWith(true, "Gdk/WindowScalingFactor", -1)), -1);
  EXPECT_EQ(factorIn(xsettingsWith(false, "Gdk/WindowScaling", 2)), std::nullopt);
  const auto bytes = xsettingsWith(false, "Gdk/WindowScalingFactor", 2);
  EXPECT_EQ(xsettingsInteger(bytes.data(), bytes.size(), "Xft/DPI"), 96 * 1024);
  EXPECT_EQ(xsettingsInteger(bytes.data(), bytes.size(), "Net/ThemeName"), std::nullopt);
}

TEST(Xsettings, MalformedDataGivesNothingAndIsNeverReadBeyondItsEnd) {
  const std::vector<unsigned char> whole = xsettingsWith(false, "Gdk/WindowScalingFactor", 2);
  const std::size_t valueEnd = whole.size() - 20;  // the last setting takes 20 bytes
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE(size);
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
    EXPECT_EQ(factorIn(cut), size < valueEnd ? std::nullopt : std::optional<long>(2));
  }
  EXPECT_EQ(xsettingsInteger(nullptr, 0, "Gdk/WindowScalingFactor"), std::nullopt);
  // A byte-order byte that is neither, counts and lengths far beyond the
  // data, and a type that does not exist.
  const auto changed = [&](std::size_t at, std::vector<unsigned char> with) {
    std::vector<unsigned char> bytes(whole);
    for (std::size_t i = 0; i < with.size(); ++i) bytes.at(at + i) = with[i];
    return factorIn(bytes);
  };
  EXPECT_EQ(changed(0, {2}), std::nullopt);
  EXPECT_EQ(changed(8, {0xff, 0xff, 0xff, 0xff}), 2);
  EXPECT_EQ(changed(8, {1, 0, 0, 0}), std::nullopt);
  EXPECT_EQ(changed(14, {0xff, 0xff}), std::nullopt);
  EXPECT_EQ(changed(36, {0xff, 0xff, 0xff, 0xfe}), std::nullopt);
  EXPECT_EQ(changed(12, {9}), std::nullopt);
  std::vector<unsigned char> endless = xsettingsWith(true, "Gdk/Other", 2);
  endless[8] = endless[9] = endless[10] = endless[11] = 0xff;
  EXPECT_EQ(factorIn(endless), std::nullopt);
}

}  // namespace
