// Placing tokens: the palette's bands choose the type, a press on an empty
// pad places a token and sets the pad's gain, a press on an occupied pad
// takes hold of its token; presses beside the palette and the buttons, the
// wheel and unknown keys change nothing.
#include "sessionFixture.h"

namespace {

class PlacingSession : public SessionTest {};

TEST_F(PlacingSession, PaletteBandsChooseTheTypeOfEachPlacedToken) {
  const Steps session =
      Steps{hear({})} +
      // At the exact centre of pad 0: the law's top gain.
      clickOnBoard(67, 73, {padLine(0), "pad=0dtcentre= 0gain=1.003/Canaux0/canal0"}) + Steps{hear({{0, 1.003f}})} +
      // The bands follow (y - 130) / 34 truncated toward zero; x only has
      // to lie within 995 to 1055.
      clickBesideBoard(1020, 117, {paletteLine(0)}) + clickBesideBoard(995, 164, {paletteLine(1)}) +
      clickBesideBoard(1055, 231, {paletteLine(2)}) + clickOnBoard(185, 191, {padLine(9), gainLine(9, 185, 191)}) +
      clickBesideBoard(1020, 368, {paletteLine(7)}) +
      // 30 right of and 40 below pad 2's centre: distance 50.
      clickOnBoard(331, 113, {padLine(2), gainLine(2, 331, 113)}) +
      // Just below the palette, and just left of it.
      clickBesideBoard(1020, 372, {}) + clickBesideBoard(994, 300, {}) + clickBesideBoard(1020, 367, {paletteLine(6)}) +
      Steps{
          // The right button places like the left one, without its lines.
          {moveTo(417, 73), moves(417, 73)},
          {rightDown(), {padLine(3), gainLine(3, 417, 73)}},
          {rightUp(), {released(), endDrag()}},
          hear({{0, 1.003f}, {2, 0.153f}, {3, 1.003f}, {9, 1.003f}}),
      };
  playWholeSession(session);
}

TEST_F(PlacingSession, PressOnAnOccupiedPadTakesHoldOfItsToken) {
  const Steps session = clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
                        clickOnBoard(185, 191, {padLine(9), gainLine(9, 185, 191)}) +
                        Steps{
                            // Pad 9 holds a token: no "pad=" line, the gain of the press point.
                            {moveTo(200, 200), moves(200, 200)},
                            {leftDown(), presses(200, 200) + gainLine(9, 200, 200)},
                            {moveTo(210, 205), moves(210, 205) + gainLine(9, 210, 205)},
                            {leftUp(), {released(), endDrag()}},
                            hear({{0, 1.003f}, {9, gainAt(9, 210, 205)}}),
                        } +
                        // x 125 lies on pads 0 and 1: pad 0 wins, and holds a token; the
                        // distance to its centre (about 64) is capped.
                        clickOnBoard(125, 100, {"pad=0dtcentre= 58gain=0.017/Canaux0/canal0"}) +
                        // x 130 lies on pad 1 alone, which is empty.
                        clickOnBoard(130, 100, {padLine(1), gainLine(1, 130, 100)}) +
                        Steps{hear({{0, 0.017f}, {1, 0.017f}, {9, gainAt(9, 210, 205)}})} +
                        // Between two move buttons, and between a move and a mute button.
                        clickBesideBoard(1013, 60, {}) + clickBesideBoard(990, 77, {}) +
                        Steps{
                            {wheelUp(), {}},
                            {typeKey("a"), {keyLine(0)}},
                            hear({{0, 0.017f}, {1, 0.017f}, {9, gainAt(9, 210, 205)}}),
                        };
  playWholeSession(session);
}

}  // namespace
