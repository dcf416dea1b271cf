#include <stdexcept>
#include <thread>

#include "boardFacts.h"
#include "sceneLayout.h"
#include "systemMeasures.h"

namespace {

// The middle of the palette's type bands.
constexpr int kPaletteX = kPaletteZone.middleX();
constexpr auto kPlacementTimeout = std::chrono::seconds(30);
constexpr int kFullWidth = static_cast<int>(kSceneWidth), kFullHeight = static_cast<int>(kSceneHeight);

bool isPlacementLine(const std::string& line) {
  const std::string prefix = "pad=";
  if (line.rfind(prefix, 0) != 0 || line.size() == prefix.size()) return false;
  return line.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

int placements(const AppProcess& process) {
  int count = 0;
  for (const std::string& line : process.stdoutLines()) count += isPlacementLine(line) ? 1 : 0;
  return count;
}

// A scene point in a window that may show the scene scaled down.
struct sceneScale {
  int width, height;
  void moveTo(const XWindow& window, int x, int y) const {
    window.moveMouse(x * width / kFullWidth, y * height / kFullHeight);
  }
};

}  // namespace

void placeTokensOnEveryPad(SubjectRun& run, int count) {
  XWindow& window = run.window();
  const WindowGeometry shown = window.geometry();
  const sceneScale scale{shown.width, shown.height};
  for (int row = 0; row * kBoardColumns < count; ++row) {
    scale.moveTo(window, kPaletteX, kPaletteTop + row * kPaletteBand + kPaletteBand / 2);
    window.click();
    for (int column = 0; column < kBoardColumns && row * kBoardColumns + column < count; ++column) {
      const int pad = row * kBoardColumns + column;
      scale.moveTo(window, padCentreX(pad), padCentreY(pad));
      window.click();
    }
  }
  const auto deadline = std::chrono::steady_clock::now() + kPlacementTimeout;
  while (placements(run.process()) < count) {
    if (std::chrono::steady_clock::now() > deadline)
      throw std::runtime_error("only " + std::to_string(placements(run.process())) + " tokens were placed");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}
