// The colour of one pixel of an image, read the same way whichever
// generation of the graphics library the build uses.
#ifndef ZELQUOR_HARNESS_IMAGE_PIXELS_H
#define ZELQUOR_HARNESS_IMAGE_PIXELS_H

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

// (x, y) must lie inside the image.
sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y);

#endif
