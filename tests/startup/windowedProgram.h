// The program started without a JACK server on a private Xvfb, its window
// found: what the tests of its frames start from.
#ifndef ZELQUOR_TESTS_WINDOWED_PROGRAM_H
#define ZELQUOR_TESTS_WINDOWED_PROGRAM_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "expectedFrame.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

// A pixel that only the background shows, and one that only the panel shows.
inline bool firstFrameShown(const Screenshot& shot) {
  return shot.pixel(0, 0) == kBackground && shot.pixel(1070, 390) == kPanelColour;
}

class WindowedProgram : public testing::Test {
 protected:
  void SetUp() override {
    AppOptions options;
    options.environment = environmentWithoutJack(x_);
    for (const std::string& entry : moreEnvironment()) options.environment.push_back(entry);
    app_ = std::make_unique<AppProcess>(options);
    ASSERT_TRUE(app_->waitForLine(kStoppedLine)) << app_->stderrText();
    window_ = XWindow::awaitTitled(x_.displayName(), kWindowTitle);
    ASSERT_TRUE(window_) << "no window titled " << kWindowTitle;
  }

  // What a case adds to the run's environment.
  virtual std::vector<std::string> moreEnvironment() const { return {}; }

  XServer x_;
  std::unique_ptr<AppProcess> app_;
  std::unique_ptr<XWindow> window_;
};

#endif
