// The window's size for the room the screen gives it, and the pointer's way
// back from window pixels to scene pixels: every zone stays within reach.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "scenePointer.h"
#include "windowSize.h"

namespace {

struct sizeCase {
  const char* what;
  screenRect room;
  frameExtents frame;  // mutter's 39-pixel title bar, or none on bare X
  unsigned width, height;
  int x, y;
  bool belowSupported;
};

const sizeCase kSizeCases[] = {
    {"1920x1080 under mutter", {0, 0, 1920, 1080}, {0, 0, 39, 0}, 1094, 970, 413, 35, false},
    {"room exactly for the scene and frame", {0, 0, 1094, 1009}, {0, 0, 39, 0}, 1094, 970, 0, 0, false},
    {"one row short", {0, 0, 1094, 1008}, {0, 0, 39, 0}, 1092, 969, 1, 0, false},
    {"1366x768 under mutter", {0, 0, 1366, 768}, {0, 0, 39, 0}, 822, 729, 272, 0, false},
    {"1366x768 bare X", {0, 0, 1366, 768}, {}, 866, 768, 250, 0, false},
    {"1280x720 bare X", {0, 0, 1280, 720}, {}, 812, 720, 234, 0, false},
    {"48-pixel top panel", {0, 48, 1366, 720}, {0, 0, 39, 0}, 768, 681, 299, 48, false},
    {"1024x600", {0, 0, 1024, 600}, {0, 0, 39, 0}, 632, 561, 196, 0, false},
    {"narrow, width decides", {100, 0, 800, 1000}, {4, 4, 30, 4}, 792, 702, 100, 132, true},
    {"one column under 1024", {0, 0, 1023, 600}, {}, 676, 600, 173, 0, true},
    {"one row under 600", {0, 0, 1024, 599}, {}, 675, 599, 174, 0, true},
};

TEST(WindowSize, FullSizeWhereItFitsElseLargestOfTheSameProportions) {
  for (const sizeCase& c : kSizeCases) {
    SCOPED_TRACE(c.what);
    const windowChoice chosen = chooseWindow(c.room, c.frame);
    EXPECT_EQ(std::make_pair(chosen.width, chosen.height), std::make_pair(c.width, c.height));
    EXPECT_EQ(std::make_pair(chosen.x, chosen.y), std::make_pair(c.x, c.y));
    EXPECT_EQ(chosen.belowSupported, c.belowSupported);
  }
}

TEST(ScenePointer, PixelCentresMapExactlyInsideAndOutsideTheWindow) {
  for (int p = -3000; p <= 3000; ++p) ASSERT_EQ(sceneCoordinate(p, kSceneHeight, kSceneHeight), p);
  for (unsigned length : {866u, 812u, 632u})
    for (int p = -2 * int(length); p <= 2 * int(length); ++p)
      ASSERT_EQ(sceneCoordinate(p, length, kSceneWidth), int(std::floor((p + 0.5) * kSceneWidth / length))) << p;
  EXPECT_EQ(sceneCoordinate(-10, 866, kSceneWidth), -13);
}

// The window pixels whose scene pixel lies in [low, high]: first and last.
std::pair<int, int> windowSpan(int low, int high, unsigned windowLength, unsigned sceneLength) {
  std::pair<int, int> span{1, 0};
  for (int p = -1; p <= int(windowLength); ++p) {
    const int s = sceneCoordinate(p, windowLength, sceneLength);
    if (s < low || s > high) continue;
    if (span.first > span.second) span.first = p;
    span.second = p;
  }
  return span;
}

// Each zone's scene range along one axis (gaps between buttons too), and the
// window pixels that reach it at 866x768 (1366x768) and 812x720 (1280x720),
// worked out with exact fractions.
struct zoneEdges {
  const char* what;
  bool across;
  int low, high;
  std::pair<int, int> at1366, at1280;
};

const zoneEdges kZoneEdges[] = {
    {"logo", true, 991, 1065, {784, 843}, {736, 790}},
    {"board", true, 9, 941, {7, 745}, {7, 698}},
    {"move and release zones", true, 9, 939, {7, 743}, {7, 697}},
    {"left buttons", true, 983, 1011, {778, 800}, {730, 750}},
    {"middle buttons", true, 1015, 1041, {803, 824}, {753, 772}},
    {"right buttons", true, 1047, 1073, {829, 849}, {777, 796}},
    {"palette", true, 995, 1055, {788, 835}, {739, 783}},
    {"left gap", true, 1012, 1014, {801, 802}, {751, 752}},
    {"right gap", true, 1042, 1046, {825, 828}, {773, 776}},
    {"logo", false, 15, 47, {12, 37}, {11, 35}},
    {"board and move zone", false, 15, 949, {12, 751}, {11, 704}},
    {"release zone", false, 37, 949, {29, 751}, {27, 704}},
    {"move buttons", false, 51, 75, {40, 59}, {38, 55}},
    {"gap", false, 76, 78, {60, 62}, {56, 58}},
    {"mute buttons", false, 79, 105, {63, 83}, {59, 78}},
    {"type 0", false, 117, 163, {93, 129}, {87, 121}},
    {"type 1", false, 164, 197, {130, 156}, {122, 146}},
    {"type 6", false, 334, 367, {264, 290}, {248, 272}},
    {"type 7", false, 368, 371, {291, 294}, {273, 275}},
};

TEST(ScenePointer, ZoneEdgesAt1366x768And1280x720AndEveryZoneReachableAt1024x600) {
  for (const zoneEdges& z : kZoneEdges) {
    SCOPED_TRACE(std::string(z.what) + (z.across ? " across" : " down"));
    const unsigned scene = z.across ? kSceneWidth : kSceneHeight;
    EXPECT_EQ(windowSpan(z.low, z.high, z.across ? 866 : 768, scene), z.at1366);
    EXPECT_EQ(windowSpan(z.low, z.high, z.across ? 812 : 720, scene), z.at1280);
    const auto at1024 = windowSpan(z.low, z.high, z.across ? 632 : 561, scene);
    EXPECT_LE(at1024.first, at1024.second);
  }
}

TEST(ScenePointer, PointerEventsCarryScenePixelsKeysStayAsTheyAre) {
  boardEvent event;
  event.x = 745;
  event.y = -1;
  event.key = 3;
  for (boardEventType type : {boardEventType::buttonPressed, boardEventType::buttonReleased,
                              boardEventType::pointerMoved, boardEventType::wheelScrolled}) {
    event.type = type;
    const boardEvent mapped = toScene(event, 866, 768);
    EXPECT_EQ(std::make_pair(mapped.x, mapped.y), std::make_pair(941, -1));
  }
  event.type = boardEventType::keyPressed;
  EXPECT_EQ(toScene(event, 866, 768).x, 745);
}

}  // namespace
