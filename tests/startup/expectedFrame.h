// What a frame of the program shows before any token is placed: the
// background, the panel and the interface images at their places, so that a
// screenshot can be checked pixel by pixel against the image files.
#ifndef ZELQUOR_TESTS_EXPECTED_FRAME_H
#define ZELQUOR_TESTS_EXPECTED_FRAME_H

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <string>
#include <vector>

#include "screenshot.h"
#include "sceneLayout.h"

constexpr int kWindowWidth = static_cast<int>(kSceneWidth);
constexpr int kWindowHeight = static_cast<int>(kSceneHeight);
const sf::Color kBackground(19, 37, 53);
const sf::Color kPanelColour(203, 213, 217);
// The panel and the images' places (kInterfaceImages) are written out, not
// taken from the scene's layout: a wrong place there must fail the frame tests.
constexpr int kPanelLeft = 960;
constexpr int kPanelTop = 14;
constexpr int kPanelWidth = 116;
constexpr int kPanelHeight = 384;

bool inPanel(int x, int y);

struct PlacedImage {
  std::string file;
  int x;  // top-left corner in the window
  int y;
};

// The interface images in the order a frame draws them.
extern const std::vector<PlacedImage> kInterfaceImages;

sf::Image loadProjectImage(const std::string& file);

// For every window pixel, the image drawn last with some opacity there.
class FrameCover {
 public:
  static constexpr int kNothing = -1;
  explicit FrameCover(const std::vector<PlacedImage>& layers);

  // Index in the layers of the image on top at (x, y), or kNothing.
  int topImage(int x, int y) const { return top_[index(x, y)]; }
  // The top image's own pixel at (x, y); only for covered pixels.
  sf::Color topPixel(int x, int y) const;

 private:
  static int index(int x, int y) { return y * kWindowWidth + x; }
  std::vector<PlacedImage> layers_;
  std::vector<sf::Image> images_;
  std::vector<int> top_;
};

// The pixels that differ from what was wanted, with a few of them shown.
class Mismatches {
 public:
  void check(const Screenshot& shot, int x, int y, sf::Color wanted, int tolerance);
  int count() const { return count_; }
  int checked() const { return checked_; }
  const std::string& examples() const { return examples_; }

 private:
  int count_ = 0;
  int checked_ = 0;
  std::string examples_;
};

// Compares the opaque pixels of the image, placed with its corner at (x, y),
// with the screenshot.
Mismatches compareOpaquePixels(const Screenshot& shot, const sf::Image& image, int x, int y, int tolerance);

#endif
