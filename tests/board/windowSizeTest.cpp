// The window's size for the room the screen gives it, and the pointer's way
// back from window pixels to scene pixels: every zone stays within reach.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scenePointer.h"
#include "windowSize.h"

namespace {

struct sizeCase {
  const char* what;
  screenRect room;
  frameExtents frame;
  unsigned width, height;
  int x, y;
  bool belowSupported;
};

// Frames: mutter's 39-pixel title bar; none under a bare X server.
const sizeCase kSizeCases[] = {
    {"1920x1080 under mutter", {0, 0, 1920, 1080}, {0, 0, 39, 0}, 1094, 970, 413, 35, false},
    {"room exactly for the scene and frame", {0, 0, 1094, 1009}, {0, 0, 39, 0}, 1094, 970, 0, 0, false},
    {"one row short", {0, 0, 1094, 1008}, {0, 0, 39, 0}, 1092, 969, 1, 0, false},
    {"1366x768 under mutter", {0, 0, 1366, 768}, {0, 0, 39, 0}, 822, 729, 272, 0, false},
    {"1366x768 bare X", {0, 0, 1366, 768}, {}, 866, 768, 250, 0, false},
    {"1280x720 bare X", {0, 0, 1280, 720}, {}, 812, 720, 234, 0, false},
    {"48-pixel top panel", {0, 48, 1366, 720}, {0, 0, 39, 0}, 768, 681, 299, 48, false},
    {"narrow room", {100, 0, 800, 1000}, {4, 4, 30, 4}, 792, 702, 100, 132, true},
    {"1024x600", {0, 0, 1024, 600}, {0, 0, 39, 0}, 632, 561, 196, 0, false},
    {"one column under 1024", {0, 0, 1023, 600}, {}, 676, 600, 173, 0, true},
    {"one row under 600", {0, 0, 1024, 599}, {}, 675, 599, 174, 0, true},
};

TEST(WindowSize, FullSizeWhereItFitsElseLargestOfTheSameProportions) {
  for (const sizeCase& c : kSizeCases) {
    SCOPED_TRACE(c.what);
    const windowChoice chosen = chooseWindow(c.room, c.frame);
    EXPECT_EQ(chosen.width, c.width);
    EXPECT_EQ(chosen.height, c.height);
    EXPECT_EQ(chosen.x, c.x);
    EXPECT_EQ(chosen.y, c.y);
    EXPECT_EQ(chosen.belowSupported, c.belowSupported);
    // Frame included, inside the room; proportions within a pixel.
    EXPECT_LE(int(chosen.width) + c.frame.left + c.frame.right, c.room.width);
    EXPECT_LE(int(chosen.height) + c.frame.top + c.frame.bottom, c.room.height);
    EXPECT_NEAR(double(chosen.width) * kSceneHeight / kSceneWidth, chosen.height, 1.0);
  }
}

struct zone {
  const char* what;
  int left, right, top, bottom;
};

// Every zone a press, release or move acts in, in scene pixels, and the
// gaps between buttons that must stay apart from them.
const std::vector<zone> kZones = {{"logo", 991, 1065, 15, 47},        {"board", 9, 941, 15, 949},
                                  {"release zone", 9, 939, 37, 949},  {"move one", 983, 1011, 51, 75},
                                  {"move group", 1015, 1041, 51, 75}, {"move all", 1047, 1073, 51, 75},
                                  {"mute one", 983, 1011, 79, 105},   {"mute group", 1015, 1041, 79, 105},
                                  {"mute all", 1047, 1073, 79, 105},  {"type 0", 995, 1055, 117, 163},
                                  {"type 1", 995, 1055, 164, 197},    {"type 6", 995, 1055, 334, 367},
                                  {"type 7", 995, 1055, 368, 371},    {"gap between buttons", 1012, 1014, 76, 78}};

// The window pixels whose scene pixel lies in [low, high]: first and last.
std::pair<int, int> windowSpan(int low, int high, unsigned windowLength, unsigned sceneLength) {
  int first = 1, last = 0;
  for (int p = -1; p <= int(windowLength); ++p) {
    const int s = sceneCoordinate(p, windowLength, sceneLength);
    if (s < low || s > high) continue;
    if (first > last) first = p;
    last = p;
  }
  return {first, last};
}

TEST(ScenePointer, PixelCentresMapExactlyInsideAndOutsideTheWindow) {
  for (int p = -3000; p <= 3000; ++p) {
    ASSERT_EQ(sceneCoordinate(p, kSceneWidth, kSceneWidth), p);
    ASSERT_EQ(sceneCoordinate(p, kSceneHeight, kSceneHeight), p);
  }
  for (unsigned length : {866u, 822u, 812u, 632u}) {
    SCOPED_TRACE(length);
    for (int p = -2 * int(length); p <= 2 * int(length); ++p)
      ASSERT_EQ(sceneCoordinate(p, length, kSceneWidth), int(std::floor((p + 0.5) * kSceneWidth / length))) << p;
    EXPECT_EQ(sceneCoordinate(0, length, kSceneWidth), 0);
    EXPECT_EQ(sceneCoordinate(int(length) - 1, length, kSceneWidth), int(kSceneWidth) - 1);
  }
  EXPECT_EQ(sceneCoordinate(-1, 866, kSceneWidth), -1);
  EXPECT_EQ(sceneCoordinate(-10, 866, kSceneWidth), -13);
}

TEST(ScenePointer, EveryZoneHasWindowPixelsDownTo1024x600) {
  for (const auto& [width, height] : std::vector<std::pair<unsigned, unsigned>>{{866, 768}, {812, 720}, {632, 561}})
    for (const zone& z : kZones) {
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " " + z.what);
      const auto across = windowSpan(z.left, z.right, width, kSceneWidth);
      const auto down = windowSpan(z.top, z.bottom, height, kSceneHeight);
      EXPECT_LE(across.first, across.second);
      EXPECT_LE(down.first, down.second);
    }
}

