// The seam's side for SFML 2.5 and 2.6: events are one struct with a type
// and a union of the kinds' fields.
#include "sfmlSeam.h"

boardEvent translateEvent(const sf::Event& event) {
  boardEvent own;
  switch (event.type) {
    case sf::Event::Closed: own.type = boardEventType::closed; break;
    case sf::Event::KeyPressed:
      own.type = boardEventType::keyPressed;
      own.key = event.key.code;
      break;
    case sf::Event::MouseWheelScrolled:
      own.type = boardEventType::wheelScrolled;
      own.wheel = event.mouseWheelScroll.wheel;
      own.wheelStep = event.mouseWheelScroll.delta;
      own.x = event.mouseWheelScroll.x;
      own.y = event.mouseWheelScroll.y;
      break;
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
      own.type =
          event.type == sf::Event::MouseButtonPressed ? boardEventType::buttonPressed : boardEventType::buttonReleased;
      own.button = event.mouseButton.button;
      own.x = event.mouseButton.x;
      own.y = event.mouseButton.y;
      break;
    case sf::Event::MouseMoved:
      own.type = boardEventType::pointerMoved;
      own.x = event.mouseMove.x;
      own.y = event.mouseMove.y;
      break;
    default: break;
  }
  return own;
}

bool pollBoardEvent(sf::Window& window, boardEvent& event) {
  sf::Event next;
  if (!window.pollEvent(next)) return false;
  event = translateEvent(next);
  return true;
}

sf::VideoMode videoMode(unsigned width, unsigned height, unsigned bitsPerPixel) {
  return sf::VideoMode(width, height, bitsPerPixel);
}

// The library already opened it there.
bool centreWindow(sf::Window&) { return true; }

void setImagePixels(sf::Image& image, unsigned width, unsigned height, const std::uint8_t* rgba) {
  image.create(width, height, rgba);
}

bool loadWholeTexture(sf::Texture& texture, const sf::Image& image) {
  return texture.loadFromImage(image, sf::IntRect());
}

sf::Color pixelAt(const sf::Image& image, unsigned x, unsigned y) { return image.getPixel(x, y); }
