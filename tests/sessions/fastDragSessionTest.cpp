// A drag whose moves come faster than the screen shows frames: every move
// still writes its lines in order, the program draws no more frames than
// the screen refreshes, and once the pointer stops, with no further event,
// the picture shows the token where the last move left it.
#include <dlfcn.h>

#include <sstream>
#include <utility>
#include <vector>

#include "boardFacts.h"
#include "imagePixels.h"
#include "sessionFixture.h"
#include "threadState.h"

namespace {

// Along row 3 between pad 27's centre and pad 28, steps of 4 pixels, back
// and forth, about a thousand a second for a second and a half. Pads are
// 122 pixels wide and overlap their right-hand neighbour, the first in
// number order taking the point: pad 27 reaches to its corner + 122, where
// no move lands.
constexpr int kStep = 4;
constexpr int kSteps = 30;
constexpr int kStartX = padCentreX(27) + kStep;
constexpr int kEndX = kStartX + kSteps * kStep;
constexpr int kRowY = padCentreY(27);
// The hit width and the grab offset are the program's, written out so that
// a change shows.
constexpr int kPadWidth = 122;
constexpr int kFirstPadRight = padCornerX(27) + kPadWidth;
constexpr std::uint8_t kOpaque = 255;
constexpr int kSweeps = 50;  // each way: 1,500 moves
constexpr double kMovePause = 0.001;
// Xvfb reports no refresh rate: the program takes 60 Hz, and may draw 10 %
// more. The counter reports every half second.
constexpr double kMostFramesPerSecond = 66;
const std::string kCounterWindow = "FRAME_COUNTER_WINDOW=0.5";
const std::string kCounterPrefix = "frameCounter ";

// Opaque pixels of the first type's image that the picture does not show
// with its corner at (left, top).
int hiddenPixels(const Screenshot& shot, int left, int top) {
  sf::Image image;
  if (!image.loadFromFile(projectRoot() + "/images/g4813.png")) throw std::runtime_error("cannot read g4813.png");
  int hidden = 0;
  for (unsigned j = 0; j < image.getSize().y; ++j)
    for (unsigned i = 0; i < image.getSize().x; ++i) {
      const sf::Color wanted = pixelAt(image, i, j);
      if (wanted.a == kOpaque && shot.pixel(left + i, top + j) != wanted) ++hidden;
    }
  return hidden;
}

// The frames a second of each of the frame counter's reports.
std::vector<double> frameRates(const std::string& errors) {
  std::vector<double> rates;
  std::istringstream lines(errors);
  for (std::string line; std::getline(lines, line);) {
    const auto at = line.find(" meanMs=");
    if (line.rfind(kCounterPrefix, 0) == 0 && at != std::string::npos)
      rates.push_back(1000 / std::stod(line.substr(at + 8)));
  }
  return rates;
}

// The frame counter preloaded. In a build with the address sanitizer its
// runtime comes first, as it must; the counter's dlsym, after it, then
// answers the runtime's look-ups of the next definition as the C library
// would.
std::vector<std::string> countingFrames() {
  std::string preload = ZELQUOR_FRAME_COUNTER;
  Dl_info runtime{};
  void* sanitizer = dlsym(RTLD_DEFAULT, "__asan_init");
  if (sanitizer != nullptr && dladdr(sanitizer, &runtime) != 0 && runtime.dli_fname != nullptr)
    preload = std::string(runtime.dli_fname) + " " + preload;
  return {"LD_PRELOAD=" + preload, kCounterWindow};
}

// Ends at kEndX.
std::vector<std::pair<int, int>> sweeps() {
  std::vector<std::pair<int, int>> path;
  for (int sweep = 0; sweep < kSweeps; ++sweep) {
    for (int i = 1; i <= kSteps; ++i) path.emplace_back(kStartX + i * kStep, kRowY);
    if (sweep + 1 < kSweeps)
      for (int i = kSteps - 1; i >= 0; --i) path.emplace_back(kStartX + i * kStep, kRowY);
  }
  return path;
}

class FastDragSession : public SessionTest {};

TEST_F(FastDragSession, EveryMoveWritesItsLinesFramesFollowTheScreenAndTheLastMoveIsShown) {
  const std::vector<std::pair<int, int>> path = sweeps();
  Lines dragLines;
  for (const auto& [x, y] : path) dragLines = dragLines + moves(x, y) + gainLine(x < kFirstPadRight ? 27 : 28, x, y);
  const Action drag = {"drag along row 3", [&](const XWindow& w) { w.moveMouseAlong(path, kMovePause); }};
  ASSERT_NO_FATAL_FAILURE(startProgram(countingFrames()));
  ASSERT_NO_FATAL_FAILURE(play({{moveTo(kStartX, kRowY), moves(kStartX, kRowY)},
                                {leftDown(), presses(kStartX, kRowY) + padLine(27) + gainLine(27, kStartX, kRowY)}}));
  const std::size_t reportsBefore = frameRates(programErrors()).size();
  ASSERT_NO_FATAL_FAILURE(play({{drag, dragLines}}));
  const std::vector<double> rates = frameRates(programErrors());

  // With no further event: the loop sleeps only once the last move is drawn.
  ASSERT_TRUE(waitUntilMainThreadWaitsInPoll(programPid())) << "the loop never waits";
  const Screenshot shot = window().grab();
  EXPECT_EQ(hiddenPixels(shot, kEndX - kTokenGrabOffset, kRowY - kTokenGrabOffset), 0)
      << "not shown where the drag ended";
  EXPECT_NE(hiddenPixels(shot, kStartX - kTokenGrabOffset, kRowY - kTokenGrabOffset), 0)
      << "still shown where it started";

  // The reports of whole half seconds of the drag, the one under way at
  // its start left out.
  ASSERT_GE(rates.size(), reportsBefore + 2) << programErrors();
  for (std::size_t i = reportsBefore + 1; i < rates.size(); ++i)
    EXPECT_LE(rates[i], kMostFramesPerSecond) << "report " << i;
  ASSERT_NO_FATAL_FAILURE(play({{leftUp(), {released(), endDrag()}}}));
  closeAndCheckWholeOutput();
}

}  // namespace