TEST(ScenePointer, ZoneEdgesAt1366x768And1280x720) {
  // Window pixels, from exact fractions: the first and last pixel in each.
  const struct {
    unsigned width, height;
    std::pair<int, int> boardX, boardY, releaseY, moveGroupX, lastBandY, gapX;
  } edges[] = {
      {866, 768, {7, 745}, {12, 751}, {29, 751}, {803, 824}, {291, 294}, {801, 802}},
      {812, 720, {7, 698}, {11, 704}, {27, 704}, {753, 772}, {273, 275}, {751, 752}},
  };
  for (const auto& e : edges) {
    SCOPED_TRACE(e.width);
    EXPECT_EQ(windowSpan(9, 941, e.width, kSceneWidth), e.boardX);
    EXPECT_EQ(windowSpan(15, 949, e.height, kSceneHeight), e.boardY);
    EXPECT_EQ(windowSpan(37, 949, e.height, kSceneHeight), e.releaseY);
    EXPECT_EQ(windowSpan(1015, 1041, e.width, kSceneWidth), e.moveGroupX);
    EXPECT_EQ(windowSpan(368, 371, e.height, kSceneHeight), e.lastBandY);
    EXPECT_EQ(windowSpan(1012, 1014, e.width, kSceneWidth), e.gapX);
  }
}

TEST(ScenePointer, EventsCarryScenePixelsAndKeysStayAsTheyAre) {
  boardEvent press;
  press.type = boardEventType::buttonPressed;
  press.x = 745;
  press.y = -1;
  press.button = 2;
  const boardEvent mapped = toScene(press, 866, 768);
  EXPECT_EQ(mapped.x, 941);
  EXPECT_EQ(mapped.y, -1);
  EXPECT_EQ(mapped.button, 2);
  for (boardEventType type :
       {boardEventType::buttonReleased, boardEventType::pointerMoved, boardEventType::wheelScrolled}) {
    press.type = type;
    EXPECT_EQ(toScene(press, 866, 768).x, 941);
  }
  boardEvent key;
  key.type = boardEventType::keyPressed;
  key.key = 3;
  key.x = 745;
  EXPECT_EQ(toScene(key, 866, 768).x, 745);
  EXPECT_EQ(toScene(press, kSceneWidth, kSceneHeight).x, 745);
}

}  // namespace
