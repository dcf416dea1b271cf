#include "imagePixels.h"

#include <cstddef>

namespace {
constexpr std::size_t kRgbaBytes = 4;
}

// The pixels are 8-bit RGBA, row by row, in both generations.
sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y) {
  const auto* rgba = image.getPixelsPtr() + (std::size_t(y) * image.getSize().x + x) * kRgbaBytes;
  return sf::Color(rgba[0], rgba[1], rgba[2], rgba[3]);
}
