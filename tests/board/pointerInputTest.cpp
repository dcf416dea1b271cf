// The mouse handlers: zones and their borders, buttons other than the
// left, placing and taking hold of tokens, the palette, the move-mode and
// mute buttons, releases and moves. The points and borders below are the
// layout's fixed numbers written out on purpose: a zone the program holds
// wrongly (sceneLayout.h) fails here.
#include <gtest/gtest.h>

#include <string>

#include "boardFixture.h"
#include "pointerInput.h"

class PointerInputTest : public BoardFixture {};

namespace {

struct point {
  int x, y;
};

std::ostream& operator<<(std::ostream& out, const point& p) { return out << "(" << p.x << ", " << p.y << ")"; }

// Button centres of the tool column.
constexpr point kMoveAllButton = {1060, 63};
constexpr point kMuteOneButton = {997, 92};
constexpr point kMuteGroupButton = {1028, 92};
constexpr point kMuteAllButton = {1060, 92};

std::string pressAt(point p, int button = kLeftButton) { return press(p.x, p.y, button); }

struct boardSnapshot {
  std::array<float, kPadCount> gains;
  int active[kGenCount];
  int padIndex[kGenCount];
  float x[kGenCount];
  float y[kGenCount];
  int genIndex[kPadCount];
  int genType, genActif, dragged, mvType;
};

boardSnapshot snapshot() {
  boardSnapshot s;
  s.gains = allGains();
  for (int g = 0; g < kGenCount; ++g) {
    s.active[g] = tabgen[g].active;
    s.padIndex[g] = tabgen[g].padIndex;
    s.x[g] = tabgen[g].x;
    s.y[g] = tabgen[g].y;
  }
  for (int p = 0; p < kPadCount; ++p) s.genIndex[p] = tabPad[p].genIndex;
  s.genType = genType;
  s.genActif = genActif;
  s.dragged = dragged;
  s.mvType = mvType;
  return s;
}

void expectUnchanged(const boardSnapshot& before, const std::string& what) {
  const boardSnapshot after = snapshot();
  for (int n = 0; n < kPadCount; ++n) {
    EXPECT_EQ(after.gains[n], before.gains[n]) << what << ": channel " << n;
    EXPECT_EQ(after.genIndex[n], before.genIndex[n]) << what << ": pad " << n;
    EXPECT_EQ(after.active[n], before.active[n]) << what << ": token " << n;
    EXPECT_EQ(after.padIndex[n], before.padIndex[n]) << what << ": token " << n;
    EXPECT_EQ(after.x[n], before.x[n]) << what << ": token " << n;
    EXPECT_EQ(after.y[n], before.y[n]) << what << ": token " << n;
  }
  EXPECT_EQ(after.genType, before.genType) << what;
  EXPECT_EQ(after.genActif, before.genActif) << what;
  EXPECT_EQ(after.dragged, before.dragged) << what;
  EXPECT_EQ(after.mvType, before.mvType) << what;
}

// A few tokens of two types on the board, token 1 selected and dragged,
// every channel at a non-zero value: anything a stray press could change.
void busyBoard() {
  tap(67, 73);
  press(1020, 180);
  tap(302, 73);
  press(302, 73);
  mvType = kMoveGroup;
  setAllGains(0.5f);
}

}  // namespace

TEST_F(PointerInputTest, PressOnAnEmptyPadPlacesTheLowestFreeToken) {
  genType = 4;
  const std::string trace = press(67, 73);
  EXPECT_EQ(trace, leftPressLines(67, 73) + "pad=0\n" + gainLine(0, "0", "1.003"));
  EXPECT_EQ(tabgen[0].active, 1);
  EXPECT_EQ(tabgen[0].type, 4);
  EXPECT_EQ(tabgen[0].padIndex, 0);
  EXPECT_EQ(tabgen[0].x, 55.0f);
  EXPECT_EQ(tabgen[0].y, 61.0f);
  EXPECT_EQ(tabPad[0].genIndex, 0);
  EXPECT_EQ(genActif, 0);
  EXPECT_EQ(dragged, 0);
  EXPECT_NEAR(channelGain(0), 1.003f, kGainTolerance);
}

TEST_F(PointerInputTest, PressOnAnOccupiedPadTakesHoldOfItsToken) {
  const int rowZeroX[] = {67, 185, 301, 417, 535, 651};
  for (int x : rowZeroX) tap(x, 73);
  ASSERT_EQ(tabPad[5].genIndex, 5);
  tap(67, 73);
  genType = 6;
  const std::string trace = press(600, 100);
  EXPECT_EQ(trace, leftPressLines(600, 100) + gainLine(5, "57.7062", "0.0219954"));
  EXPECT_EQ(genActif, 5);
  EXPECT_EQ(dragged, 5);
  EXPECT_EQ(tabgen[5].x, 588.0f);
  EXPECT_EQ(tabgen[5].y, 88.0f);
  EXPECT_EQ(tabgen[5].type, 0);
  EXPECT_EQ(tabgen[5].padIndex, 5);
  EXPECT_EQ(tabgen[6].active, 0);
}

