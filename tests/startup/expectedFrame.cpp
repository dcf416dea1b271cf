#include "expectedFrame.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "imagePixels.h"
#include "imagesCopy.h"

namespace {
constexpr std::uint8_t kOpaque = 255;
constexpr int kExamplesShown = 5;
}  // namespace

bool inPanel(int x, int y) {
  return x >= kPanelLeft && x < kPanelLeft + kPanelWidth && y >= kPanelTop && y < kPanelTop + kPanelHeight;
}

const std::vector<PlacedImage> kInterfaceImages = {
    {"zelquorLogo.png", 988, 16}, {"mv1.png", 974, 56},   {"mv3.png", 1006, 56},
    {"mvx.png", 1038, 56},        {"mute1.png", 974, 88}, {"muteGrp.png", 1006, 88},
    {"mute3.png", 1038, 88},      {"path5020.png", 8, 2}, {"interface.png", 992, 128}};

sf::Image loadProjectImage(const std::string& file) {
  sf::Image image;
  if (!image.loadFromFile(projectImagePath(file))) throw std::runtime_error("cannot read " + file);
  return image;
}

FrameCover::FrameCover(const std::vector<PlacedImage>& layers)
    : layers_(layers), top_(kWindowWidth * kWindowHeight, kNothing) {
  for (size_t layer = 0; layer < layers_.size(); ++layer) {
    images_.push_back(loadProjectImage(layers_[layer].file));
    const sf::Image& image = images_.back();
    for (unsigned iy = 0; iy < image.getSize().y; ++iy)
      for (unsigned ix = 0; ix < image.getSize().x; ++ix) {
        const int x = layers_[layer].x + int(ix), y = layers_[layer].y + int(iy);
        if (x >= kWindowWidth || y >= kWindowHeight || pixelAt(image, ix, iy).a == 0) continue;
        top_[index(x, y)] = int(layer);
      }
  }
}

sf::Color FrameCover::topPixel(int x, int y) const {
  const int layer = topImage(x, y);
  if (layer == kNothing) throw std::logic_error("no image at this pixel");
  return pixelAt(images_[layer], unsigned(x - layers_[layer].x), unsigned(y - layers_[layer].y));
}

void Mismatches::check(const Screenshot& shot, int x, int y, sf::Color wanted, int tolerance) {
  ++checked_;
  const sf::Color got = shot.pixel(x, y);
  if (std::abs(got.r - wanted.r) <= tolerance && std::abs(got.g - wanted.g) <= tolerance &&
      std::abs(got.b - wanted.b) <= tolerance)
    return;
  if (count_++ >= kExamplesShown) return;
  std::ostringstream line;
  line << "  at (" << x << ", " << y << "): ";
  sf::PrintTo(got, &line);
  line << " instead of ";
  sf::PrintTo(wanted, &line);
  examples_ += line.str() + "\n";
}

Mismatches compareOpaquePixels(const Screenshot& shot, const sf::Image& image, int x, int y, int tolerance) {
  Mismatches mismatches;
  for (unsigned iy = 0; iy < image.getSize().y; ++iy)
    for (unsigned ix = 0; ix < image.getSize().x; ++ix) {
      const sf::Color own = pixelAt(image, ix, iy);
      if (own.a == kOpaque) mismatches.check(shot, x + int(ix), y + int(iy), own, tolerance);
    }
  return mismatches;
}
