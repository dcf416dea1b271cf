// The window's size for the room the screen gives it, and the pointer's way
// back from window pixels to scene pixels: every zone stays within reach.
// The sizes and zone edges below are the layout's fixed numbers written out
// on purpose, to be checked against what the program computes from its own.
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

// The window for each room (a whole screen under mutter's 39-pixel title
// bar) at 96, 120, 144, 192 and 288 dpi: the scene times the scale where it
// fits, else the largest size of the same proportions, never above either.
struct roomSizes {
  screenRect room;
  std::pair<unsigned, unsigned> at[5];
};
const double kScales[] = {1, 1.25, 1.5, 2, 3};

const roomSizes kRoomSizes[] = {
    {{0, 0, 1366, 768}, {{822, 729}, {822, 729}, {822, 729}, {822, 729}, {822, 729}}},
    {{0, 0, 1920, 1080}, {{1094, 970}, {1174, 1041}, {1174, 1041}, {1174, 1041}, {1174, 1041}}},
    {{0, 0, 2560, 1600}, {{1094, 970}, {1366, 1212}, {1641, 1455}, {1760, 1561}, {1760, 1561}}},
    {{0, 0, 3840, 2160}, {{1094, 970}, {1366, 1212}, {1641, 1455}, {2188, 1940}, {2392, 2121}}},
};

TEST(WindowSize, SceneTimesTheScaleWhereItFitsElseTheLargestThatDoes) {
  for (const roomSizes& r : kRoomSizes)
    for (std::size_t i = 0; i < std::size(kScales); ++i) {
      SCOPED_TRACE(std::to_string(r.room.width) + "x" + std::to_string(r.room.height) + " at " +
                   std::to_string(kScales[i]));
      const windowChoice chosen = chooseWindow(r.room, {0, 0, 39, 0}, kScales[i]);
      EXPECT_EQ(std::make_pair(chosen.width, chosen.height), r.at[i]);
      EXPECT_EQ(wholeMultipleOfScene(chosen.width, chosen.height),
                chosen.width == 2 * kSceneWidth || chosen.width == kSceneWidth);
    }
  // Drawn sharp only at whole multiples, both sides alike.
  EXPECT_TRUE(wholeMultipleOfScene(3 * kSceneWidth, 3 * kSceneHeight));
  EXPECT_FALSE(wholeMultipleOfScene(2 * kSceneWidth, 3 * kSceneHeight));
  EXPECT_FALSE(wholeMultipleOfScene(1641, 1455));
  EXPECT_FALSE(wholeMultipleOfScene(0, 0));
  // The user's override may ask for less than the scene.
  EXPECT_EQ(chooseWindow({0, 0, 3840, 2160}, {}, 0.5).width, kSceneWidth / 2);
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
// window pixels that reach it at 866x768 (1366x768), 812x720 (1280x720),
// 2188x1940 (200 %) and 1641x1455 (150 %), worked out with exact fractions.
struct zoneEdges {
  const char* what;
  bool across;
  int low, high;
  std::pair<int, int> at1366, at1280, atDouble, atOneAndAHalf;
};

const zoneEdges kZoneEdges[] = {
    {"logo", true, 991, 1065, {784, 843}, {736, 790}, {1982, 2131}, {1486, 1598}},
    {"board", true, 9, 941, {7, 745}, {7, 698}, {18, 1883}, {13, 1412}},
    {"move and release zones", true, 9, 939, {7, 743}, {7, 697}, {18, 1879}, {13, 1409}},
    {"left buttons", true, 983, 1011, {778, 800}, {730, 750}, {1966, 2023}, {1474, 1517}},
    {"middle buttons", true, 1015, 1041, {803, 824}, {753, 772}, {2030, 2083}, {1522, 1562}},
    {"right buttons", true, 1047, 1073, {829, 849}, {777, 796}, {2094, 2147}, {1570, 1610}},
    {"palette", true, 995, 1055, {788, 835}, {739, 783}, {1990, 2111}, {1492, 1583}},
    {"left gap", true, 1012, 1014, {801, 802}, {751, 752}, {2024, 2029}, {1518, 1521}},
    {"right gap", true, 1042, 1046, {825, 828}, {773, 776}, {2084, 2093}, {1563, 1569}},
    {"logo", false, 15, 47, {12, 37}, {11, 35}, {30, 95}, {22, 71}},
    {"board and move zone", false, 15, 949, {12, 751}, {11, 704}, {30, 1899}, {22, 1424}},
    {"release zone", false, 37, 949, {29, 751}, {27, 704}, {74, 1899}, {55, 1424}},
    {"move buttons", false, 51, 75, {40, 59}, {38, 55}, {102, 151}, {76, 113}},
    {"gap", false, 76, 78, {60, 62}, {56, 58}, {152, 157}, {114, 117}},
    {"mute buttons", false, 79, 105, {63, 83}, {59, 78}, {158, 211}, {118, 158}},
    {"type 0", false, 117, 163, {93, 129}, {87, 121}, {234, 327}, {175, 245}},
    {"type 1", false, 164, 197, {130, 156}, {122, 146}, {328, 395}, {246, 296}},
    {"type 6", false, 334, 367, {264, 290}, {248, 272}, {668, 735}, {501, 551}},
    {"type 7", false, 368, 371, {291, 294}, {273, 275}, {736, 743}, {552, 557}},
};

TEST(ScenePointer, ZoneEdgesAtSmallAndHighDensitySizesAndEveryZoneReachableAt1024x600) {
  for (const zoneEdges& z : kZoneEdges) {
    SCOPED_TRACE(std::string(z.what) + (z.across ? " across" : " down"));
    const unsigned scene = z.across ? kSceneWidth : kSceneHeight;
    EXPECT_EQ(windowSpan(z.low, z.high, z.across ? 866 : 768, scene), z.at1366);
    EXPECT_EQ(windowSpan(z.low, z.high, z.across ? 812 : 720, scene), z.at1280);
    EXPECT_EQ(windowSpan(z.low, z.high, z.across ? 2188 : 1940, scene), z.atDouble);
    EXPECT_EQ(windowSpan(z.low, z.high, z.across ? 1641 : 1455, scene), z.atOneAndAHalf);
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