TEST_F(PointerInputTest, OtherButtonsActAlikeWithoutThePressLines) {
  for (int button : {kRightButton, kMiddleButton, kFirstExtraButton}) {
    resetBoard();
    EXPECT_EQ(press(67, 73, button), "pad=0\n" + gainLine(0, "0", "1.003")) << button;
    EXPECT_EQ(tabPad[0].genIndex, 0) << button;
    EXPECT_EQ(pressAt(kMoveAllButton, button), "bouton: Tout déplacer \n") << button;
    EXPECT_EQ(mvType, kMoveAll) << button;
    EXPECT_EQ(press(1020, 250, button), "cy=3bouton = 3\n") << button;
    EXPECT_EQ(genType, 3) << button;
    EXPECT_EQ(pressAt(kMuteOneButton, button), "bouton: mute \nmessage=/Canaux0/canal0\n") << button;
  }
}

TEST_F(PointerInputTest, BoardZoneBorders) {
  const point inside[] = {{9, 15}, {941, 15}, {9, 949}, {941, 949}};
  const int pads[] = {0, 7, 56, 63};
  for (int i = 0; i < 4; ++i) {
    resetBoard();
    const std::string trace = press(inside[i].x, inside[i].y);
    EXPECT_NE(trace.find("pad=" + std::to_string(pads[i]) + "\n"), std::string::npos) << inside[i] << trace;
    EXPECT_EQ(tabPad[pads[i]].genIndex, 0) << inside[i];
  }
  resetBoard();
  const point outside[] = {{8, 500}, {942, 500}, {500, 14}, {500, 950}, {960, 500}};
  for (point p : outside) {
    EXPECT_EQ(pressAt(p), leftPressLines(p.x, p.y)) << p;
    EXPECT_EQ(tabgen[0].active, 0) << p;
  }
  EXPECT_EQ(genActif, kNone);
}

TEST_F(PointerInputTest, TopRowOverlapGoesToPadZero) {
  for (int x = 123; x <= 129; ++x) {
    resetBoard();
    EXPECT_NE(press(x, 20).find("pad=0\n"), std::string::npos) << x;
    EXPECT_EQ(tabPad[0].genIndex, 0) << x;
  }
}

TEST_F(PointerInputTest, MoveModeButtonsAndTheirBorders) {
  const struct {
    point corner;
    const char* line;
    int mode;
  } buttons[] = {
      {{983, 51}, "bouton: Déplacer \n", kMoveSingle},       {{1011, 75}, "bouton: Déplacer \n", kMoveSingle},
      {{1015, 51}, "bouton: Déplacer groupe\n", kMoveGroup}, {{1041, 75}, "bouton: Déplacer groupe\n", kMoveGroup},
      {{1047, 51}, "bouton: Tout déplacer \n", kMoveAll},    {{1073, 75}, "bouton: Tout déplacer \n", kMoveAll},
  };
  for (const auto& button : buttons) {
    mvType = (button.mode + 1) % 3;
    EXPECT_EQ(press(button.corner.x, button.corner.y), leftPressLines(button.corner.x, button.corner.y) + button.line)
        << button.corner;
    EXPECT_EQ(mvType, button.mode) << button.corner;
  }
}

TEST_F(PointerInputTest, MuteButtonBordersAndCorners) {
  const point muteAllCorners[] = {{1047, 79}, {1073, 105}};
  for (point p : muteAllCorners) {
    setAllGains(0.5f);
    EXPECT_EQ(pressAt(p), leftPressLines(p.x, p.y) + "bouton: tout muter\n") << p;
    EXPECT_EQ(allGains(), (std::array<float, kPadCount>{})) << p;
  }
  const point muteOneCorners[] = {{983, 79}, {1011, 105}};
  for (point p : muteOneCorners) EXPECT_EQ(pressAt(p), leftPressLines(p.x, p.y) + "bouton: mute \n") << p;
  const point muteGroupCorners[] = {{1015, 79}, {1041, 105}};
  for (point p : muteGroupCorners) EXPECT_EQ(pressAt(p), leftPressLines(p.x, p.y) + "bouton: mute groupe \n") << p;
}

