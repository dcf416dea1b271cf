// A laptop's screen with no room for the whole scene: on a 1366x768 Xvfb
// (no window manager: the screen decides) the window opens smaller, lies on
// the screen, shows the whole scene scaled, and writes for each window pixel
// exactly the trace the full-size window writes for the scene pixel under
// that pixel's centre, drags beyond the window's edge included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expectedFrame.h"
#include "windowRun.h"

namespace {

constexpr int kLaptopWidth = 1366, kLaptopHeight = 768;
// The largest 1094:970 window on that screen, centred.
constexpr int kScaledWidth = 866, kScaledHeight = 768, kScaledLeft = 250;
constexpr int kSceneWidth = 1094, kSceneHeight = 970;
const std::string kUnsupportedScreen = "less than the 1024x600 supported";

// The palette, the four corner pads, the move-all and mute-all buttons, and
// a drag that leaves the window on the left and on the right (it touches the
// screen's top and bottom) before coming back.
// clang-format off
const std::vector<step> kSteps = {
    {act::move, 811, 197}, {act::press}, {act::release},
    {act::move, 53, 58}, {act::press}, {act::release},
    {act::move, 707, 58}, {act::rightPress}, {act::rightRelease},
    {act::move, 53, 711}, {act::press}, {act::release},
    {act::move, 707, 711}, {act::press}, {act::release},
    {act::move, 839, 50}, {act::press}, {act::release},
    {act::move, 60, 65}, {act::press}, {act::move, 75, 80}, {act::move, -20, 400}, {act::move, 900, 300},
    {act::move, 400, 300}, {act::release},
    {act::move, 839, 73}, {act::press}, {act::release},
};
// clang-format on

TEST(ScaledWindow, OnA1366x768ScreenGivesTheFullSizeTraceOfTheScenePixels) {
  XServer laptop(kLaptopWidth, kLaptopHeight);
  run scaled = startOn(laptop);
  const WindowGeometry placed = scaled.window->geometry();
  EXPECT_EQ(placed.width, kScaledWidth);
  EXPECT_EQ(placed.height, kScaledHeight);
  EXPECT_EQ(placed.x, kScaledLeft);
  EXPECT_EQ(placed.y, 0);
  // The scene's panel and the background below it, where the scaled scene
  // puts them: the whole scene is shown, not its top-left corner.
  const Screenshot shot = scaled.window->screenshotWhen(
      [](const Screenshot& s) { return s.pixel(847, 308) == kPanelColour && s.pixel(847, 712) == kBackground; });
  EXPECT_EQ(shot.pixel(847, 308), kPanelColour);
  EXPECT_EQ(shot.pixel(847, 712), kBackground);
  const std::vector<std::string> scaledTrace = play(scaled, kSteps, [](const step& s) { return std::pair{s.x, s.y}; });
  EXPECT_EQ(scaled.app->stderrText().find(kUnsupportedScreen), std::string::npos);

  XServer wide;
  run full = startOn(wide);
  EXPECT_EQ(full.window->geometry().width, kSceneWidth);
  const std::vector<std::string> fullTrace = play(full, kSteps, [](const step& s) {
    return std::pair{underCentre(s.x, kScaledWidth, kSceneWidth), underCentre(s.y, kScaledHeight, kSceneHeight)};
  });
  EXPECT_TRUE(scaledTrace == fullTrace) << firstDifference(scaledTrace, fullTrace);
  // Every move writes two lines: the trace holds far more than start and end.
  EXPECT_GT(scaledTrace.size(), kSteps.size());
}

TEST(ScaledWindow, BelowTheSupportedScreenItSaysSoAndStillFits) {
  XServer small(800, 480);
  run shrunk = startOn(small);
  const WindowGeometry placed = shrunk.window->geometry();
  EXPECT_LE(placed.x + placed.width, 800);
  EXPECT_LE(placed.y + placed.height, 480);
  EXPECT_EQ(placed.height, 480);
  EXPECT_TRUE(shrunk.app->waitForStderr(kUnsupportedScreen)) << shrunk.app->stderrText();
}

}  // namespace
