#include "installedRun.h"

#include <gtest/gtest.h>

#include <vector>

#include "appProcess.h"
#include "expectedFrame.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

// A pixel that only the background shows, and one that only the panel shows.
bool firstFrameShown(const Screenshot& shot) {
  return shot.pixel(0, 0) == kBackground && shot.pixel(1070, 390) == kPanelColour;
}

}  // namespace

void expectFirstFrameAndCleanClose(const std::string& command, const std::string& folder) {
  XServer x;
  AppOptions options;
  options.program = command;
  options.workingDirectory = folder;
  options.environment = environmentWithoutJack(x);
  AppProcess app(options);
  ASSERT_TRUE(app.waitForLine(kStoppedLine)) << app.stderrText();
  auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle);
  ASSERT_TRUE(window) << "no window titled " << kWindowTitle;
  EXPECT_TRUE(firstFrameShown(window->screenshotWhen(firstFrameShown))) << "no first frame";
  window->requestClose();
  const auto status = app.waitForExit();
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app.stderrText();
}
