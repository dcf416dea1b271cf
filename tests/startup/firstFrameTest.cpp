// The first frames of a run: the background, the panel and every interface
// image at its place, then tokens of all eight types where they were put.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "boardFacts.h"
#include "imagesCopy.h"
#include "sceneLayout.h"
#include "windowedProgram.h"

namespace {

// Window drivers and GL rasterisers may round a colour by one step.
constexpr int kImageTolerance = 1;
constexpr int kTypeCount = 8;
// The palette band of type q is pressed at its middle's x, 5 pixels into
// the band; the band of the last type is only 4 pixels high.
constexpr int kPaletteX = kPaletteZone.middleX();
constexpr int kPaletteFirstY = kPaletteTop + 5;
constexpr int kPaletteStep = kPaletteBand;
constexpr int kLastTypeY = kPaletteZone.bottom - 2;
const std::string kSavedShot = "tokensOfEveryType.png";

class FirstFrame : public WindowedProgram {};

Mismatches backgroundIn(const Screenshot& shot, int left, int top, int right, int bottom) {
  Mismatches mismatches;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) mismatches.check(shot, x, y, kBackground, 0);
  return mismatches;
}

TEST_F(FirstFrame, ShowsBackgroundPanelAndEveryImageAtItsPlace) {
  const Screenshot shot = window_->screenshotWhen(firstFrameShown);
  ASSERT_EQ(shot.width(), unsigned(kWindowWidth));
  ASSERT_EQ(shot.height(), unsigned(kWindowHeight));

  const Mismatches belowPanel = backgroundIn(shot, 960, 400, kWindowWidth - 1, kWindowHeight - 1);
  EXPECT_EQ(belowPanel.count(), 0) << "right of the board, below the panel:\n" << belowPanel.examples();
  const Mismatches leftEdge = backgroundIn(shot, 0, 0, 7, kWindowHeight - 1);
  EXPECT_EQ(leftEdge.count(), 0) << "left of the board:\n" << leftEdge.examples();

  // Everywhere else: what no image covers is panel or background, and what
  // an image covers opaquely is that image's own pixel.
  const FrameCover cover(kInterfaceImages);
  Mismatches background, panel;
  std::vector<Mismatches> images(kInterfaceImages.size());
  for (int y = 0; y < kWindowHeight; ++y)
    for (int x = 0; x < kWindowWidth; ++x) {
      const int top = cover.topImage(x, y);
      if (top == FrameCover::kNothing) {
        if (inPanel(x, y)) panel.check(shot, x, y, kPanelColour, 0);
        else background.check(shot, x, y, kBackground, 0);
      } else if (cover.topPixel(x, y).a == 255) {
        images[top].check(shot, x, y, cover.topPixel(x, y), kImageTolerance);
      }
    }
  EXPECT_EQ(background.count(), 0) << "background:\n" << background.examples();
  EXPECT_GT(panel.checked(), 0);
  EXPECT_EQ(panel.count(), 0) << "panel:\n" << panel.examples();
  for (size_t i = 0; i < images.size(); ++i) {
    const PlacedImage& placed = kInterfaceImages[i];
    EXPECT_GT(images[i].checked(), 0) << placed.file << " shows no opaque pixel";
    EXPECT_EQ(images[i].count(), 0) << placed.file << " at (" << placed.x << ", " << placed.y << "), "
                                    << images[i].count() << " of " << images[i].checked() << " pixels differ:\n"
                                    << images[i].examples();
  }

  // The panel column left of the buttons, wherever no image lies over it.
  Mismatches panelColumn;
  for (int y = kPanelTop; y < kPanelTop + kPanelHeight; ++y)
    for (int x = kPanelLeft; x <= 975; ++x)
      if (cover.topImage(x, y) == FrameCover::kNothing) panelColumn.check(shot, x, y, kPanelColour, 0);
  EXPECT_GT(panelColumn.checked(), 0);
  EXPECT_EQ(panelColumn.count(), 0) << panelColumn.examples();
}

struct Press {
  int x;
  int y;
};

// The centre of the pad in the row and column: a token put there has its
// image centred on the pad.
Press padCentre(int row, int column) {
  return {padCentreX(row * kBoardColumns + column), padCentreY(row * kBoardColumns + column)};
}

int paletteY(int type) { return type == kTypeCount - 1 ? kLastTypeY : kPaletteFirstY + kPaletteStep * type; }

TEST_F(FirstFrame, TokensOfEveryTypeShowWhereTheyWerePut) {
  const Press pads[kTypeCount] = {padCentre(1, 1), padCentre(1, 5), padCentre(2, 3), padCentre(3, 6),
                                  padCentre(4, 2), padCentre(5, 4), padCentre(6, 1), padCentre(6, 6)};
  for (int type = 0; type < kTypeCount; ++type) {
    window_->moveMouse(kPaletteX, paletteY(type));
    window_->click();
    const std::string chosen = std::to_string(type);
    ASSERT_TRUE(app_->waitForLine("cy=" + chosen + "bouton = " + chosen)) << "type " << type;
    window_->moveMouse(pads[type].x, pads[type].y);
    window_->click();
    ASSERT_TRUE(app_->waitForLine("end drag")) << "token of type " << type;
  }

  const sf::Image lastToken = loadProjectImage(kImageFiles[kTypeCount - 1]);
  const Press last = pads[kTypeCount - 1];
  const auto lastTokenShown = [&](const Screenshot& shot) {
    return compareOpaquePixels(shot, lastToken, last.x - kTokenGrabOffset, last.y - kTokenGrabOffset, kImageTolerance)
               .count() == 0;
  };
  const Screenshot shot = window_->screenshotWhen(lastTokenShown);
  shot.save(kSavedShot);
  for (int type = 0; type < kTypeCount; ++type) {
    const Mismatches token =
        compareOpaquePixels(shot, loadProjectImage(kImageFiles[type]), pads[type].x - kTokenGrabOffset,
                            pads[type].y - kTokenGrabOffset, kImageTolerance);
    EXPECT_GT(token.checked(), 0);
    EXPECT_EQ(token.count(), 0) << "token of type " << type << " (" << kImageFiles[type] << "), see " << kSavedShot
                                << ":\n"
                                << token.examples();
  }
}

}  // namespace
