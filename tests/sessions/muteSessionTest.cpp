// Taking tokens off the board: the mute buttons and the delete key in each
// move mode, with and without a selection.
#include "sessionFixture.h"

namespace {

class MuteSession : public SessionTest {};

constexpr int kMuteOneX = 995, kMuteGroupX = 1020, kMuteAllX = 1060, kMuteY = 90;

// Type 0 on pads 0 and 1, type 2 on pads 9 and 10, type 5 on pads 19 and 20.
Steps threeGroupsOnTheBoard() {
  return clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
         clickOnBoard(185, 73, {padLine(1), gainLine(1, 185, 73)}) + clickBesideBoard(1020, 210, {paletteLine(2)}) +
         clickOnBoard(185, 191, {padLine(9), gainLine(9, 185, 191)}) +
         clickOnBoard(301, 191, {padLine(10), gainLine(10, 301, 191)}) + clickBesideBoard(1020, 310, {paletteLine(5)}) +
         clickOnBoard(417, 309, {padLine(19), gainLine(19, 417, 309)}) +
         clickOnBoard(535, 309, {padLine(20), gainLine(20, 535, 309)});
}

TEST_F(MuteSession, ButtonsMuteTheSelectionItsGroupOrEverything) {
  const Steps session =
      // Nothing selected yet: only the buttons' own lines.
      clickBesideBoard(kMuteOneX, kMuteY, {kMuteOneLine}) + clickBesideBoard(kMuteGroupX, kMuteY, {kMuteGroupLine}) +
      threeGroupsOnTheBoard() +
      Steps{hear({{0, 1.003f}, {1, 1.003f}, {9, 1.003f}, {10, 1.003f}, {19, 1.003f}, {20, 1.003f}})} +
      clickOnBoard(190, 195, {gainLine(9, 190, 195)}) +
      clickBesideBoard(kMuteOneX, kMuteY, {kMuteOneLine, messageLine(9)}) +
      // Muted already: the address names no pad.
      clickBesideBoard(kMuteOneX + 5, kMuteY + 5, {kMuteOneLine, messageLine(kNoPad)}) +
      Steps{hear({{0, 1.003f}, {1, 1.003f}, {10, 1.003f}, {19, 1.003f}, {20, 1.003f}})} +
      clickOnBoard(67, 73, {gainLine(0, 67, 73)}) + clickBesideBoard(kMuteGroupX, kMuteY, {kMuteGroupLine}) +
      Steps{hear({{10, 1.003f}, {19, 1.003f}, {20, 1.003f}})} +
      // Pad 0 is free again.
      clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
      clickOnBoard(767, 895, {padLine(62), gainLine(62, 767, 895)}) +
      // Pad 62 drives channel 61.
      Steps{hear({{0, 1.003f}, {10, 1.003f}, {19, 1.003f}, {20, 1.003f}, {61, 1.003f}})} +
      clickBesideBoard(kMuteAllX, kMuteY, {kMuteAllLine}) + Steps{hear({})};
  playWholeSession(session);
}

TEST_F(MuteSession, DeleteKeyFollowsTheMoveMode) {
  const Steps session = Steps{{typeKey("d"), {keyLine(kKeyD)}}} + threeGroupsOnTheBoard() +
                        clickBesideBoard(1020, 280, {paletteLine(4)}) +
                        clickOnBoard(417, 427, {padLine(27), gainLine(27, 417, 427)}) +
                        // Single mode: the selected token only, twice.
                        clickOnBoard(301, 191, {gainLine(10, 301, 191)}) +
                        Steps{
                            {typeKey("d"), {keyLine(kKeyD), messageLine(10)}},
                            {typeKey("d"), {keyLine(kKeyD), messageLine(kNoPad)}},
                            hear({{0, 1.003f}, {1, 1.003f}, {9, 1.003f}, {19, 1.003f}, {20, 1.003f}, {27, 1.003f}}),
                        } +
                        // Group mode: the selected token's type, 5. Shift is a key of its
                        // own and changes nothing about the letter.
                        clickOnBoard(417, 309, {gainLine(19, 417, 309)}) +
                        Steps{
                            {typeKey("shift+g"), {keyLine(kKeyLeftShift), keyLine(kKeyG)}},
                            {typeKey("d"), {keyLine(kKeyD)}},
                            hear({{0, 1.003f}, {1, 1.003f}, {9, 1.003f}, {27, 1.003f}}),
                            // All mode: every token and every channel.
                            {typeKey("t"), {keyLine(kKeyT)}},
                            {typeKey("d"), {keyLine(kKeyD)}},
                            hear({}),
                        } +
                        clickOnBoard(185, 191, {padLine(9), gainLine(9, 185, 191)}) + Steps{hear({{9, 1.003f}})};
  playWholeSession(session);
}

}  // namespace
