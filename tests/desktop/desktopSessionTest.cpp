// The installed package in a desktop session, as a user meets it: started
// from its desktop entry in the home folder, on the session's PipeWire with
// nothing said about servers, driven through Xwayland under a compositor.
// Run by tests/desktop/desktopSession inside a desktop root, under pw-jack so
// that the probe reaches PipeWire; the program must find PipeWire itself.
// The session tells how to drive it:
//   ZELQUOR_SESSION_INPUT  xtest (injected pointer) or send (events sent to
//                          the window, for an Xwayland that refuses XTest)
//   ZELQUOR_SESSION_CLOSE  manager (_NET_CLOSE_WINDOW to the window manager)
//                          or client (WM_DELETE_WINDOW to the window)
//   ZELQUOR_SESSION_PANEL  top or bottom: a dock reserving that edge first
//   ZELQUOR_SESSION_SHOTS  a folder for the window's picture, NAME.png
//                          (ZELQUOR_SESSION_NAME); a full-size picture
//                          there is the reference a scaled one is held to
//   ZELQUOR_SESSION_SCALE  the monitor's scale (default 1), and its size in
//   ZELQUOR_SESSION_MONITOR  pixels, WIDTHxHEIGHT
//   ZELQUOR_SESSION_NATIVE 1 where X programs must get the monitor's own
//                          pixels and scale themselves
// Also run by the package's autopkgtests (debian/tests), under xvfb-run on a
// private PipeWire the same way, or on a private jackd named by
// JACK_DEFAULT_SERVER, which the program is then given as a user's session
// gives it.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "appProcess.h"
#include "dockPanel.h"
#include "imagePixels.h"
#include "jackProbe.h"
#include "sceneLayout.h"
#include "startupLines.h"
#include "traceLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

constexpr Timeout kStartTimeout = std::chrono::seconds(60);
constexpr Timeout kCloseTimeout = std::chrono::seconds(30);
constexpr Timeout kSettleTimeout = std::chrono::seconds(5);
constexpr Timeout kXTestGrace = std::chrono::seconds(3);
constexpr auto kPollStep = std::chrono::milliseconds(50);
constexpr int kSettleCycles = 8;
constexpr float kHeardTolerance = 1e-6f;
constexpr int kPortCount = 2 * kChannelTotal;
constexpr int kFullWidth = static_cast<int>(kSceneWidth);
constexpr int kFullHeight = static_cast<int>(kSceneHeight);
constexpr int kPanelThickness = 48;
// The palette entry clicked first, and its visible centre.
constexpr int kPaletteEntry = 3;
constexpr int kPaletteCentreX = kPaletteZone.middleX();
constexpr int kPaletteCentreY = kPaletteTop + kPaletteBand * kPaletteEntry + kPaletteBand / 2;
constexpr int kCornerPads[] = {0, 7, 56, 63};
// A pad's number is drawn in this box from its top-left corner.
constexpr int kNumberLeft = 3, kNumberTop = 4, kNumberWidth = 15, kNumberHeight = 10;
// Floors for the scaled numbers (see unlegibleNumbers): the window scaled
// by the program scores 0.98 over all numbers and at least 0.96 on each
// under mutter and kwin, the full-size picture scaled down with a triangle
// filter 0.99 and 0.99; nearest-pixel sampling scores 0.88 and 0.58, and a
// blur keeping 0.3 to 0.6 of the contrast fails the contrast floor.
constexpr double kMinCorrelation = 0.93;
constexpr double kMinPadCorrelation = 0.7;
constexpr double kMinContrastShare = 0.6;
const std::string kReferenceShot = "fullSize";
constexpr int kBaseDpi = 96;

std::string environmentValue(const char* name, const std::string& otherwise = "") {
  const char* value = getenv(name);
  return value != nullptr ? value : otherwise;
}

// The value of KEY= in the desktop entry.
std::string entryValue(const std::string& entryPath, const std::string& key) {
  std::ifstream entry(entryPath);
  for (std::string line; std::getline(entry, line);)
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  return "";
}

// The program's ports as PipeWire itself lists them.
int pipewirePortsOfProgram() {
  int count = 0;
  for (const char* direction : {"-i", "-o"}) {
    AppOptions options;
    options.program = "pw-link";
    options.arguments = {direction};
    // Not the tree this test was built in: a desktop root need not hold it.
    options.workingDirectory = "/";
    AppProcess list(options);
    if (!list.waitForExit()) return -1;
    for (const std::string& line : list.stdoutLines()) count += line.rfind(kProgramClientName + ":", 0) == 0;
  }
  return count;
}