TEST_F(PointerInputTest, PressesBetweenAndAroundTheButtonsDoNothing) {
  busyBoard();
  const point gaps[] = {{1012, 60}, {1014, 95}, {1042, 60}, {1046, 95},  {1000, 76}, {1060, 78},
                        {982, 60},  {1074, 95}, {1000, 50}, {1060, 106}, {983, 77},  {1073, 76}};
  for (point p : gaps) {
    const boardSnapshot before = snapshot();
    EXPECT_EQ(pressAt(p), leftPressLines(p.x, p.y)) << p;
    expectUnchanged(before, "press between buttons");
  }
}

TEST_F(PointerInputTest, PaletteBands) {
  const struct {
    int y;
    int type;
  } bands[] = {{117, 0}, {129, 0}, {130, 0}, {163, 0}, {164, 1}, {197, 1}, {198, 2}, {250, 3},
               {299, 4}, {300, 5}, {333, 5}, {334, 6}, {367, 6}, {368, 7}, {371, 7}};
  for (const auto& band : bands) {
    genType = (band.type + 1) % kTypeCount;
    const std::string number = std::to_string(band.type);
    EXPECT_EQ(press(1020, band.y), leftPressLines(1020, band.y) + "cy=" + number + "bouton = " + number + "\n")
        << band.y;
    EXPECT_EQ(genType, band.type) << band.y;
  }
  EXPECT_EQ(press(1000, 250), leftPressLines(1000, 250) + "cy=3bouton = 3\n");
}

TEST_F(PointerInputTest, PaletteZoneBorders) {
  genType = 2;
  const point outside[] = {{1020, 116}, {1020, 372}, {994, 250}, {1056, 250}};
  for (point p : outside) {
    EXPECT_EQ(pressAt(p), leftPressLines(p.x, p.y)) << p;
    EXPECT_EQ(genType, 2) << p;
  }
  EXPECT_EQ(press(995, 250), leftPressLines(995, 250) + "cy=3bouton = 3\n");
  EXPECT_EQ(press(1055, 370), leftPressLines(1055, 370) + "cy=7bouton = 7\n");
}

TEST_F(PointerInputTest, PaletteTypeAppliesToLaterTokensOnly) {
  tap(67, 73);
  press(1020, 300);
  tap(302, 73);
  EXPECT_EQ(tabgen[0].type, 0);
  EXPECT_EQ(tabgen[1].type, 5);
}

TEST_F(PointerInputTest, MuteOneWithoutASelectionOnlyWritesItsLine) {
  setAllGains(0.5f);
  const boardSnapshot before = snapshot();
  EXPECT_EQ(pressAt(kMuteOneButton), leftPressLines(kMuteOneButton.x, kMuteOneButton.y) + "bouton: mute \n");
  expectUnchanged(before, "mute one");
  EXPECT_EQ(pressAt(kMuteGroupButton),
            leftPressLines(kMuteGroupButton.x, kMuteGroupButton.y) + "bouton: mute groupe \n");
  expectUnchanged(before, "mute group");
}

TEST_F(PointerInputTest, MuteOneTwiceOnTheSameSelection) {
  tap(67, 73);
  tap(200, 300);
  ASSERT_EQ(genActif, 1);
  EXPECT_EQ(pressAt(kMuteOneButton),
            leftPressLines(kMuteOneButton.x, kMuteOneButton.y) + "bouton: mute \nmessage=/Canaux0/canal17\n");
  EXPECT_EQ(tabgen[1].active, 0);
  EXPECT_EQ(tabgen[1].padIndex, kNone);
  EXPECT_EQ(tabPad[17].genIndex, kNone);
  EXPECT_EQ(channelGain(17), 0.0f);
  EXPECT_EQ(tabgen[0].padIndex, 0);
  EXPECT_NEAR(channelGain(0), 1.003f, kGainTolerance);
  EXPECT_EQ(genActif, 1);

  const boardSnapshot before = snapshot();
  EXPECT_EQ(pressAt(kMuteOneButton),
            leftPressLines(kMuteOneButton.x, kMuteOneButton.y) + "bouton: mute \nmessage=/Canaux0/canal255\n");
  expectUnchanged(before, "second mute");
}

TEST_F(PointerInputTest, MuteGroupTakesOffTheSelectedType) {
  tap(67, 73);
  tap(302, 73);
  press(1020, 180);
  tap(185, 191);
  press(1020, 250);
  tap(200, 300);
  tap(67, 73);
  ASSERT_EQ(genActif, 0);
  EXPECT_EQ(pressAt(kMuteGroupButton),
            leftPressLines(kMuteGroupButton.x, kMuteGroupButton.y) + "bouton: mute groupe \n");
  for (int g : {0, 1}) {
    EXPECT_EQ(tabgen[g].active, 0) << g;
    EXPECT_EQ(tabgen[g].padIndex, kNone) << g;
  }
  for (int p : {0, 2}) {
    EXPECT_EQ(tabPad[p].genIndex, kNone) << p;
    EXPECT_EQ(channelGain(p), 0.0f) << p;
  }
  EXPECT_EQ(tabPad[9].genIndex, 2);
  EXPECT_EQ(tabPad[17].genIndex, 3);
  EXPECT_NEAR(channelGain(9), 1.003f, kGainTolerance);
  EXPECT_NEAR(channelGain(17), 0.705621f, kGainTolerance);
  EXPECT_EQ(genActif, 0);
}

