#include "plotter.h"

#include <chrono>
#include <stdexcept>

#include "appProcess.h"

namespace {

// Debian's interpreter, which has the imaging package that the script needs.
const char* const kPython = "/usr/bin/python3";
constexpr Timeout kDrawingTimeout = std::chrono::minutes(3);

}  // namespace

void drawPictures(const std::string& folder) {
  AppOptions options;
  options.program = kPython;
  // -B: no byte-code cache left beside the script in the source tree.
  options.arguments = {"-B", ZELQUOR_DEMO_PLOT_SCRIPT, folder};
  AppProcess drawing(options);
  const auto status = drawing.waitForExit(kDrawingTimeout);
  if (!status || !status->exitedWith(0))
    throw std::runtime_error("drawing the pictures failed: " + drawing.stderrText());
}
