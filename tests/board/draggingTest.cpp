// Dragging through the real handlers: single, group and all mode, the
// clamps, displacement, the late registration of formations and the grab
// offsets.
#include <gtest/gtest.h>

#include "boardFixture.h"
#include "dragging.h"

class DraggingTest : public BoardFixture {};

namespace {

// Pad centres used below: pad 0 (67, 73), pad 1 (185, 73), pad 2 (301, 73),
// pad 7 (885, 73), pad 9 (185, 191), pad 17 (185, 309), pad 20 (535, 309).
constexpr int kPaletteX = 1020;
constexpr int kPaletteTypeOneY = 180;

void expectCorner(int g, float x, float y) {
  EXPECT_EQ(tabgen[g].x, x) << "token " << g;
  EXPECT_EQ(tabgen[g].y, y) << "token " << g;
}

void expectSeated(int g, int p) {
  EXPECT_EQ(tabgen[g].active, 1) << "token " << g;
  EXPECT_EQ(tabgen[g].padIndex, p) << "token " << g;
  EXPECT_EQ(tabPad[p].genIndex, g) << "pad " << p;
}

void expectOffBoard(int g) {
  EXPECT_EQ(tabgen[g].active, 0) << "token " << g;
  EXPECT_EQ(tabgen[g].padIndex, kNone) << "token " << g;
}

void chooseType(int y) { press(kPaletteX, y); }

}  // namespace

TEST_F(DraggingTest, SingleModeCarriesTheTokenAndItsRegistration) {
  press(67, 73);
  const std::string trace = move(200, 300);
  EXPECT_EQ(trace, moveLines(200, 300) + gainLine(17, "17.4929", "0.705621"));
  expectCorner(0, 188.0f, 288.0f);
  EXPECT_EQ(tabgen[0].sprite.getPosition(), sf::Vector2f(188.0f, 288.0f));
  expectSeated(0, 17);
  EXPECT_EQ(tabPad[0].genIndex, kNone);
  EXPECT_NEAR(channelGain(17), 0.705621f, kGainTolerance);
  // The pad it left keeps the last gain sent to it.
  EXPECT_NEAR(channelGain(0), 1.003f, kGainTolerance);
}

TEST_F(DraggingTest, SingleModeClampsTheCorner) {
  press(67, 73);
  EXPECT_EQ(move(9, 15), moveLines(9, 15) + gainLine(0, "58", "0.017"));
  expectCorner(0, 8.0f, 14.0f);
  expectSeated(0, 0);
  EXPECT_NEAR(channelGain(0), 0.017f, kGainTolerance);
  move(21, 27);
  expectCorner(0, 9.0f, 15.0f);
  move(20, 26);
  expectCorner(0, 8.0f, 14.0f);
  move(500, 949);
  expectCorner(0, 488.0f, 935.0f);
  expectSeated(0, 60);
}

// The same corner (173, 297) on pad 17: the pointer decides in single mode,
// the corner in group mode.
TEST_F(DraggingTest, SingleAndGroupModeMeasureFromDifferentPoints) {
  press(67, 73);
  EXPECT_EQ(move(185, 309), moveLines(185, 309) + gainLine(17, "0", "1.003"));
  expectCorner(0, 173.0f, 297.0f);
  EXPECT_NEAR(channelGain(17), 1.003f, kGainTolerance);

  resetBoard();
  key(kKeyG);
  press(67, 73);
  EXPECT_EQ(move(185, 309), moveLines(185, 309) + gainLine(17, "16.9706", "0.7145"));
  expectCorner(0, 173.0f, 297.0f);
  EXPECT_NEAR(channelGain(17), 0.7145f, kGainTolerance);
}

TEST_F(DraggingTest, GroupMoveKeepsTheFormationAndSendsInTokenOrder) {
  tap(67, 73);
  tap(302, 73);
  expectCorner(1, 290.0f, 61.0f);
  key(kKeyG);
  press(67, 73);
  EXPECT_EQ(mdraggedX[0], 12);
  EXPECT_EQ(mdraggedY[0], 12);
  EXPECT_EQ(mdraggedX[1], -223);
  EXPECT_EQ(mdraggedY[1], 12);
  // Tokens off the board get offsets too, from their corner (0, 0).
  EXPECT_EQ(mdraggedX[40], 67);
  EXPECT_EQ(mdraggedY[40], 73);
  const std::string trace = move(100, 73);
  EXPECT_EQ(trace, moveLines(100, 73) + gainLine(0, "24.1868", "0.591825") + gainLine(2, "25.0599", "0.576981"));
  expectCorner(0, 88.0f, 61.0f);
  expectCorner(1, 323.0f, 61.0f);
  EXPECT_NEAR(channelGain(0), 0.591825f, kGainTolerance);
  EXPECT_NEAR(channelGain(2), 0.576981f, kGainTolerance);
}

