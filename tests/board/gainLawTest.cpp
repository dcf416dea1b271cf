// The gain law: the pad under the point, the distance to its centre, the
// value sent to that pad's channel and the trace line.
#include <gtest/gtest.h>

#include <sstream>

#include "boardFixture.h"
#include "gainLaw.h"

class GainLawTest : public BoardFixture {};

namespace {

struct lawCase {
  int x, y;
  int pad;
  const char* distance;
  const char* gainText;
  float gain;
};

std::ostream& operator<<(std::ostream& out, const lawCase& c) { return out << "(" << c.x << ", " << c.y << ")"; }

// Around pad 0's centre (67, 73), then the overlaps and the far corner.
const lawCase kLawCases[] = {
    {67, 73, 0, "0", "1.003", 1.003f},  // the exact centre
    {68, 73, 0, "0", "1.003", 1.003f},  // inside the dead zone
    {69, 73, 0, "2", "0.969", 0.969f},  // its edge: straight to 0.969
    {77, 73, 0, "10", "0.833", 0.833f},
    {97, 73, 0, "30", "0.493", 0.493f},
    {97, 113, 0, "50", "0.153", 0.153f},   // 30 right, 40 below
    {125, 73, 0, "58", "0.017", 0.017f},   // exactly at the cap
    {129, 135, 0, "58", "0.017", 0.017f},  // far beyond it
    {100, 100, 0, "42.638", "0.278154", 0.278154f},
    {125, 100, 0, "58", "0.017", 0.017f},   // on pads 0 and 1: pad 0 wins
    {130, 100, 1, "58", "0.017", 0.017f},   // on pad 1 only
    {939, 949, 63, "58", "0.017", 0.017f},  // the farthest pointer position
    {200, 300, 17, "17.4929", "0.705621", 0.705621f},
    {173, 297, 17, "16.9706", "0.7145", 0.7145f},
};

class GainLaw : public BoardFixture, public ::testing::WithParamInterface<lawCase> {};

}  // namespace

TEST_P(GainLaw, SendsToThePadUnderThePointAndTracesIt) {
  const lawCase& c = GetParam();
  setAllGains(0.5f);
  const std::string trace = traceOf([&] { gain(c.x, c.y); });
  EXPECT_EQ(trace, gainLine(c.pad, c.distance, c.gainText));
  EXPECT_NEAR(channelGain(c.pad), c.gain, kGainTolerance);
  for (int n = 0; n < kPadCount; ++n) {
    if (n == c.pad) continue;
    EXPECT_EQ(channelGain(n), 0.5f) << "channel " << n;
  }
}

INSTANTIATE_TEST_SUITE_P(Points, GainLaw, ::testing::ValuesIn(kLawCases));

// The range that others take from the law is what it sends at a centre and
// beyond the cap.
TEST_F(GainLawTest, ItsRangeIsWhatItSendsAtACentreAndBeyondTheCap) {
  traceOf([] { gain(67, 73); });
  EXPECT_EQ(highestGain(), channelGain(0));
  traceOf([] { gain(129, 135); });
  EXPECT_EQ(lowestGain(), channelGain(0));
  EXPECT_EQ(highestGain(), 1.003f);
  EXPECT_EQ(lowestGain(), 0.017f);
}

TEST_F(GainLawTest, TraceLineForOneHundredOneHundredIsByteExact) {
  EXPECT_EQ(traceOf([] { gain(100, 100); }), "pad=0dtcentre= 42.638gain=0.278154/Canaux0/canal0\n");
}

TEST_F(GainLawTest, TheHighestGainIsNotClampedToOne) {
  traceOf([] { gain(185, 309); });
  EXPECT_GT(channelGain(17), 1.0f);
  EXPECT_NEAR(channelGain(17), 1.003f, kGainTolerance);
}

TEST_F(GainLawTest, GainFallsByPointZeroOneSevenPerPixelBetweenDeadZoneAndCap) {
  for (int dx = 2; dx <= 58; ++dx) {
    traceOf([dx] { gain(67 + dx, 73); });
    EXPECT_NEAR(channelGain(0), (59 - dx) * 0.017f, 2e-6f) << dx;
  }
}

TEST_F(GainLawTest, PointsOnNoPadSendAndWriteNothing) {
  setAllGains(0.5f);
  const int offBoard[][2] = {{4, 100}, {948, 500}, {500, 10}, {500, 958}, {0, 0}, {1000, 200}};
  for (const auto& point : offBoard)
    EXPECT_EQ(traceOf([&] { gain(point[0], point[1]); }), "") << point[0] << ", " << point[1];
  for (int n = 0; n < kPadCount; ++n) EXPECT_EQ(channelGain(n), 0.5f) << n;
}

TEST_F(GainLawTest, TheChannelIsThePadsNotTheTokens) {
  const int rowZeroX[] = {67, 185, 301, 417, 535};
  for (int x : rowZeroX) tap(x, 73);
  const std::string trace = press(536, 192);
  ASSERT_EQ(tabPad[12].genIndex, 5);
  EXPECT_NE(trace.find("/Canaux0/canal12\n"), std::string::npos) << trace;
  EXPECT_GT(channelGain(12), 0.0f);
  EXPECT_EQ(channelGain(5), 0.0f);
}

TEST(AddressFormat, DecimalWithoutLeadingZeros) {
  char address[kAddressSize];
  formatAddress(address, 0);
  EXPECT_STREQ(address, "/Canaux0/canal0");
  formatAddress(address, 7);
  EXPECT_STREQ(address, "/Canaux0/canal7");
  formatAddress(address, 63);
  EXPECT_STREQ(address, "/Canaux0/canal63");
  formatAddress(address, 255);
  EXPECT_STREQ(address, "/Canaux0/canal255");
}

// Every point of two pads' hit rectangles (points at the same squared
// distance share the figures made for the first of them): the lines and the
// gains sent are those of the law computed afresh, written by the stream.
TEST_F(GainLawTest, EveryPointOfAPadTracesAndSendsTheLawAsTheStreamWritesIt) {
  std::ostringstream expected;
  int wrongGains = 0;
  const std::string trace = traceOf([&] {
    for (int pad : {0, 27})
      for (int x = padCornerX(pad) - 3; x <= padCornerX(pad) + 121; ++x)
        for (int y = padCornerY(pad) - 3; y <= padCornerY(pad) + 121; ++y) {
          const int under = findPadWH(x, y);
          const float d = lawDistance(under, x, y);
          std::ostringstream distance, gainText;
          distance << d;
          gainText << lawGain(d);
          expected << gainLine(under, distance.str(), gainText.str());
          gain(x, y);
          wrongGains += channelGain(under) == lawGain(d) ? 0 : 1;
        }
  });
  EXPECT_EQ(wrongGains, 0);
  EXPECT_TRUE(trace == expected.str()) << "the traces differ";
}
