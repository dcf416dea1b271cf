// The seam's side for SFML 2.5 and 2.6: events are one struct with a type
// and a union of the kinds' fields.
#include "sfmlSeam.h"

namespace {

void pointerEvent(boardEvent& own, boardEventType type, int x, int y) {
  own.type = type;
  own.x = x;
  own.y = y;
}

}  // namespace

boardEvent translateEvent(const sf::Event& event) {
  boardEvent own;
  switch (event.type) {
    case sf::Event::Closed: own.type = boardEventType::closed; break;
    case sf::Event::KeyPressed:
      own.type = boardEventType::keyPressed;
      own.key = event.key.code;
      break;
    case sf::Event::MouseWheelScrolled:
      pointerEvent(own, boardEventType::wheelScrolled, event.mouseWheelScroll.x, event.mouseWheelScroll.y);
      break;
    case sf::Event::MouseButtonPressed:
      pointerEvent(own, boardEventType::buttonPressed, event.mouseButton.x, event.mouseButton.y);
      own.button = event.mouseButton.button;
      break;
    case sf::Event::MouseButtonReleased:
      pointerEvent(own, boardEventType::buttonReleased, event.mouseButton.x, event.mouseButton.y);
      own.button = event.mouseButton.button;
      break;
    case sf::Event::MouseMoved:
      pointerEvent(own, boardEventType::pointerMoved, event.mouseMove.x, event.mouseMove.y);
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

unsigned long nativeWindow(const sf::Window& window) { return window.getSystemHandle(); }

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
