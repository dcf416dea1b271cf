// Dragging one token at a time: the token follows the pointer from pad to
// pad, pushes a token off the pad it lands on, keeps going after a release
// above the board, and stops responding once it is deleted mid-drag.
#include "sessionFixture.h"

namespace {

class SingleDragSession : public SessionTest {};

TEST_F(SingleDragSession, DraggedTokenCarriesTheGainAndPushesOthersOff) {
  const Steps session =
      clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
      clickOnBoard(185, 191, {padLine(9), gainLine(9, 185, 191)}) +
      Steps{
          {moveTo(70, 80), moves(70, 80)},
          {leftDown(), presses(70, 80) + gainLine(0, 70, 80)},
          {moveTo(200, 300), moves(200, 300) + "pad=17dtcentre= 17.4929gain=0.705621/Canaux0/canal17"},
          // Pad 9 holds the other token: it is pushed off, its channel gets
          // 0 and then the dragged token's gain.
          {moveTo(190, 180), moves(190, 180) + gainLine(9, 190, 180)},
          // Leaving pads 0 and 17 sends nothing to their channels.
          hear({{0, gainAt(0, 70, 80)}, {9, gainAt(9, 190, 180)}, {17, gainAt(17, 200, 300)}}),
          // The corner is held within the board: (-3, 3) becomes (8, 14),
          // (488, 937) becomes (488, 935); the gain follows the pointer.
          {moveTo(9, 15), moves(9, 15) + "pad=0dtcentre= 58gain=0.017/Canaux0/canal0"},
          {moveTo(500, 949), moves(500, 949) + gainLine(60, 500, 949)},
          {moveTo(300, 20), moves(300, 20) + gainLine(2, 300, 20)},
          // Released above y 37: the drag goes on without a button held.
          {leftUp(), {released()}},
          {moveTo(420, 80), moves(420, 80) + gainLine(3, 420, 80)},
          {moveTo(1000, 500), moves(1000, 500)},
          {moveTo(420, 90), moves(420, 90) + gainLine(3, 420, 90)},
          {leftDown(), presses(420, 90) + gainLine(3, 420, 90)},
          {leftUp(), {released(), endDrag()}},
          {moveTo(425, 95), moves(425, 95)},
          // Pad 60 drives channel 59.
          hear({{0, 0.017f},
                {2, gainAt(2, 300, 20)},
                {3, gainAt(3, 420, 90)},
                {9, gainAt(9, 190, 180)},
                {17, gainAt(17, 200, 300)},
                {59, 0.017f}}),
          // The pushed-off token is off the board: in all mode only the
          // dragged one moves.
          {typeKey("t"), {keyLine(kKeyT)}},
          {moveTo(420, 90), moves(420, 90)},
          {leftDown(), presses(420, 90) + gainLine(3, 420, 90)},
          {moveTo(430, 90), moves(430, 90) + gainLine(3, 418, 78)},
          {leftUp(), {released(), endDrag()}},
      };
  playWholeSession(session);
}

TEST_F(SingleDragSession, TokenDeletedMidDragStaysWhereItWas) {
  const Steps session = clickOnBoard(417, 73, {padLine(3), gainLine(3, 417, 73)}) +
                        Steps{
                            {typeKey("s"), {keyLine(kKeyS)}},
                            {moveTo(430, 90), moves(430, 90)},
                            {leftDown(), presses(430, 90) + gainLine(3, 430, 90)},
                            {moveTo(440, 95), moves(440, 95) + gainLine(3, 440, 95)},
                            {typeKey("d"), {keyLine(kKeyD), messageLine(3)}},
                            // Held and moved on, the deleted token neither moves nor sounds.
                            {moveTo(190, 180), moves(190, 180)},
                            {leftUp(), {released(), endDrag()}},
                            hear({}),
                        } +
                        // Its pad is free again.
                        clickOnBoard(417, 73, {padLine(3), gainLine(3, 417, 73)}) + Steps{hear({{3, 1.003f}})};
  playWholeSession(session);
}

}  // namespace
