// Pads 39 to 63 and the channels they drive: pads 39 and 40 together set
// channel 39 (their gains multiplied), pad N from 41 on sets channel N - 1.
#include "sessionFixture.h"

namespace {

class HighPadsSession : public SessionTest {};

TEST_F(HighPadsSession, PadsFrom39OnDriveTheChannelsAfterThem) {
  const float pad39 = gainAt(39, 915, 585);
  const float pad41 = gainAt(41, 195, 661);
  const float pad62 = gainAt(62, 777, 895);
  const Steps session =
      // Pad 40 alone: channel 39 is pad 39's gain, still 0, times pad 40's.
      clickOnBoard(67, 661, {padLine(40), gainLine(40, 67, 661)}) + Steps{hear({})} +
      // 30 left of and 40 above pad 39's centre: distance 50.
      clickOnBoard(915, 585, {padLine(39), gainLine(39, 915, 585)}) + Steps{hear({{39, pad39 * 1.003f}})} +
      clickOnBoard(195, 661, {padLine(41), gainLine(41, 195, 661)}) +
      clickOnBoard(939, 949, {padLine(63), "pad=63dtcentre= 58gain=0.017/Canaux0/canal63"}) +
      clickOnBoard(767, 545, {padLine(38), gainLine(38, 767, 545)}) +
      clickOnBoard(777, 895, {padLine(62), gainLine(62, 777, 895)}) +
      Steps{hear({{38, 1.003f}, {39, pad39 * 1.003f}, {40, pad41}, {61, pad62}, {62, 0.017f}})} +
      // A new gain on pad 40 changes channel 39 alone.
      clickOnBoard(70, 661, {gainLine(40, 70, 661)}) +
      Steps{hear({{38, 1.003f}, {39, pad39 * gainAt(40, 70, 661)}, {40, pad41}, {61, pad62}, {62, 0.017f}})} +
      // Pad 39 off the board: channel 39 is silent though pad 40 sounds.
      clickOnBoard(915, 585, {gainLine(39, 915, 585)}) +
      Steps{
          {typeKey("d"), {keyLine(kKeyD), messageLine(39)}},
          hear({{38, 1.003f}, {40, pad41}, {61, pad62}, {62, 0.017f}}),
      } +
      clickBesideBoard(1060, 90, {"bouton: tout muter"}) + Steps{hear({})};
  playWholeSession(session);
}

}  // namespace