// The window with its frame, once the window manager has placed it (the
// frame announced, where it draws one, and the whole inside the screen), or
// as it stands when the time runs out.
WindowGeometry framedWhenPlaced(const XWindow& window, bool framed, const std::optional<DockPanel>& panel) {
  const auto deadline = std::chrono::steady_clock::now() + kSettleTimeout;
  while (true) {
    WindowGeometry outer = window.geometry();
    const FrameExtents frame = window.frameExtents().value_or(FrameExtents{});
    outer = {outer.x - frame.left, outer.y - frame.top, outer.width + frame.left + frame.right,
             outer.height + frame.top + frame.bottom};
    const bool placed = (!framed || window.frameExtents()) && inside(outer, window.screen()) &&
                        (!panel || !overlaps(outer, panel->strip()));
    if (placed || std::chrono::steady_clock::now() >= deadline) return outer;
    std::this_thread::sleep_for(kPollStep);
  }
}

// On a monitor scaled above 1, the Xft.dpi the desktop's settings daemon
// gives X programs, written as it does: the monitor's scale where they get
// the monitor's own pixels (Xwayland's native scaling, KDE's X programs
// scaling themselves), none where the compositor scales them and they see a
// screen of logical pixels. Says which; the session may require the first.
int sessionDpi(const std::string& display) {
  const int scale = std::stoi(environmentValue("ZELQUOR_SESSION_SCALE", "1"));
  if (scale <= 1) return kBaseDpi;
  const bool atMonitorPixels = screenWidthOn(display) == std::stoi(environmentValue("ZELQUOR_SESSION_MONITOR", "0"));
  std::cerr << (atMonitorPixels ? "X programs scale themselves" : "the compositor scales X programs") << "\n";
  EXPECT_TRUE(atMonitorPixels || environmentValue("ZELQUOR_SESSION_NATIVE") != "1")
      << "X programs do not get the monitor's own pixels";
  const int dpi = atMonitorPixels ? kBaseDpi * scale : kBaseDpi;
  setRootResources(display, "Xft.dpi:\t" + std::to_string(dpi) + "\n");
  return dpi;
}

