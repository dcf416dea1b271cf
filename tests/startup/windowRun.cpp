#include "windowRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "runEnvironment.h"
#include "startupLines.h"

run startOn(const XServer& x, const std::vector<std::string>& moreEnvironment) {
  AppOptions options;
  options.environment = environmentWithoutJack(x);
  options.environment.insert(options.environment.end(), moreEnvironment.begin(), moreEnvironment.end());
  run started{std::make_unique<AppProcess>(options), nullptr};
  if (!started.app->waitForLine(kStoppedLine)) throw std::runtime_error("no start: " + started.app->stderrText());
  started.window = XWindow::find(x.displayName(), kWindowTitle);
  if (!started.window) throw std::runtime_error("no window titled " + kWindowTitle);
  return started;
}

std::vector<std::string> play(run& running, const std::vector<step>& steps,
                              const std::function<std::pair<int, int>(const step&)>& at) {
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
  running.window->requestClose();
  const auto status = running.app->waitForExit();
  EXPECT_TRUE(status && status->exitedWith(0));
  return running.app->stdoutTraceLines();
}

int underCentre(int p, int windowLength, int sceneLength) {
  return static_cast<int>(std::floor((p + 0.5) * sceneLength / windowLength));
}

std::string firstDifference(const std::vector<std::string>& scaled, const std::vector<std::string>& full) {
  std::size_t i = 0;
  while (i < scaled.size() && i < full.size() && scaled[i] == full[i]) ++i;
  const auto at = [i](const std::vector<std::string>& t) { return i < t.size() ? t[i] : "(end)"; };
  return "line " + std::to_string(i + 1) + ": scaled \"" + at(scaled) + "\", full size \"" + at(full) + "\"";
}
