// The board tables after start-up, the pad hit test and the two steps that
// keep pads and tokens naming each other.
#include <gtest/gtest.h>

#include "boardFixture.h"
#include "sceneLayout.h"

class BoardModelTest : public BoardFixture {};

namespace {

constexpr int kWindowWidth = static_cast<int>(kSceneWidth);
constexpr int kWindowHeight = static_cast<int>(kSceneHeight);
// For whole pixels a hit rectangle runs from the corner - 3 to the corner + 121.
constexpr int kHitBefore = 3;
constexpr int kHitAfter = 121;

bool inHitRectangle(int n, int x, int y) {
  const int left = kPadColumnX[n % kBoardSide];
  const int top = kPadRowY[n / kBoardSide];
  return x >= left - kHitBefore && x <= left + kHitAfter && y >= top - kHitBefore && y <= top + kHitAfter;
}

int lowestPadHolding(int x, int y) {
  for (int n = 0; n < kPadCount; ++n)
    if (inHitRectangle(n, x, y)) return n;
  return kNone;
}

}  // namespace

TEST_F(BoardModelTest, StartUpFillsTheGeometryAndFreesEverything) {
  // Written out, not taken from the scene's layout: a wrong number there must fail here.
  EXPECT_EQ(damier.x, 8);
  EXPECT_EQ(damier.y, 14);
  EXPECT_EQ(damier.width, 942.0f);
  EXPECT_EQ(damier.height, 950.0f);
  EXPECT_EQ(damier.padWidth, 122.0f);
  EXPECT_EQ(damier.padHeight, 122.0f);
  for (int n = 0; n < kPadCount; ++n) {
    EXPECT_EQ(tabPad[n].x, kPadColumnX[n % kBoardSide]) << n;
    EXPECT_EQ(tabPad[n].y, kPadRowY[n / kBoardSide]) << n;
    EXPECT_EQ(tabPad[n].genIndex, kNone) << n;
  }
  for (int g = 0; g < kGenCount; ++g) {
    EXPECT_EQ(tabgen[g].active, 0) << g;
    EXPECT_EQ(tabgen[g].type, 0) << g;
    EXPECT_EQ(tabgen[g].padIndex, kNone) << g;
    EXPECT_EQ(tabgen[g].x, 0.0f) << g;
    EXPECT_EQ(tabgen[g].y, 0.0f) << g;
  }
  EXPECT_EQ(genType, 0);
  EXPECT_EQ(genActif, kNone);
  EXPECT_EQ(dragged, kNone);
  EXPECT_EQ(mvType, kMoveSingle);
}

TEST_F(BoardModelTest, PadCornersComeFromTheTableNotAFixedStep) {
  EXPECT_EQ(tabPad[9].x, 126);
  EXPECT_EQ(tabPad[9].y, 132);
  EXPECT_EQ(tabPad[63].x, 826);
  EXPECT_EQ(tabPad[63].y, 836);
  EXPECT_EQ(tabPad[7].x, 826);
  EXPECT_EQ(tabPad[56].y, 836);
}

// The scene's numbers that rest on one another: a moved corner, clamped,
// stays on a pad; the gain law's centre is the middle of the hit rectangle;
// the tools' zones lie on the panel drawn behind them.
TEST_F(BoardModelTest, SceneLayoutNumbersAgree) {
  const zone& moved = kMovedCornerZone;
  for (const int x : {moved.left - 1, moved.right})
    for (const int y : {moved.top - 1, moved.bottom}) EXPECT_NE(findPadWH(x, y), kNone) << x << ", " << y;
  EXPECT_EQ(kCentreFromCorner + kHitBefore, kHitAfter - kCentreFromCorner);
  const zone tools[] = {kLogoZone,    kMoveOneZone,   kMoveGroupZone, kMoveAllZone,
                        kMuteOneZone, kMuteGroupZone, kMuteAllZone,   kPaletteZone};
  for (const zone& z : tools) {
    EXPECT_GE(z.left, kPanel.x) << z.left;
    EXPECT_LT(z.right, kPanel.x + kPanel.width) << z.left;
    EXPECT_GE(z.top, kPanel.y) << z.left;
    EXPECT_LT(z.bottom, kPanel.y + kPanel.height) << z.left;
  }
}

TEST(GenRecord, ConstructedWithoutAPad) {
  gen fresh;
  EXPECT_EQ(fresh.padIndex, kNone);
  EXPECT_EQ(fresh.sprite.texture(), nullptr);
}

TEST_F(BoardModelTest, HitTestOnOverlapsAndEdges) {
  EXPECT_EQ(findPadWH(125, 100), 0);
  EXPECT_EQ(findPadWH(130, 100), 1);
  EXPECT_EQ(findPadWH(4, 100), kNone);
  EXPECT_EQ(findPadWH(948, 500), kNone);
  EXPECT_EQ(findPadWH(947, 957), 63);
  EXPECT_EQ(findPadWH(5, 11), 0);
  EXPECT_EQ(findPadWH(4, 11), kNone);
  EXPECT_EQ(findPadWH(5, 10), kNone);
  EXPECT_EQ(findPadWH(947, 958), kNone);
  for (int x = 123; x <= 129; ++x) EXPECT_EQ(findPadWH(x, 20), 0) << x;
  EXPECT_EQ(findPadWH(941, 949), 63);
}