double luminance(sf::Color c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// The reference's luminance scaled down to the shot's size, each axis by
// its own factor as the window's sides are rounded apart: each pixel the
// mean over its footprint, reference pixels weighted by the part covered.
std::vector<double> areaScaled(const Screenshot& reference, unsigned width, unsigned height) {
  const double stepX = static_cast<double>(reference.width()) / width;
  const double stepY = static_cast<double>(reference.height()) / height;
  const auto cover = [](double from, double to, unsigned pixel) {
    return std::max(0.0, std::min(to, pixel + 1.0) - std::max(from, double(pixel)));
  };
  std::vector<double> scaled(static_cast<size_t>(width) * height);
  for (unsigned y = 0; y < height; ++y)
    for (unsigned x = 0; x < width; ++x) {
      double sum = 0, weights = 0;
      for (auto ry = unsigned(y * stepY); ry < std::min(reference.height(), unsigned(std::ceil((y + 1) * stepY))); ++ry)
        for (auto rx = unsigned(x * stepX); rx < std::min(reference.width(), unsigned(std::ceil((x + 1) * stepX)));
             ++rx) {
          const double weight = cover(y * stepY, (y + 1) * stepY, ry) * cover(x * stepX, (x + 1) * stepX, rx);
          sum += weight * luminance(reference.pixel(rx, ry));
          weights += weight;
        }
      scaled[y * width + x] = sum / weights;
    }
  return scaled;
}

// Sums of a region's luminance deviations from its mean: shot times
// reference, shot squared, reference squared.
struct Deviations {
  double cross = 0, shot = 0, reference = 0;
  void add(double seen, double wanted) {
    cross += seen * wanted;
    shot += seen * seen;
    reference += wanted * wanted;
  }
  void add(const Deviations& other) {
    cross += other.cross;
    shot += other.shot;
    reference += other.reference;
  }
  double correlation() const { return cross / std::sqrt(shot * reference); }
  double contrastShare() const { return std::sqrt(shot / reference); }
};

// Each pad's number in the scaled shot against the full-size picture scaled
// down by area: their normalised correlation over all the numbers and over
// each, and each one's contrast (standard deviation) as a share of the
// reference's. A blurred number loses contrast, one sampled without
// smoothing loses strokes and correlation. Empty when all hold.
std::string unlegibleNumbers(const Screenshot& shot, const Screenshot& reference) {
  const double scaleX = static_cast<double>(shot.width()) / reference.width();
  const double scaleY = static_cast<double>(shot.height()) / reference.height();
  const auto scaled = areaScaled(reference, shot.width(), shot.height());
  Deviations all;
  std::string faults;
  for (int pad = 0; pad < kPadTotal; ++pad) {
    const auto x0 = unsigned((padCornerX(pad) + kNumberLeft) * scaleX);
    const auto y0 = unsigned((padCornerY(pad) + kNumberTop) * scaleY);
    const auto x1 = unsigned(std::ceil((padCornerX(pad) + kNumberLeft + kNumberWidth) * scaleX));
    const auto y1 = unsigned(std::ceil((padCornerY(pad) + kNumberTop + kNumberHeight) * scaleY));
    double shotMean = 0, referenceMean = 0;
    const double count = double(x1 - x0) * (y1 - y0);
    for (unsigned y = y0; y < y1; ++y)
      for (unsigned x = x0; x < x1; ++x) {
        shotMean += luminance(shot.pixel(x, y)) / count;
        referenceMean += scaled[y * shot.width() + x] / count;
      }
    Deviations one;
    for (unsigned y = y0; y < y1; ++y)
      for (unsigned x = x0; x < x1; ++x)
        one.add(luminance(shot.pixel(x, y)) - shotMean, scaled[y * shot.width() + x] - referenceMean);
    all.add(one);
    if (one.correlation() < kMinPadCorrelation || one.contrastShare() < kMinContrastShare)
      faults += " pad " + std::to_string(pad) + " (correlation " + std::to_string(one.correlation()) +
                ", contrast share " + std::to_string(one.contrastShare()) + ")";
  }
  if (all.correlation() < kMinCorrelation)
    faults += " all numbers (correlation " + std::to_string(all.correlation()) + ")";
  return faults;
}

// The first frame, once drawn: two grabs in a row alike and not blank.
Screenshot drawnWindow(const XWindow& window) {
  const auto deadline = std::chrono::steady_clock::now() + kSettleTimeout;
  Screenshot last = window.grab();
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kPollStep);
    Screenshot next = window.grab();
    const auto& a = last.image();
    const auto& b = next.image();
    const bool same =
        a.getSize() == b.getSize() &&
        std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4, b.getPixelsPtr());
    const bool blank = pixelAt(b, 0, 0) == pixelAt(b, b.getSize().x / 2, b.getSize().y / 2);
    last = std::move(next);
    if (same && !blank) break;
  }
  return last;
}

struct Click {
  int sceneX, sceneY;  // the visible centre aimed at, in scene pixels
  int pad;             // -1 for the palette entry
};

// One session, step by step: each step leaves what the next one needs in
// the fixture.
class DesktopSession : public testing::Test {
 protected:
  // How the session is driven, from its environment.
  const std::string entryPath_ = environmentValue("ZELQUOR_DESKTOP_ENTRY", "/usr/share/applications/zelquor.desktop");
  const std::string display_ = environmentValue("DISPLAY");
  bool injected_ = environmentValue("ZELQUOR_SESSION_INPUT") == "xtest";
  const bool byManager_ = environmentValue("ZELQUOR_SESSION_CLOSE") == "manager";
  const std::string panelEdge_ = environmentValue("ZELQUOR_SESSION_PANEL");
  const std::string shots_ = environmentValue("ZELQUOR_SESSION_SHOTS");
  const std::string jackServer_ = environmentValue("JACK_DEFAULT_SERVER");

  std::optional<DockPanel> panel_;
  int dpi_ = kBaseDpi;
  std::unique_ptr<AppProcess> app_;
  std::unique_ptr<JackProbe> probe_;
  std::unique_ptr<XWindow> window_;
  double scaleX_ = 1, scaleY_ = 1;
  Lines expected_{kRunningLine};
  std::map<int, float> gains_;

  void reservePanel() {
    ASSERT_FALSE(display_.empty()) << "no DISPLAY for Xwayland";
    if (panelEdge_.empty()) return;
    panel_.emplace(display_, panelEdge_ == "top", kPanelThickness);
    ASSERT_TRUE(panel_->reserved(kSettleTimeout)) << "the work area keeps the panel's strip";
  }

