// Tokens of all eight types, placed through the palette, are drawn with
// their type's image with its top-left corner 12 pixels above-left of the
// press point.
#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <sstream>

#include "boardFacts.h"
#include "imagePixels.h"
#include "sessionFixture.h"

namespace {

const std::string kTypeImages[] = {"g4813", "g4894", "g6928", "g5100", "g5074", "g4794", "g4906", "g4971"};
// A y in each palette band; band 7 is only 368 to 371.
constexpr int kBandY[] = {140, 174, 208, 242, 276, 310, 344, 369};
constexpr int kPaletteX = 1020;
constexpr std::uint8_t kOpaque = 255;

struct placedToken {
  int type;
  int x, y;  // press point
  int pad;
};

// One token of each type at the centres of the diagonal pads.
const placedToken kTokens[] = {
    {0, 67, 73, 0},    {1, 185, 191, 9},  {2, 301, 309, 18}, {3, 417, 427, 27},
    {4, 535, 545, 36}, {5, 651, 661, 45}, {6, 767, 777, 54}, {7, 885, 895, 63},
};

sf::Image typeImage(int type) {
  sf::Image image;
  const std::string path = projectRoot() + "/images/" + kTypeImages[type] + ".png";
  if (!image.loadFromFile(path)) throw std::runtime_error("cannot read " + path);
  return image;
}

// Opaque pixels of the type's image that the picture does not show at the
// token's corner.
int hiddenPixels(const Screenshot& shot, const placedToken& token) {
  const sf::Image image = typeImage(token.type);
  const int left = token.x - kTokenGrabOffset, top = token.y - kTokenGrabOffset;
  int hidden = 0;
  for (unsigned j = 0; j < image.getSize().y; ++j)
    for (unsigned i = 0; i < image.getSize().x; ++i) {
      sf::Color wanted = pixelAt(image, i, j);
      if (wanted.a != kOpaque) continue;
      if (shot.pixel(left + i, top + j) != wanted) ++hidden;
    }
  return hidden;
}

bool showsEveryToken(const Screenshot& shot) {
  for (const auto& token : kTokens)
    if (hiddenPixels(shot, token) != 0) return false;
  return true;
}

class TokenPictureSession : public SessionTest {};

TEST_F(TokenPictureSession, EachTypeIsDrawnWithItsImageAtItsCorner) {
  ASSERT_NO_FATAL_FAILURE(startProgram());
  // The empty board does not show them already.
  const Screenshot empty = window().screenshot();
  for (const auto& token : kTokens) EXPECT_NE(hiddenPixels(empty, token), 0);

  Steps session;
  Heard heard;
  for (const auto& token : kTokens) {
    session = session + clickBesideBoard(kPaletteX, kBandY[token.type], {paletteLine(token.type)}) +
              clickOnBoard(token.x, token.y, {padLine(token.pad), gainLine(token.pad, token.x, token.y)});
    // Pads from 41 on drive the channel before them.
    heard[token.pad < 41 ? token.pad : token.pad - 1] = 1.003f;
  }
  session.push_back(hear(heard));
  ASSERT_NO_FATAL_FAILURE(play(session));

  const Screenshot shot = window().screenshotWhen(showsEveryToken);
  for (const auto& token : kTokens)
    EXPECT_EQ(hiddenPixels(shot, token), 0)
        << "type " << token.type << " pressed at (" << token.x << ", " << token.y << ")";
  closeAndCheckWholeOutput();
}

}  // namespace