// Every point of the window, against the rectangles as drawn on paper: the
// union has no gap and an overlap always goes to the lower pad.
TEST_F(BoardModelTest, HitTestGivesTheLowestPadWhoseRectangleHoldsThePoint) {
  int mismatches = 0;
  for (int x = -2; x < kWindowWidth && mismatches < 10; ++x)
    for (int y = -2; y < kWindowHeight && mismatches < 10; ++y) {
      const int expected = lowestPadHolding(x, y);
      const int found = findPadWH(x, y);
      if (found != expected) {
        ADD_FAILURE() << "(" << x << ", " << y << "): " << found << " instead of " << expected;
        ++mismatches;
      }
    }
  for (int x = 5; x <= 947; ++x) {
    EXPECT_NE(findPadWH(x, 11), kNone) << x;
    EXPECT_NE(findPadWH(x, 957), kNone) << x;
  }
  for (int y = 11; y <= 957; ++y) {
    EXPECT_NE(findPadWH(5, y), kNone) << y;
    EXPECT_NE(findPadWH(947, y), kNone) << y;
  }
}

TEST_F(BoardModelTest, NeighbouringRectanglesOverlapBySevenOrNinePixels) {
  // Columns 0 and 1 lie 118 apart, columns 1 and 2 lie 116 apart.
  int sharedWithPad0 = 0;
  int sharedWithPad1 = 0;
  for (int x = 0; x < kWindowWidth; ++x) {
    const bool onPad1 = inHitRectangle(1, x, 60);
    sharedWithPad0 += onPad1 && findPadWH(x, 60) == 0;
    sharedWithPad1 += inHitRectangle(2, x, 60) && findPadWH(x, 60) == 1;
  }
  EXPECT_EQ(sharedWithPad0, 7);
  EXPECT_EQ(sharedWithPad1, 9);
}

TEST_F(BoardModelTest, ReleasingAPadFreesBothSides) {
  seatGen(4, 20);
  releasePad(4);
  EXPECT_EQ(tabgen[4].padIndex, kNone);
  EXPECT_EQ(tabPad[20].genIndex, kNone);
}

TEST_F(BoardModelTest, ReleasingATokenWithoutAPadChangesNoPad) {
  for (int n = 0; n < kPadCount; ++n) tabPad[n].genIndex = n % 5;
  releasePad(4);
  EXPECT_EQ(tabgen[4].padIndex, kNone);
  for (int n = 0; n < kPadCount; ++n) EXPECT_EQ(tabPad[n].genIndex, n % 5) << n;
}

TEST_F(BoardModelTest, SeatingMovesTheTokenAndFreesItsOldPad) {
  seatGen(3, 10);
  EXPECT_EQ(tabgen[3].padIndex, 10);
  EXPECT_EQ(tabPad[10].genIndex, 3);
  seatGen(3, 11);
  EXPECT_EQ(tabgen[3].padIndex, 11);
  EXPECT_EQ(tabPad[11].genIndex, 3);
  EXPECT_EQ(tabPad[10].genIndex, kNone);
}

TEST_F(BoardModelTest, SeatingFreesTheOldPadWhateverTokenItNamed) {
  seatGen(3, 10);
  tabPad[10].genIndex = 7;
  seatGen(3, 11);
  EXPECT_EQ(tabPad[10].genIndex, kNone);
  EXPECT_EQ(tabPad[11].genIndex, 3);
}

TEST_F(BoardModelTest, SeatingOnItsOwnPadRenamesThePad) {
  seatGen(3, 10);
  tabPad[10].genIndex = 7;
  seatGen(3, 10);
  EXPECT_EQ(tabgen[3].padIndex, 10);
  EXPECT_EQ(tabPad[10].genIndex, 3);
}

TEST_F(BoardModelTest, SeatingATokenWithoutAPadTouchesOnlyTheNewPad) {
  for (int n = 0; n < kPadCount; ++n) tabPad[n].genIndex = n % 5;
  seatGen(6, 30);
  EXPECT_EQ(tabgen[6].padIndex, 30);
  for (int n = 0; n < kPadCount; ++n) EXPECT_EQ(tabPad[n].genIndex, n == 30 ? 6 : n % 5) << n;
}

// Through the handlers: a removed token's slot is the next one filled.
TEST_F(BoardModelTest, PlacementTakesTheLowestFreeSlot) {
  tap(67, 73);
  tap(302, 73);
  tap(534, 73);
  ASSERT_EQ(tabPad[2].genIndex, 1);
  tap(302, 73);
  EXPECT_EQ(genActif, 1);
  press(1000, 90);  // mute one
  EXPECT_EQ(tabgen[1].active, 0);
  EXPECT_EQ(tabgen[1].padIndex, kNone);
  EXPECT_EQ(genActif, 1);
  tap(770, 73);
  EXPECT_EQ(tabPad[6].genIndex, 1);
  EXPECT_EQ(tabgen[1].active, 1);
  EXPECT_EQ(tabgen[3].active, 0);
  EXPECT_EQ(genActif, 1);
}
