// A laptop's screen with no room for the whole scene: on a 1366x768 Xvfb
// (no window manager: the screen decides) the window opens smaller, lies on
// the screen, shows the whole scene scaled, and writes for each window pixel
// exactly the trace the full-size window writes for the scene pixel under
// that pixel's centre, drags beyond the window's edge included.
// A high-density screen: on a 3840x2160 Xvfb the window is the scene times
// the desktop's scale (Xft.dpi in the root window's resources, else
// GDK_SCALE, else the settings manager's factor), pixel-doubled at 200 %,
// smooth at 150 %, with the same rule for the trace; without any of them
// the scene's size exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "expectedFrame.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"
#include "xsettingsManager.h"

namespace {

constexpr int kLaptopWidth = 1366, kLaptopHeight = 768;
// The largest 1094:970 window on that screen, centred.
constexpr int kScaledWidth = 866, kScaledHeight = 768, kScaledLeft = 250;
constexpr int kFullWidth = static_cast<int>(kSceneWidth), kFullHeight = static_cast<int>(kSceneHeight);
const std::string kUnsupportedScreen = "less than the 1024x600 supported";

enum class act { move, press, release, rightPress, rightRelease };
struct step {
  act what;
  int x = 0, y = 0;  // pixels of the scaled window, for moves
};

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

// The scene pixel under the centre of a scaled window's pixel.
int underCentre(int p, int windowLength, int sceneLength) {
  return static_cast<int>(std::floor((p + 0.5) * sceneLength / windowLength));
}

struct run {
  std::unique_ptr<AppProcess> app;
  std::unique_ptr<XWindow> window;
};

run startOn(const XServer& x, const std::vector<std::string>& moreEnvironment = {}) {
  AppOptions options;
  options.environment = environmentWithoutJack(x);
  options.environment.insert(options.environment.end(), moreEnvironment.begin(), moreEnvironment.end());
  run started{std::make_unique<AppProcess>(options), nullptr};
  if (!started.app->waitForLine(kStoppedLine)) throw std::runtime_error("no start: " + started.app->stderrText());
  started.window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
  if (!started.window) throw std::runtime_error("no window titled " + kWindowTitle);
  return started;
}

void close(run& running) {
  running.window->requestClose();
  const auto status = running.app->waitForExit();
  EXPECT_TRUE(status && status->exitedWith(0));
}

// Plays the steps at the points `at` gives, closes the window, and hands
// back the whole trace.
std::vector<std::string> play(run& running, const std::function<std::pair<int, int>(const step&)>& at,
                              const std::vector<step>& steps = kSteps) {
  for (const step& s : steps) {
    const XWindow& w = *running.window;
    switch (s.what) {
      case act::move: {
        const auto [x, y] = at(s);
        w.moveMouse(x, y);
        break;
      }
      case act::press: w.mouseDown(); break;
      case act::release: w.mouseUp(); break;
      case act::rightPress: w.mouseDown(XWindow::kRightButton); break;
      case act::rightRelease: w.mouseUp(XWindow::kRightButton); break;
    }
  }
  close(running);
  return running.app->stdoutTraceLines();
}

// Where two traces part, for the failure message.
std::string firstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const auto at = [i](const std::vector<std::string>& t) { return i < t.size() ? t[i] : "(end)"; };
  return "line " + std::to_string(i + 1) + ": scaled \"" + at(a) + "\", full size \"" + at(b) + "\"";
}

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
  const std::vector<std::string> scaledTrace = play(scaled, [](const step& s) { return std::pair{s.x, s.y}; });
  EXPECT_EQ(scaled.app->stderrText().find(kUnsupportedScreen), std::string::npos);

  XServer wide;
  run full = startOn(wide);
  EXPECT_EQ(full.window->geometry().width, kSceneWidth);
  const std::vector<std::string> fullTrace = play(full, [](const step& s) {
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

constexpr int kRoomWidth = 3840, kRoomHeight = 2160;
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

TEST(HighDensityWindow, At192DpiTwiceTheScenePixelForPixelAndEachCornerPadAtItsCentre) {
  XServer room(kRoomWidth, kRoomHeight);
  run plain = startOn(room);
  expectGeometry(plain, centredOnRoom(kFullWidth, kSceneHeight));
  const Screenshot full = drawnFrame(plain, 1);
  close(plain);

  setRootResources(room.displayName(), kDoubleDpi);
  // An override that is not a scale is said and left aside.
  run doubled = startOn(room, {"ZELQUOR_SCALE=big"});
  expectGeometry(doubled, centredOnRoom(2 * kFullWidth, 2 * kSceneHeight));
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
const std::vector<step> kDenseSteps = {
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
  const std::vector<std::string> scaledTrace = play(
      scaled,
      [](const step& s) {
        return std::pair{s.x, s.y};
      },
      kDenseSteps);
  EXPECT_EQ(scaled.app->stderrText().find(kInvalidOverride), std::string::npos);

  // The user's override above the desktop's scale.
  run full = startOn(room, {"ZELQUOR_SCALE=1"});
  expectGeometry(full, centredOnRoom(kFullWidth, kSceneHeight));
  const std::vector<std::string> fullTrace = play(
      full,
      [](const step& s) {
        return std::pair{underCentre(s.x, kWidth, kSceneWidth), underCentre(s.y, kHeight, kSceneHeight)};
      },
      kDenseSteps);
  EXPECT_TRUE(scaledTrace == fullTrace) << firstDifference(scaledTrace, fullTrace);
  EXPECT_TRUE(holdsLine(fullTrace, kMuteOneLine)) << "the mute button was not reached";
}

TEST(HighDensityWindow, WithoutXftDpiGdkScaleThenTheSettingsManagersFactorAndNeverTwo) {
  XServer room(kRoomWidth, kRoomHeight);
  XsettingsManager manager(room.displayName(), xsettingsWith(true, "Gdk/WindowScalingFactor", 2));
  run byEnvironment = startOn(room, {"GDK_SCALE=3"});
  // Three times the scene has no room: the room's height decides.
  expectGeometry(byEnvironment, centredOnRoom(kRoomHeight * kFullWidth / kFullHeight, kRoomHeight));
  close(byEnvironment);
  run byManager = startOn(room);
  expectGeometry(byManager, centredOnRoom(2 * kFullWidth, 2 * kSceneHeight));
  close(byManager);
  setRootResources(room.displayName(), kOneAndAHalfDpi);
  run byDpi = startOn(room, {"GDK_SCALE=3"});
  expectGeometry(byDpi, centredOnRoom(1641, 1455));
  close(byDpi);
}

}  // namespace
