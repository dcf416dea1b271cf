// A picture of a window, read back so that tests can check the colour at a
// point given in window coordinates.
#ifndef ZELQUOR_HARNESS_SCREENSHOT_H
#define ZELQUOR_HARNESS_SCREENSHOT_H

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <ostream>
#include <string>
#include <utility>

class Screenshot {
 public:
  // Reads a PNG file; throws when it cannot be read.
  explicit Screenshot(const std::string& pngPath);
  explicit Screenshot(sf::Image image) : image_(std::move(image)) {}

  unsigned width() const { return image_.getSize().x; }
  unsigned height() const { return image_.getSize().y; }
  // The colour at (x, y), origin at the window's top-left corner; throws
  // outside the picture.
  sf::Color pixel(unsigned x, unsigned y) const;
  // Keeps the picture, e.g. to look at after a failed test.
  bool save(const std::string& pngPath) const { return image_.saveToFile(pngPath); }
  const sf::Image& image() const { return image_; }

 private:
  sf::Image image_;
};

namespace sf {
// Lets test failures show colours as (r, g, b, a).
void PrintTo(const Color& colour, std::ostream* out);
}  // namespace sf

#endif
