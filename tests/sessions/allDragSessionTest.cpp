// Dragging everything, and switching the move mode with the buttons and
// with a key in the middle of a drag.
#include "sessionFixture.h"

namespace {

class AllDragSession : public SessionTest {};

TEST_F(AllDragSession, EveryTokenFollowsUntilAReleaseOnTheBoard) {
  const Steps session = clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) +
                        clickBesideBoard(1020, 240, {paletteLine(3)}) +
                        clickOnBoard(301, 191, {padLine(10), gainLine(10, 301, 191)}) +
                        clickBesideBoard(1060, 60, {"bouton: Tout déplacer "}) +
                        Steps{
                            // Corners (55, 61) and (289, 179); offsets (12, 12), (-222, -106).
                            {moveTo(67, 73), moves(67, 73)},
                            {leftDown(), presses(67, 73) + gainLine(0, 67, 73)},
                            {moveTo(80, 73), moves(80, 73) + gainLine(0, 68, 61) + gainLine(10, 302, 179)},
                            {moveTo(80, 30), moves(80, 30) + gainLine(0, 68, 18) + gainLine(10, 302, 136)},
                            // Released above y 37: the drag goes on.
                            {leftUp(), {released()}},
                            // The first corner is held at y 14; the second reaches pad 2.
                            {moveTo(90, 25), moves(90, 25) + gainLine(0, 78, 14) + gainLine(2, 312, 131)},
                            // Above the board no step is taken.
                            {moveTo(90, 10), moves(90, 10)},
                            {moveTo(100, 40), moves(100, 40) + gainLine(0, 88, 28) + gainLine(10, 322, 146)},
                            {leftDown(), presses(100, 40) + gainLine(0, 100, 40)},
                            {leftUp(), {released(), endDrag()}},
                            {moveTo(300, 300), moves(300, 300)},
                            hear({{0, gainAt(0, 100, 40)}, {2, gainAt(2, 312, 131)}, {10, gainAt(10, 322, 146)}}),
                        } +
                        // Single mode from its button: the gain is the pointer's, one line.
                        clickBesideBoard(995, 60, {"bouton: Déplacer "}) +
                        Steps{
                            {moveTo(67, 73), moves(67, 73)},
                            {leftDown(), presses(67, 73) + gainLine(0, 67, 73)},
                            {moveTo(70, 73), moves(70, 73) + gainLine(0, 70, 73)},
                            {leftUp(), {released(), endDrag()}},
                        } +
                        // Group mode from its button: the type-3 token stays.
                        clickBesideBoard(1020, 60, {"bouton: Déplacer groupe"}) +
                        Steps{
                            {moveTo(75, 73), moves(75, 73)},
                            {leftDown(), presses(75, 73) + gainLine(0, 75, 73)},
                            {moveTo(80, 73), moves(80, 73) + gainLine(0, 68, 61)},
                            // All mode from the key while the drag goes on: from the next step
                            // both move, with the offsets taken at the group start.
                            {typeKey("t"), {keyLine(kKeyT)}},
                            {moveTo(85, 73), moves(85, 73) + gainLine(0, 73, 61) + gainLine(10, 332, 146)},
                            {leftUp(), {released(), endDrag()}},
                            hear({{0, gainAt(0, 73, 61)}, {2, gainAt(2, 312, 131)}, {10, gainAt(10, 332, 146)}}),
                        };
  playWholeSession(session);
}

}  // namespace
