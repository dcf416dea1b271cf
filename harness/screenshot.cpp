#include "screenshot.h"

#include <stdexcept>

#include "imagePixels.h"

Screenshot::Screenshot(const std::string& pngPath) {
  if (!image_.loadFromFile(pngPath)) throw std::runtime_error("cannot read screenshot " + pngPath);
}

sf::Color Screenshot::pixel(unsigned x, unsigned y) const {
  if (x >= width() || y >= height())
    throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside a " +
                            std::to_string(width()) + "x" + std::to_string(height()) + " screenshot");
  return pixelAt(image_, x, y);
}

namespace sf {
void PrintTo(const Color& colour, std::ostream* out) {
  *out << "(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ", " << int(colour.a) << ")";
}
}  // namespace sf
