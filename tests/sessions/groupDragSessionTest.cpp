// Dragging a group: every token of the pressed token's type moves with the
// pointer, keeping its distance to it; each one's gain follows its corner,
// while its pad follows one step behind.
#include "sessionFixture.h"

namespace {

class GroupDragSession : public SessionTest {};

// Two tokens of type 0 on pads 0 and 2, one of type 1 on pad 16, then
// group mode.
Steps twoGroupsOnTheBoard() {
  return clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
         clickOnBoard(302, 73, {padLine(2), gainLine(2, 302, 73)}) + clickBesideBoard(1020, 170, {paletteLine(1)}) +
         clickOnBoard(67, 309, {padLine(16), gainLine(16, 67, 309)}) + Steps{{typeKey("g"), {keyLine(kKeyG)}}};
}

TEST_F(GroupDragSession, GroupFollowsThePointerAndRegistersOneStepLate) {
  const Steps session =
      twoGroupsOnTheBoard() +
      Steps{
          // Corners (55, 61) and (290, 61); grab offsets (12, 12), (-223, 12).
          {moveTo(67, 73), moves(67, 73)},
          {leftDown(), presses(67, 73) + gainLine(0, 67, 73)},
          {moveTo(100, 73), moves(100, 73) + "pad=0dtcentre= 24.1868gain=0.591825/Canaux0/canal0" +
                                "pad=2dtcentre= 25.0599gain=0.576981/Canaux0/canal2"},
          // Both corners cross onto the next pad: the gains go there, the
          // tokens stay registered where they were.
          {moveTo(145, 73), moves(145, 73) + gainLine(1, 133, 61) + gainLine(3, 368, 61)},
          {leftUp(), {released(), endDrag()}},
          hear({{0, gainAt(0, 88, 61)},
                {1, gainAt(1, 133, 61)},
                {2, gainAt(2, 323, 61)},
                {3, gainAt(3, 368, 61)},
                {16, 1.003f}}),
          // So pad 1 is empty under the first token's corner: a new token of
          // type 1 goes there, and its group is the pad-16 token and itself.
          {moveTo(185, 100), moves(185, 100)},
          {leftDown(), presses(185, 100) + padLine(1) + gainLine(1, 185, 100)},
          {moveTo(190, 100), moves(190, 100) + gainLine(16, 60, 297) + gainLine(1, 178, 88)},
          {leftUp(), {released(), endDrag()}},
          // Take hold of the second type-0 token on pad 2 (its corner jumps
          // to (238, 88), on pad 1 where pads 1 and 2 overlap).
          {moveTo(250, 100), moves(250, 100)},
          {leftDown(), presses(250, 100) + gainLine(2, 250, 100)},
          // The first token's old corner is on pad 1, registered to the
          // type-1 token: that one is pushed off. Then the second token's
          // old corner is on pad 1 too, now the first token's: the first is
          // pushed off. Pad 1's channel ends at 0.
          {moveTo(260, 100), moves(260, 100) + gainLine(1, 143, 61) + gainLine(2, 248, 88)},
          // Only the second token is left to move.
          {moveTo(270, 100), moves(270, 100) + gainLine(2, 258, 88)},
          {leftUp(), {released(), endDrag()}},
          hear({{0, gainAt(0, 88, 61)}, {2, gainAt(2, 258, 88)}, {3, gainAt(3, 368, 61)}, {16, gainAt(16, 60, 297)}}),
      };
  playWholeSession(session);
}

TEST_F(GroupDragSession, TokenWhoseCornerIsOffEveryPadKeepsItsPad) {
  const Steps session = twoGroupsOnTheBoard() +
                        // Placed from x 12, its corner (0, 388) lies left of every pad; taken
                        // hold of from x 14, at (2, 388) it still does.
                        clickOnBoard(12, 400, {padLine(24), gainLine(24, 12, 400)}) +
                        Steps{
                            {moveTo(14, 400), moves(14, 400)},
                            {leftDown(), presses(14, 400) + gainLine(24, 14, 400)},
                            // The other type-1 token moves first (lower index); this one moves
                            // to (8, 388) and takes its gain there.
                            {moveTo(20, 400), moves(20, 400) + gainLine(16, 61, 297) + gainLine(24, 8, 388)},
                            {leftUp(), {released(), endDrag()}},
                            hear({{0, 1.003f}, {2, 1.003f}, {16, gainAt(16, 61, 297)}, {24, gainAt(24, 8, 388)}}),
                        } +
                        // Still registered on pad 24: a press there takes hold of it.
                        clickOnBoard(40, 420, {gainLine(24, 40, 420)}) +
                        Steps{hear({{0, 1.003f}, {2, 1.003f}, {16, gainAt(16, 61, 297)}, {24, gainAt(24, 40, 420)}})};
  playWholeSession(session);
}

TEST_F(GroupDragSession, GroupModeEnteredMidDragPilesTheGroupUp) {
  const std::string atPointer = "pad=0dtcentre= 42.638gain=0.278154/Canaux0/canal0";
  const Steps session =
      clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
      clickOnBoard(302, 73, {padLine(2), gainLine(2, 302, 73)}) +
      clickOnBoard(67, 309, {padLine(16), gainLine(16, 67, 309)}) +
      Steps{
          // A single-mode drag sets no offsets, so they are all still 0 when
          // the key switches to group mode: every corner jumps to the pointer.
          {moveTo(67, 73), moves(67, 73)},
          {leftDown(), presses(67, 73) + gainLine(0, 67, 73)},
          {typeKey("g"), {keyLine(kKeyG)}},
          {moveTo(100, 100), moves(100, 100) + atPointer + atPointer + atPointer},
          // All three old corners are on pad 0: each token pushes the one
          // before it off, and the last one alone is left.
          {moveTo(110, 100), moves(110, 100) + gainLine(0, 110, 100) + gainLine(0, 110, 100) + gainLine(0, 110, 100)},
          {moveTo(120, 100), moves(120, 100) + gainLine(0, 120, 100)},
          {leftUp(), {released(), endDrag()}},
          hear({{0, gainAt(0, 120, 100)}, {2, 1.003f}, {16, 1.003f}}),
      } +
      // The pads the group left are empty.
      clickOnBoard(302, 73, {padLine(2), gainLine(2, 302, 73)}) +
      clickOnBoard(67, 309, {padLine(16), gainLine(16, 67, 309)});
  playWholeSession(session);
}

}  // namespace