  // The entry's command, from the home folder, with nothing said about
  // servers but what a user's session says.
  void startFromTheMenuEntry() {
    const std::string command = entryValue(entryPath_, "Exec");
    ASSERT_FALSE(command.empty()) << "no Exec line";
    dpi_ = sessionDpi(display_);
    AppOptions options;
    options.program = command;
    options.workingDirectory = environmentValue("HOME", "/");
    // This test's own pw-jack must not decide for the program.
    options.environment = {"DISPLAY=" + display_, "LD_LIBRARY_PATH="};
    if (!jackServer_.empty()) options.environment.push_back("JACK_DEFAULT_SERVER=" + jackServer_);
    const std::string wayland = environmentValue("WAYLAND_DISPLAY");
    if (!wayland.empty()) options.environment.push_back("WAYLAND_DISPLAY=" + wayland);
    app_ = std::make_unique<AppProcess>(options);
    ASSERT_TRUE(app_->waitForLine(kRunningLine, LineMatch::exact, kStartTimeout)) << app_->stderrText();
    probe_ = std::make_unique<JackProbe>();
    EXPECT_EQ(jackServer_.empty() ? pipewirePortsOfProgram() : probe_->portCountOf(kProgramClientName), kPortCount);
    probe_->connectTo(kProgramClientName);
    window_ = XWindow::awaitTitled(display_, kWindowTitle, kStartTimeout);
    ASSERT_TRUE(window_) << "no window on " << display_;
    EXPECT_EQ(window_->className(), entryValue(entryPath_, "StartupWMClass")) << "the entry does not name the window";
  }

  // Where the window lands: inside the screen and clear of the panel, frame
  // included; the scene times the desktop's scale wherever the work area has
  // room for it, as it must where the monitor's scale reaches X programs.
  void checkPlacement() {
    const WindowGeometry outer = framedWhenPlaced(*window_, byManager_, panel_);
    const WindowGeometry inner = window_->geometry(), area = window_->workArea();
    std::cerr << "window " << inner << ", with its frame " << outer << ", screen " << window_->screen()
              << ", work area " << area << ", Xft.dpi " << dpi_ << "\n";
    EXPECT_TRUE(inside(outer, window_->screen())) << "the window reaches beyond the screen";
    EXPECT_FALSE(panel_ && overlaps(outer, panel_->strip())) << "the window lies under the panel";
    const int wantedWidth = kFullWidth * dpi_ / kBaseDpi, wantedHeight = kFullHeight * dpi_ / kBaseDpi;
    const bool room = outer.width - inner.width + wantedWidth <= area.width &&
                      outer.height - inner.height + wantedHeight <= area.height;
    EXPECT_TRUE(room || dpi_ == kBaseDpi) << "no room for the scaled window";
    if (room) {
      EXPECT_EQ(inner.width, wantedWidth);
      EXPECT_EQ(inner.height, wantedHeight);
    }
    EXPECT_LE(std::abs(inner.width * kFullHeight - inner.height * kFullWidth), kFullWidth)
        << "not the scene's proportions";
    scaleX_ = static_cast<double>(inner.width) / kFullWidth;
    scaleY_ = static_cast<double>(inner.height) / kFullHeight;
  }

  // The full-size picture is kept as the reference that a scaled window's
  // pad numbers are held to.
  void checkLegibility() {
    const Screenshot shot = drawnWindow(*window_);
    if (shots_.empty()) return;
    const bool fullSize = shot.width() == kSceneWidth;
    shot.save(shots_ + "/" + (fullSize ? kReferenceShot : environmentValue("ZELQUOR_SESSION_NAME")) + ".png");
    if (shot.width() >= kSceneWidth) return;
    const Screenshot reference(shots_ + "/" + kReferenceShot + ".png");
    EXPECT_EQ(unlegibleNumbers(shot, reference), "") << "pad numbers unlike the full-size window's";
  }

  // Clicks at the window point of a scene point; false when no press came.
  // An Xwayland may drop XTest presses (testing's under kwin, which it hands
  // the input to): events are sent to the window then, from the first click
  // on, and any motion that came through first is expected in the trace.
  bool clickAt(int x, int y, bool first) {
    if (injected_) {
      window_->moveMouse(x, y);
      window_->click();
    } else {
      window_->sendClick(x, y);
    }
    const Timeout wait = injected_ && first ? kXTestGrace : kDefaultTimeout;
    if (app_->waitForLine(kLeftPressLine, LineMatch::exact, wait)) return true;
    if (!injected_ || !first) return false;
    std::cerr << "no XTest press reached the window: events sent to it instead\n";
    movedBeforeSending_ = !linesStartingWith(app_->stdoutTraceLines(), kMouseXPrefix).empty();
    injected_ = false;
    window_->sendClick(x, y);
    return app_->waitForLine(kLeftPressLine).has_value();
  }

