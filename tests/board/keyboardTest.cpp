// The keys S, G and T choose the move mode, D deletes in that mode; the
// modifiers change nothing and the wheel does nothing.
#include <gtest/gtest.h>

#include <array>

#include "boardFixture.h"
#include "keyboard.h"

class KeyboardTest : public BoardFixture {};

namespace {

// Tokens 0 and 1 of type 0 on pads 0 and 2, tokens 2 and 3 of type 2 on
// pads 9 and 17, token 2 selected.
void twoGroups() {
  tap(67, 73);
  tap(302, 73);
  press(1020, 200);
  tap(185, 191);
  tap(200, 300);
  tap(185, 191);
  ASSERT_EQ(genActif, 2);
  ASSERT_EQ(tabgen[3].type, 2);
}

void expectOnPad(int g, int p) {
  EXPECT_EQ(tabgen[g].active, 1) << g;
  EXPECT_EQ(tabgen[g].padIndex, p) << g;
  EXPECT_EQ(tabPad[p].genIndex, g) << p;
}

void expectTakenOff(int g, int p) {
  EXPECT_EQ(tabgen[g].active, 0) << g;
  EXPECT_EQ(tabgen[g].padIndex, kNone) << g;
  EXPECT_EQ(tabPad[p].genIndex, kNone) << p;
  EXPECT_EQ(channelGain(p), 0.0f) << p;
}

const Modifiers kAllModifiers = {true, true, true, true};

}  // namespace

TEST_F(KeyboardTest, ModeKeysChangeOnlyTheMode) {
  twoGroups();
  const auto gains = allGains();
  const struct {
    int code;
    int mode;
  } keys[] = {{kKeyG, kMoveGroup}, {kKeyT, kMoveAll}, {kKeyS, kMoveSingle}, {kKeyT, kMoveAll}, {kKeyG, kMoveGroup}};
  for (const auto& k : keys) {
    EXPECT_EQ(key(k.code), "key:" + std::to_string(k.code) + " c\n");
    EXPECT_EQ(mvType, k.mode) << k.code;
  }
  EXPECT_EQ(allGains(), gains);
  expectOnPad(0, 0);
  expectOnPad(3, 17);
  EXPECT_EQ(tabgen[2].x, 173.0f);
}

TEST_F(KeyboardTest, ModifiersChangeNothing) {
  EXPECT_EQ(key(kKeyG, kAllModifiers), "key:6 c\n");
  EXPECT_EQ(mvType, kMoveGroup);
  EXPECT_EQ(key(kKeyT, {false, false, true, false}), "key:19 c\n");
  EXPECT_EQ(mvType, kMoveAll);
  EXPECT_EQ(key(kKeyS, {false, true, false, false}), "key:18 c\n");
  EXPECT_EQ(mvType, kMoveSingle);
  twoGroups();
  EXPECT_EQ(key(kKeyD, kAllModifiers), "key:3 c\nmessage=/Canaux0/canal9\n");
  expectTakenOff(2, 9);
}

TEST_F(KeyboardTest, DeleteInSingleModeTakesOffTheSelectedToken) {
  twoGroups();
  EXPECT_EQ(key(kKeyD), "key:3 c\nmessage=/Canaux0/canal9\n");
  expectTakenOff(2, 9);
  expectOnPad(3, 17);
  expectOnPad(0, 0);
  EXPECT_EQ(genActif, 2);
  // Again: the selection has no pad any more, so nothing changes.
  const auto gains = allGains();
  EXPECT_EQ(key(kKeyD), "key:3 c\nmessage=/Canaux0/canal255\n");
  EXPECT_EQ(allGains(), gains);
  expectOnPad(3, 17);
}

TEST_F(KeyboardTest, DeleteInGroupModeTakesOffTheSelectedType) {
  twoGroups();
  key(kKeyG);
  EXPECT_EQ(key(kKeyD), "key:3 c\n");
  expectTakenOff(2, 9);
  expectTakenOff(3, 17);
  expectOnPad(0, 0);
  expectOnPad(1, 2);
  EXPECT_NEAR(channelGain(0), 1.003f, kGainTolerance);
  EXPECT_EQ(genActif, 2);
}

TEST_F(KeyboardTest, DeleteInAllModeSilencesEverything) {
  twoGroups();
  setAllGains(0.5f);
  key(kKeyT);
  EXPECT_EQ(key(kKeyD), "key:3 c\n");
  EXPECT_EQ(allGains(), (std::array<float, kPadCount>{}));
  for (int g = 0; g < kGenCount; ++g) EXPECT_EQ(tabgen[g].active, 0) << g;
  for (int p = 0; p < kPadCount; ++p) EXPECT_EQ(tabPad[p].genIndex, kNone) << p;
  EXPECT_EQ(genActif, 2);
}

TEST_F(KeyboardTest, DeleteWithoutASelection) {
  setAllGains(0.5f);
  EXPECT_EQ(key(kKeyD), "key:3 c\n");
  key(kKeyG);
  EXPECT_EQ(key(kKeyD), "key:3 c\n");
  EXPECT_EQ(allGains()[40], 0.5f);
  key(kKeyT);
  EXPECT_EQ(key(kKeyD), "key:3 c\n");
  EXPECT_EQ(allGains(), (std::array<float, kPadCount>{}));
}

TEST_F(KeyboardTest, KeysWithoutAFunctionOnlyWriteTheirLine) {
  twoGroups();
  const auto gains = allGains();
  const int codes[] = {-1, 0, 1, 2, 4, 5, 7, 17, 20, 25, 66};  // 66 is the Delete key
  for (int code : codes) {
    EXPECT_EQ(key(code), "key:" + std::to_string(code) + " c\n") << code;
    EXPECT_EQ(mvType, kMoveSingle) << code;
  }
  EXPECT_EQ(key(-1), "key:-1 c\n");
  EXPECT_EQ(allGains(), gains);
  expectOnPad(2, 9);
}

TEST_F(KeyboardTest, OnlyKeyPressesAreHandled) {
  twoGroups();
  const boardEvent released = keyReleaseEvent(kKeyD);
  EXPECT_EQ(traceOf([&] { onKeyPressed(released); }), "");
  expectOnPad(2, 9);
}

TEST_F(KeyboardTest, KeyDuringADragAppliesFromTheNextStep) {
  tap(67, 73);
  tap(302, 73);
  press(67, 73);
  key(kKeyT);
  move(100, 73);
  // The offsets were never set, so every token lands on the pointer.
  EXPECT_EQ(tabgen[0].x, 100.0f);
  EXPECT_EQ(tabgen[1].x, 100.0f);
}

TEST_F(KeyboardTest, TheWheelDoesNothing) {
  twoGroups();
  setAllGains(0.5f);
  const boardEvent wheel = wheelEvent(kVerticalWheel, -3.0f, 67, 73);
  EXPECT_EQ(traceOf([&] { mouseWheel(wheel); }), "");
  EXPECT_EQ(allGains()[0], 0.5f);
  EXPECT_EQ(tabgen[0].x, 55.0f);
  EXPECT_EQ(mvType, kMoveSingle);
  EXPECT_EQ(genActif, 2);
  expectOnPad(2, 9);
}