TEST_F(PointerInputTest, MuteAllSilencesEveryChannelAndFreesEveryToken) {
  tap(67, 73);
  tap(302, 73);
  tap(200, 300);
  setAllGains(0.5f);
  EXPECT_EQ(pressAt(kMuteAllButton), leftPressLines(kMuteAllButton.x, kMuteAllButton.y) + "bouton: tout muter\n");
  EXPECT_EQ(allGains(), (std::array<float, kPadCount>{}));
  for (int g = 0; g < kGenCount; ++g) {
    EXPECT_EQ(tabgen[g].active, 0) << g;
    EXPECT_EQ(tabgen[g].padIndex, kNone) << g;
  }
  for (int p = 0; p < kPadCount; ++p) EXPECT_EQ(tabPad[p].genIndex, kNone) << p;
  EXPECT_EQ(genActif, 2);
  EXPECT_EQ(press(535, 309), leftPressLines(535, 309) + "pad=20\n" + gainLine(20, "0", "1.003"));
  EXPECT_EQ(tabPad[20].genIndex, 0);
}

TEST_F(PointerInputTest, MuteAllNeedsNoSelection) {
  setAllGains(0.5f);
  pressAt(kMuteAllButton);
  EXPECT_EQ(allGains(), (std::array<float, kPadCount>{}));
  EXPECT_EQ(genActif, kNone);
}

TEST_F(PointerInputTest, ReleaseEndsTheDragOnlyInsideItsZone) {
  press(67, 73);
  const point outside[] = {{500, 15}, {500, 36}, {8, 500}, {940, 500}, {500, 950}, {1020, 250}};
  for (point p : outside) {
    EXPECT_EQ(release(p.x, p.y), releaseLine()) << p;
    EXPECT_EQ(dragged, 0) << p;
  }
  // No button is held, yet the token still follows.
  EXPECT_EQ(move(200, 300), moveLines(200, 300) + gainLine(17, "17.4929", "0.705621"));
  EXPECT_EQ(tabgen[0].x, 188.0f);
  EXPECT_EQ(release(9, 37), releaseLine() + endDragLine());
  EXPECT_EQ(dragged, kNone);
  EXPECT_EQ(move(67, 73), moveLines(67, 73));
  EXPECT_EQ(tabgen[0].x, 188.0f);
}

TEST_F(PointerInputTest, ReleaseZoneCorners) {
  const point corners[] = {{9, 37}, {939, 37}, {9, 949}, {939, 949}};
  for (point p : corners) {
    press(67, 73);
    EXPECT_EQ(traceOf([&] { onMouseUp(releaseEvent(p.x, p.y, kRightButton)); }), releaseLine() + endDragLine()) << p;
    EXPECT_EQ(dragged, kNone) << p;
  }
}

TEST_F(PointerInputTest, ReleaseWithoutADragStillEndsOne) {
  EXPECT_EQ(release(500, 500), releaseLine() + endDragLine());
  EXPECT_EQ(dragged, kNone);
}

TEST_F(PointerInputTest, MovesOutsideTheMoveZoneOnlyWriteThePosition) {
  press(67, 73);
  const point outside[] = {{8, 500}, {940, 500}, {500, 14}, {500, 950}, {1020, 250}, {-5, -5}};
  for (point p : outside) {
    EXPECT_EQ(move(p.x, p.y), moveLines(p.x, p.y)) << p;
    EXPECT_EQ(tabgen[0].x, 55.0f) << p;
    EXPECT_EQ(tabgen[0].y, 61.0f) << p;
  }
  EXPECT_EQ(move(939, 949), moveLines(939, 949) + gainLine(63, "58", "0.017"));
  EXPECT_EQ(tabgen[0].padIndex, 63);
  EXPECT_EQ(move(9, 15), moveLines(9, 15) + gainLine(0, "58", "0.017"));
}

TEST_F(PointerInputTest, MovesWithoutADragChangeNothing) {
  tap(67, 73);
  setAllGains(0.5f);
  const boardSnapshot before = snapshot();
  EXPECT_EQ(move(200, 300), moveLines(200, 300));
  expectUnchanged(before, "idle move");
}