  // Each click lands on a scene point within one window pixel's reach of
  // the visible centre aimed at, and writes the full-size window's lines
  // for that point.
  void click(const Click& aim, bool first) {
    const int x = static_cast<int>((aim.sceneX + 0.5) * scaleX_), y = static_cast<int>((aim.sceneY + 0.5) * scaleY_);
    ASSERT_TRUE(clickAt(x, y, first)) << app_->stderrText();
    const auto lineX = app_->waitForLine(kMouseXPrefix, LineMatch::prefix);
    const auto lineY = app_->waitForLine(kMouseYPrefix, LineMatch::prefix);
    ASSERT_TRUE(lineX && lineY);
    const int sceneX = std::stoi(lineX->substr(kMouseXPrefix.size()));
    const int sceneY = std::stoi(lineY->substr(kMouseYPrefix.size()));
    const double scale = std::min(scaleX_, scaleY_);
    const int reach = scale < 1 ? static_cast<int>(std::ceil(1 / scale)) : 0;
    EXPECT_LE(std::abs(sceneX - aim.sceneX), reach) << "window x " << x;
    EXPECT_LE(std::abs(sceneY - aim.sceneY), reach) << "window y " << y;
    if (injected_ || movedBeforeSending_) expected_ = expected_ + moves(sceneX, sceneY);
    movedBeforeSending_ = false;
    expected_ = expected_ + presses(sceneX, sceneY);
    if (aim.pad < 0) {
      expected_ = expected_ + paletteLine(kPaletteEntry) + released();
      ASSERT_TRUE(app_->waitForLine(released())) << app_->stderrText();
      return;
    }
    expected_ = expected_ + padLine(aim.pad) + gainLine(aim.pad, sceneX, sceneY) + released() + endDrag();
    gains_[channelOfPad(aim.pad)] = gainAt(aim.pad, sceneX, sceneY);
    ASSERT_TRUE(app_->waitForLine(endDrag())) << app_->stderrText();
  }

  // The palette entry, then the four corner pads, each at its visible centre.
  void clickPaletteAndCornerPads() {
    std::vector<Click> aims = {{kPaletteCentreX, kPaletteCentreY, -1}};
    for (int pad : kCornerPads) aims.push_back({padCentreX(pad), padCentreY(pad), pad});
    for (const Click& aim : aims) ASSERT_NO_FATAL_FAILURE(click(aim, &aim == &aims.front()));
  }

  void checkHeardGains() {
    ASSERT_TRUE(probe_->waitForSignal(jack_get_buffer_size(probe_->client()), kSettleCycles)) << "nothing heard";
    const auto heard = probe_->heardGains();
    for (int channel = 0; channel < kChannelTotal; ++channel)
      EXPECT_NEAR(heard[channel], gains_.count(channel) ? gains_[channel] : 0.0f, kHeardTolerance)
          << "channel " << channel;
  }

  // Closed by the window manager (or the client message), with status 0 and
  // only the program's lines: the physical ports PipeWire may list, then
  // the session's, nothing of a server or of the launcher.
  void closeAndCheckTheTrace() {
    if (byManager_) {
      window_->askManagerToClose();
    } else {
      window_->requestClose();
    }
    const auto status = app_->waitForExit(kCloseTimeout);
    ASSERT_TRUE(status) << "still running after the close";
    EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app_->stderrText();
    std::vector<std::string> trace = app_->stdoutTraceLines();
    const auto physical = linesStartingWith(trace, kPhysicalPrefix);
    EXPECT_TRUE(std::equal(physical.begin(), physical.end(), trace.begin())) << "physical port lines not first";
    trace.erase(trace.begin(), trace.begin() + static_cast<long>(std::min(physical.size(), trace.size())));
    EXPECT_EQ(trace, expected_ + kStoppedLine + kStoppedLine) << "standard error:\n" << app_->stderrText();
  }

 private:
  bool movedBeforeSending_ = false;
};

TEST_F(DesktopSession, MenuEntryOnTheScreenHeardClickedAndClosedThroughTheWindowManager) {
  ASSERT_NO_FATAL_FAILURE(reservePanel());
  ASSERT_NO_FATAL_FAILURE(startFromTheMenuEntry());
  ASSERT_NO_FATAL_FAILURE(checkPlacement());
  ASSERT_NO_FATAL_FAILURE(checkLegibility());
  ASSERT_NO_FATAL_FAILURE(clickPaletteAndCornerPads());
  ASSERT_NO_FATAL_FAILURE(checkHeardGains());
  closeAndCheckTheTrace();
}

}  // namespace
