// A drag whose moves come faster than the program draws: every move still
// writes its lines in order, and the picture once the loop rests shows the
// token where the last move left it.
#include <utility>
#include <vector>

#include "boardFacts.h"
#include "imagePixels.h"
#include "sessionFixture.h"
#include "threadState.h"

namespace {

// Along row 3 from pad 27's centre into pad 28, 30 steps of 4 pixels. Pads
// are 122 pixels wide and overlap their right-hand neighbour, the first in
// number order taking the point: pad 27 reaches to its corner + 122, where
// no move lands.
constexpr int kStep = 4;
constexpr int kStartX = padCentreX(27) + kStep;
constexpr int kEndX = kStartX + 30 * kStep;
constexpr int kRowY = padCentreY(27);
constexpr int kPadWidth = 122;
constexpr int kFirstPadRight = padCornerX(27) + kPadWidth;
constexpr int kGrabOffset = 12;
constexpr std::uint8_t kOpaque = 255;

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

class FastDragSession : public SessionTest {};

TEST_F(FastDragSession, EveryMoveWritesItsLinesAndTheLastOneIsShown) {
  std::vector<std::pair<int, int>> path;
  Lines dragLines;
  for (int x = kStartX + kStep; x <= kEndX; x += kStep) {
    path.emplace_back(x, kRowY);
    dragLines = dragLines + moves(x, kRowY) + gainLine(x < kFirstPadRight ? 27 : 28, x, kRowY);
  }
  const Action drag = {"drag along row 3", [&](const XWindow& w) { w.moveMouseAlong(path); }};
  ASSERT_NO_FATAL_FAILURE(startProgram());
  ASSERT_NO_FATAL_FAILURE(play({{moveTo(kStartX, kRowY), moves(kStartX, kRowY)},
                                {leftDown(), presses(kStartX, kRowY) + padLine(27) + gainLine(27, kStartX, kRowY)},
                                {drag, dragLines},
                                {leftUp(), {released(), endDrag()}}}));

  ASSERT_TRUE(waitUntilMainThreadWaitsInPoll(programPid())) << "the loop never waits";
  const Screenshot shot = window().grab();
  EXPECT_EQ(hiddenPixels(shot, kEndX - kGrabOffset, kRowY - kGrabOffset), 0) << "not shown where the drag ended";
  EXPECT_NE(hiddenPixels(shot, kStartX - kGrabOffset, kRowY - kGrabOffset), 0) << "still shown where it started";
  closeAndCheckWholeOutput();
}

}  // namespace
