// Without an audio server the program runs without sound: it says so, traces
// a stopped engine, and its window works and closes as usual.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "appProcess.h"
#include "boardFacts.h"
#include "expectedFrame.h"
#include "imagesCopy.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

// The exact centre of pad 0, where a press gives the highest gain.
constexpr int kPadZeroCentreX = 67;
constexpr int kPadZeroCentreY = 73;

// The lines that follow the last occurrence of the marker.
std::vector<std::string> linesAfter(const std::vector<std::string>& lines, const std::string& marker, size_t count) {
  const auto found = std::find(lines.rbegin(), lines.rend(), marker);
  if (found == lines.rend()) return {};
  const auto first = found.base();
  return {first, first + std::min<size_t>(count, lines.end() - first)};
}

TEST(NoJackServer, WindowWorksWithoutSoundAndClosingStopsTwice) {
  XServer x;
  AppOptions options;
  options.environment = environmentWithoutJack(x);
  AppProcess app(options);

  ASSERT_TRUE(app.waitForLine(kStoppedLine)) << app.stderrText();
  EXPECT_NE(app.stderrText().find(kNoServerMessage + "\n"), std::string::npos) << app.stderrText();
  EXPECT_EQ(app.stdoutTraceLines().front(), kStoppedLine) << "no physical port is listed without a server";
  const auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
  ASSERT_TRUE(window);

  window->moveMouse(kPadZeroCentreX, kPadZeroCentreY);
  window->mouseDown();
  ASSERT_TRUE(app.waitForLine("pad=0dtcentre= 0gain=1.003/Canaux0/canal0")) << app.stderrText();
  const std::vector<std::string> pressTrace = {"mouse x: 67", "mouse y: 73", "pad=0",
                                               "pad=0dtcentre= 0gain=1.003/Canaux0/canal0"};
  EXPECT_EQ(linesAfter(app.stdoutTraceLines(), "the left button was pressed", pressTrace.size()), pressTrace);
  window->mouseUp();
  EXPECT_TRUE(app.waitForLine("end drag"));

  const sf::Image token = loadProjectImage(kImageFiles.front());
  const int tokenX = kPadZeroCentreX - kTokenGrabOffset, tokenY = kPadZeroCentreY - kTokenGrabOffset;
  const Screenshot shot = window->screenshotWhen([&](const Screenshot& candidate) {
    return compareOpaquePixels(candidate, token, tokenX, tokenY, 1).count() == 0;
  });
  const Mismatches drawn = compareOpaquePixels(shot, token, tokenX, tokenY, 1);
  EXPECT_EQ(drawn.count(), 0) << "the placed token is not drawn:\n" << drawn.examples();

  window->requestClose();
  const auto status = app.waitForExit();
  ASSERT_TRUE(status) << "still running after the close request";
  EXPECT_TRUE(status->exitedWith(0)) << *status;
  const auto trace = app.stdoutTraceLines();
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(trace.end() - 2, trace.end()),
            std::vector<std::string>({kStoppedLine, kStoppedLine}));
  EXPECT_EQ(linesStartingWith(trace, kRunningPrefix),
            std::vector<std::string>({kStoppedLine, kStoppedLine, kStoppedLine}));
}

}  // namespace