TEST_F(DraggingTest, GroupModeLeavesOtherTypesAndAllModeTakesThem) {
  tap(67, 73);
  chooseType(kPaletteTypeOneY);
  tap(302, 73);
  ASSERT_EQ(tabgen[1].type, 1);
  key(kKeyG);
  press(67, 73);
  EXPECT_EQ(move(100, 73), moveLines(100, 73) + gainLine(0, "24.1868", "0.591825"));
  expectCorner(1, 290.0f, 61.0f);
  release(100, 73);

  key(kKeyT);
  press(100, 73);
  move(133, 73);
  expectCorner(0, 121.0f, 61.0f);
  expectCorner(1, 323.0f, 61.0f);
}

TEST_F(DraggingTest, FormationRegistrationFollowsOneStepLate) {
  key(kKeyG);
  press(67, 73);
  EXPECT_EQ(move(150, 73), moveLines(150, 73) + gainLine(1, "48.5077", "0.178369"));
  expectCorner(0, 138.0f, 61.0f);
  expectSeated(0, 0);
  EXPECT_EQ(tabPad[1].genIndex, kNone);
  EXPECT_NEAR(channelGain(1), 0.178369f, kGainTolerance);

  EXPECT_EQ(move(151, 73), moveLines(151, 73) + gainLine(1, "47.5395", "0.194829"));
  expectSeated(0, 1);
  EXPECT_EQ(tabPad[0].genIndex, kNone);
  EXPECT_NEAR(channelGain(0), 1.003f, kGainTolerance);
}

// The displaced token's channel gets 0 first, then the dragged token's gain.
TEST_F(DraggingTest, SingleModeDisplacementEndsWithTheNewGain) {
  tap(200, 300);
  press(67, 73);
  setChannelGain(17, 0.25f);
  EXPECT_EQ(move(200, 300), moveLines(200, 300) + gainLine(17, "17.4929", "0.705621"));
  expectOffBoard(0);
  expectCorner(0, 188.0f, 288.0f);
  EXPECT_EQ(tabgen[0].type, 0);
  expectSeated(1, 17);
  EXPECT_EQ(tabPad[0].genIndex, kNone);
  EXPECT_NEAR(channelGain(17), 0.705621f, kGainTolerance);
}

// A formation token registered on its old corner's pad pushes the other
// token off: that pad's channel gets 0 and keeps it, since the gain of the
// step goes to the pad under the new corner.
TEST_F(DraggingTest, FormationDisplacementSilencesTheOldCornersPad) {
  tap(67, 73);
  chooseType(kPaletteTypeOneY);
  tap(185, 73);
  ASSERT_NEAR(channelGain(1), 1.003f, kGainTolerance);
  key(kKeyG);
  press(67, 73);
  EXPECT_EQ(move(197, 73), moveLines(197, 73) + gainLine(1, "12", "0.799"));
  expectSeated(0, 0);
  expectSeated(1, 1);
  EXPECT_NEAR(channelGain(1), 0.799f, kGainTolerance);

  EXPECT_EQ(move(320, 73), moveLines(320, 73) + gainLine(2, "13.8924", "0.766828"));
  expectOffBoard(1);
  expectCorner(1, 173.0f, 61.0f);
  expectSeated(0, 1);
  EXPECT_EQ(tabPad[0].genIndex, kNone);
  EXPECT_EQ(channelGain(1), 0.0f);
  EXPECT_NEAR(channelGain(2), 0.766828f, kGainTolerance);
  EXPECT_NEAR(channelGain(0), 1.003f, kGainTolerance);
}

// Offsets come only from a group or all start; a single-mode drag switched
// to group mode uses the offsets left at 0, so the group jumps onto the
// pointer, then its members push each other off one pad.
TEST_F(DraggingTest, SingleToGroupSwitchWithZeroOffsets) {
  tap(67, 73);
  tap(302, 73);
  tap(185, 191);
  chooseType(kPaletteTypeOneY);
  tap(535, 309);
  press(67, 73);
  key(kKeyG);
  const std::string jump = gainLine(27, "31.9061", "0.460596");
  EXPECT_EQ(move(400, 400), moveLines(400, 400) + jump + jump + jump);
  for (int g : {0, 1, 2}) expectCorner(g, 400.0f, 400.0f);
  expectSeated(0, 0);
  expectSeated(1, 2);
  expectSeated(2, 9);
  expectCorner(3, 523.0f, 297.0f);

  const std::string pile = gainLine(27, "31.3847", "0.46946");
  EXPECT_EQ(move(401, 400), moveLines(401, 400) + pile + pile + pile);
  expectOffBoard(0);
  expectOffBoard(1);
  expectSeated(2, 27);
  expectSeated(3, 20);
  for (int p : {0, 2, 9}) {
    EXPECT_EQ(tabPad[p].genIndex, kNone) << p;
    EXPECT_NEAR(channelGain(p), 1.003f, kGainTolerance) << p;
  }
  EXPECT_NEAR(channelGain(27), 0.46946f, kGainTolerance);
}

