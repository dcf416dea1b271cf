// Window operations of the harness, checked against the harness's own window
// fixture, which reports every event it gets and paints known colours.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "harnessWindowFixture.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

namespace fixture = harnessWindowFixture;

class XWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    AppOptions options;
    options.program = HARNESS_WINDOW_FIXTURE;
    options.environment = {x_.displayEntry()};
    app_ = std::make_unique<AppProcess>(options);
    ASSERT_TRUE(app_->waitForLine(fixture::kReadyLine)) << app_->stderrText();
    window_ = XWindow::awaitTitled(x_.displayName(), fixture::kTitle);
    ASSERT_TRUE(window_) << "no window titled " << fixture::kTitle;
  }

  std::vector<std::string> linesStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& line : app_->stdoutLines())
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
  }

  XServer x_;
  std::unique_ptr<AppProcess> app_;
  std::unique_ptr<XWindow> window_;
};

TEST_F(XWindowTest, FindsTheWindowCentredOnTheScreen) {
  const WindowGeometry geometry = window_->geometry();
  EXPECT_EQ(geometry.width, int(fixture::kWidth));
  EXPECT_EQ(geometry.height, int(fixture::kHeight));
  EXPECT_EQ(geometry.x, (XServer::kScreenWidth - int(fixture::kWidth)) / 2);
  EXPECT_EQ(geometry.y, (XServer::kScreenHeight - int(fixture::kHeight)) / 2);
  EXPECT_EQ(XWindow::awaitTitled(x_.displayName(), "Zelquor2", std::chrono::milliseconds(200)), nullptr);
}

TEST_F(XWindowTest, EachMouseMoveIsOneMoveEventAtWindowCoordinates) {
  const std::vector<std::pair<int, int>> points = {{10, 20}, {500, 400}, {501, 400}, {1093, 969}, {0, 0}};
  for (const auto& [px, py] : points) window_->moveMouse(px, py);
  for (const auto& [px, py] : points)
    EXPECT_TRUE(app_->waitForLine("moved " + std::to_string(px) + " " + std::to_string(py)));
  EXPECT_EQ(linesStartingWith("moved ").size(), points.size());
}

TEST_F(XWindowTest, ButtonsPressAndReleaseWherePointerIs) {
  window_->moveMouse(250, 325);
  window_->mouseDown(XWindow::kLeftButton);
  EXPECT_TRUE(app_->waitForLine("pressed left 250 325"));
  window_->mouseUp(XWindow::kLeftButton);
  EXPECT_TRUE(app_->waitForLine("released left 250 325"));
  window_->click(XWindow::kRightButton);
  EXPECT_TRUE(app_->waitForLine("pressed right 250 325"));
  EXPECT_TRUE(app_->waitForLine("released right 250 325"));
  EXPECT_EQ(linesStartingWith("moved ").size(), 1u) << "presses must not move the pointer";
}

TEST_F(XWindowTest, WheelNotchesAndKeysReachTheWindow) {
  window_->moveMouse(100, 100);
  window_->wheelUp();
  EXPECT_TRUE(app_->waitForLine("wheel 1"));
  window_->wheelDown();
  EXPECT_TRUE(app_->waitForLine("wheel -1"));
  window_->key("d");
  EXPECT_TRUE(app_->waitForLine("key D"));
  window_->key("Delete");
  EXPECT_TRUE(app_->waitForLine("key Delete"));
}

TEST_F(XWindowTest, CloseRequestEndsTheProgramLikeAWindowManagerWould) {
  window_->requestClose();
  EXPECT_TRUE(app_->waitForLine("closed"));
  const auto status = app_->waitForExit();
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exitedWith(0)) << *status;
  EXPECT_TRUE(window_->waitUntilGone());
}

TEST_F(XWindowTest, ScreenshotShowsColoursAtWindowCoordinates) {
  const Screenshot shot = window_->screenshot();
  ASSERT_EQ(shot.width(), fixture::kWidth);
  ASSERT_EQ(shot.height(), fixture::kHeight);
  const int left = fixture::kMarkerX, top = fixture::kMarkerY;
  const int right = left + fixture::kMarkerWidth - 1, bottom = top + fixture::kMarkerHeight - 1;
  EXPECT_EQ(shot.pixel(0, 0), fixture::kBackground);
  EXPECT_EQ(shot.pixel(fixture::kWidth - 1, fixture::kHeight - 1), fixture::kBackground);
  EXPECT_EQ(shot.pixel(left, top), fixture::kMarkerColour);
  EXPECT_EQ(shot.pixel(right, bottom), fixture::kMarkerColour);
  EXPECT_EQ(shot.pixel(left - 1, top), fixture::kBackground);
  EXPECT_EQ(shot.pixel(left, top - 1), fixture::kBackground);
  EXPECT_EQ(shot.pixel(right + 1, bottom), fixture::kBackground);
  EXPECT_EQ(shot.pixel(right, bottom + 1), fixture::kBackground);
  EXPECT_THROW(shot.pixel(fixture::kWidth, 0), std::out_of_range);
}

TEST_F(XWindowTest, ScreenshotWhenWaitsForTheFrameThatFollowsAnEvent) {
  const auto markerIs = [](sf::Color colour) {
    return [colour](const Screenshot& shot) { return shot.pixel(fixture::kMarkerX, fixture::kMarkerY) == colour; };
  };
  window_->key("c");
  const Screenshot keyed = window_->screenshotWhen(markerIs(fixture::kMarkerKeyedColour));
  EXPECT_EQ(keyed.pixel(fixture::kMarkerX, fixture::kMarkerY), fixture::kMarkerKeyedColour);

  const auto start = std::chrono::steady_clock::now();
  const Screenshot last = window_->screenshotWhen(markerIs(sf::Color::White), std::chrono::milliseconds(300));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(last.pixel(fixture::kMarkerX, fixture::kMarkerY), fixture::kMarkerKeyedColour)
      << "gives back the last picture when the wanted one never comes";
}

}  // namespace
