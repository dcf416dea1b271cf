// A high-density screen: on a 3840x2160 Xvfb (no window manager: the screen
// decides) the window is the scene times the scale that Xft.dpi in the root
// window's resources gives, pixel-doubled at 200 % and smooth at 150 %, and
// every press gives the full-size window's trace for the scene pixel under
// it; without Xft.dpi the window is the scene's size exactly, or follows
// GDK_SCALE, then the settings manager's Gdk/WindowScalingFactor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boardFacts.h"
#include "expectedFrame.h"
#include "startupLines.h"
#include "windowRun.h"
#include "xsettingsManager.h"

namespace {

constexpr int kRoomWidth = 3840, kRoomHeight = 2160;
constexpr int kSceneWidth = 1094, kSceneHeight = 970;
const std::string kDoubleDpi = "Xft.dpi:\t192\n";
const std::string kOneAndAHalfDpi = "Xft.dpi:\t144\n";
const std::string kInvalidOverride = "ZELQUOR_SCALE is not a scale";
constexpr int kCornerPads[] = {0, 7, 56, 63};
// Pad 0's number and the board around it, in scene pixels.
constexpr int kBoxLeft = 8, kBoxTop = 14, kBoxWidth = 24, kBoxHeight = 20;
// A panel pixel clear of the buttons and the palette, drawn in every frame.
constexpr int kPanelX = 965, kPanelY = 390;

WindowGeometry centredOnRoom(int width, int height) {
  return {(kRoomWidth - width) / 2, (kRoomHeight - height) / 2, width, height};
}

void expectGeometry(const run& running, const WindowGeometry& wanted) {
  const WindowGeometry placed = running.window->geometry();
  EXPECT_EQ(placed.width, wanted.width);
  EXPECT_EQ(placed.height, wanted.height);
  EXPECT_EQ(placed.x, wanted.x);
  EXPECT_EQ(placed.y, wanted.y);
}

// The first frame, at the window's scale.
Screenshot drawnFrame(const run& running, int scale) {
  return running.window->screenshotWhen(
      [scale](const Screenshot& s) { return s.pixel(kPanelX * scale, kPanelY * scale) == kPanelColour; });
}

void close(run& running) {
  running.window->requestClose();
  const auto status = running.app->waitForExit();
  EXPECT_TRUE(status && status->exitedWith(0));
}

TEST(HighDensityWindow, At192DpiTwiceTheScenePixelForPixelAndEachCornerPadAtItsCentre) {
  XServer room(kRoomWidth, kRoomHeight);
  run plain = startOn(room);
  expectGeometry(plain, centredOnRoom(kSceneWidth, kSceneHeight));
  const Screenshot full = drawnFrame(plain, 1);
  close(plain);

  setRootResources(room.displayName(), kDoubleDpi);
  // An override that is not a scale is said and left aside.
  run doubled = startOn(room, {"ZELQUOR_SCALE=big"});
  expectGeometry(doubled, centredOnRoom(2 * kSceneWidth, 2 * kSceneHeight));
  EXPECT_TRUE(doubled.app->waitForStderr(kInvalidOverride)) << doubled.app->stderrText();
  const Screenshot shot = drawnFrame(doubled, 2);
  int unlike = 0;
  for (int y = kBoxTop; y < kBoxTop + kBoxHeight; ++y)
    for (int x = kBoxLeft; x < kBoxLeft + kBoxWidth; ++x)
      for (int square = 0; square < 4; ++square)
        unlike += shot.pixel(2 * x + square % 2, 2 * y + square / 2) != full.pixel(x, y);
  EXPECT_EQ(unlike, 0) << "of " << 4 * kBoxWidth * kBoxHeight << " pixels of pad 0's number box";

  for (int pad : kCornerPads) {
    SCOPED_TRACE(pad);
    const XWindow& w = *doubled.window;
    w.moveMouse(2 * padCentreX(pad) + 1, 2 * padCentreY(pad) + 1);
    w.click();
    const std::string gainLine = "pad=" + std::to_string(pad) + "dtcentre= ";
    EXPECT_EQ(doubled.app->waitForLine(gainLine, LineMatch::prefix),
              gainLine + "0gain=1.003" + kPadAddressPrefix + std::to_string(pad));
  }
  close(doubled);
}

// A palette entry, a drag from a pad onto the next, the mute button of the
// selected token, all at the first or last window pixel of their zones at
// 1641x1455, and a press just beside the mute button.
// clang-format off
const std::vector<step> kSteps = {
    {act::move, 1492, 348}, {act::press}, {act::release},
    {act::move, 300, 300}, {act::press}, {act::move, 330, 310}, {act::move, 480, 330}, {act::release},
    {act::move, 1474, 118}, {act::press}, {act::release},
    {act::move, 1473, 160}, {act::press}, {act::release},
};
// clang-format on

TEST(HighDensityWindow, At144DpiOneAndAHalfTimesTheSceneWithTheFullSizeTrace) {
  XServer room(kRoomWidth, kRoomHeight);
  setRootResources(room.displayName(), kOneAndAHalfDpi);
  constexpr int kWidth = 1641, kHeight = 1455;
  run scaled = startOn(room);
  expectGeometry(scaled, centredOnRoom(kWidth, kHeight));
  const std::vector<std::string> scaledTrace = play(scaled, kSteps, [](const step& s) { return std::pair{s.x, s.y}; });
  EXPECT_EQ(scaled.app->stderrText().find(kInvalidOverride), std::string::npos);

  // The user's override above the desktop's scale.
  run full = startOn(room, {"ZELQUOR_SCALE=1"});
  expectGeometry(full, centredOnRoom(kSceneWidth, kSceneHeight));
  const std::vector<std::string> fullTrace = play(full, kSteps, [](const step& s) {
    return std::pair{underCentre(s.x, kWidth, kSceneWidth), underCentre(s.y, kHeight, kSceneHeight)};
  });
  EXPECT_TRUE(scaledTrace == fullTrace) << firstDifference(scaledTrace, fullTrace);
  EXPECT_TRUE(holdsLine(fullTrace, kMuteOneLine)) << "the mute button was not reached";
}

TEST(HighDensityWindow, WithoutXftDpiGdkScaleThenTheSettingsManagersFactorAndNeverTwo) {
  XServer room(kRoomWidth, kRoomHeight);
  XsettingsManager manager(room.displayName(), xsettingsWith(true, "Gdk/WindowScalingFactor", 2));
  run byEnvironment = startOn(room, {"GDK_SCALE=3"});
  // Three times the scene has no room: the room's height decides.
  expectGeometry(byEnvironment, centredOnRoom(kRoomHeight * kSceneWidth / kSceneHeight, kRoomHeight));
  close(byEnvironment);
  run byManager = startOn(room);
  expectGeometry(byManager, centredOnRoom(2 * kSceneWidth, 2 * kSceneHeight));
  close(byManager);
  setRootResources(room.displayName(), kOneAndAHalfDpi);
  run byDpi = startOn(room, {"GDK_SCALE=3"});
  expectGeometry(byDpi, centredOnRoom(1641, 1455));
  close(byDpi);
}

}  // namespace