TEST_F(DraggingTest, FormationClampsEachTokenAndKeepsItsOffsets) {
  tap(67, 73);
  tap(885, 73);
  key(kKeyT);
  press(67, 73);
  ASSERT_EQ(mdraggedX[1], -806);
  move(200, 73);
  expectCorner(0, 188.0f, 61.0f);
  expectCorner(1, 940.0f, 61.0f);
  move(9, 15);
  expectCorner(0, 8.0f, 14.0f);
  expectCorner(1, 815.0f, 14.0f);
  move(67, 949);
  expectCorner(0, 55.0f, 935.0f);
  move(21, 27);
  expectCorner(0, 9.0f, 15.0f);
  move(67, 73);
  expectCorner(0, 55.0f, 61.0f);
  expectCorner(1, 873.0f, 61.0f);
  EXPECT_EQ(mdraggedX[1], -806);
  EXPECT_EQ(mdraggedY[1], 12);
}

TEST_F(DraggingTest, ModeIsReadAtEveryStep) {
  tap(67, 73);
  tap(302, 73);
  key(kKeyG);
  press(67, 73);
  move(100, 73);
  key(kKeyS);
  EXPECT_EQ(move(200, 300), moveLines(200, 300) + gainLine(17, "17.4929", "0.705621"));
  expectCorner(0, 188.0f, 288.0f);
  expectCorner(1, 323.0f, 61.0f);
  expectSeated(0, 17);
}

TEST_F(DraggingTest, APressDuringADragReanchorsIt) {
  tap(67, 73);
  tap(302, 73);
  key(kKeyG);
  press(67, 73);
  press(302, 73);
  EXPECT_EQ(dragged, 1);
  EXPECT_EQ(mdraggedX[0], 247);
  EXPECT_EQ(mdraggedX[1], 12);
}

// A token taken off the board stays off, even while its drag goes on.
TEST_F(DraggingTest, SingleModeStepLeavesAMutedDraggedTokenAlone) {
  tap(200, 300);
  const float padSeventeenGain = channelGain(17);
  press(67, 73);
  EXPECT_EQ(key(kKeyD), "key:3 c\nmessage=/Canaux0/canal0\n");
  EXPECT_EQ(move(200, 300), moveLines(200, 300));
  expectOffBoard(1);
  expectCorner(1, 55.0f, 61.0f);
  expectSeated(0, 17);
  EXPECT_EQ(channelGain(17), padSeventeenGain);
  EXPECT_EQ(channelGain(0), 0.0f);
  EXPECT_EQ(release(200, 300), releaseLine() + endDragLine());
  EXPECT_EQ(dragged, kNone);
}

// A corner left of the board (a press at x 9 to 16 puts it there) lies on no
// pad: the token keeps its pad, yet moves and has its new corner's gain sent.
TEST_F(DraggingTest, FormationTokenWithACornerOnNoPadKeepsItsPad) {
  key(kKeyG);
  press(12, 100);
  expectCorner(0, 0.0f, 88.0f);
  expectSeated(0, 0);
  const float padZeroGain = channelGain(0);
  EXPECT_EQ(move(150, 100), moveLines(150, 100) + gainLine(1, "49.3356", "0.164295"));
  expectCorner(0, 138.0f, 88.0f);
  expectSeated(0, 0);
  EXPECT_EQ(tabPad[1].genIndex, kNone);
  EXPECT_EQ(channelGain(0), padZeroGain);
  EXPECT_NEAR(channelGain(1), 0.164295f, kGainTolerance);
  move(151, 100);
  expectSeated(0, 1);
}

TEST_F(DraggingTest, NoTokenToDragMeansEveryStepDoesNothing) {
  tap(67, 73);
  for (int i = 0; i < kGenCount; ++i) mdraggedX[i] = mdraggedY[i] = i;
  start_drag(kNone, 100, 100);
  EXPECT_EQ(dragged, kNone);
  for (int mode : {kMoveSingle, kMoveGroup, kMoveAll}) {
    mvType = mode;
    start_drag(kNone, 100, 100);
    EXPECT_EQ(move(200, 300), moveLines(200, 300)) << mode;
  }
  expectCorner(0, 55.0f, 61.0f);
  expectSeated(0, 0);
  for (int i = 0; i < kGenCount; ++i) EXPECT_EQ(mdraggedX[i], i);
}

TEST_F(DraggingTest, SingleModeStartKeepsEarlierOffsets) {
  key(kKeyG);
  press(67, 73);
  release(67, 73);
  key(kKeyS);
  press(100, 100);
  EXPECT_EQ(mdraggedX[0], 12);
  EXPECT_EQ(mdraggedY[0], 12);
}
