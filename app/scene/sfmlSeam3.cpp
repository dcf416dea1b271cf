// The seam's side for SFML 3: events are a variant of one struct per kind,
// positions and sizes are vectors.
#include "sfmlSeam.h"

#include <optional>

namespace {

void pointerAt(boardEvent& own, sf::Vector2i position) {
  own.x = position.x;
  own.y = position.y;
}

}  // namespace

boardEvent translateEvent(const sf::Event& event) {
  boardEvent own;
  if (event.is<sf::Event::Closed>()) {
    own.type = boardEventType::closed;
  } else if (const auto* key = event.getIf<sf::Event::KeyPressed>()) {
    own.type = boardEventType::keyPressed;
    own.key = static_cast<int>(key->code);
  } else if (const auto* wheel = event.getIf<sf::Event::MouseWheelScrolled>()) {
    own.type = boardEventType::wheelScrolled;
    pointerAt(own, wheel->position);
  } else if (const auto* pressed = event.getIf<sf::Event::MouseButtonPressed>()) {
    own.type = boardEventType::buttonPressed;
    own.button = static_cast<int>(pressed->button);
    pointerAt(own, pressed->position);
  } else if (const auto* released = event.getIf<sf::Event::MouseButtonReleased>()) {
    own.type = boardEventType::buttonReleased;
    own.button = static_cast<int>(released->button);
    pointerAt(own, released->position);
  } else if (const auto* moved = event.getIf<sf::Event::MouseMoved>()) {
    own.type = boardEventType::pointerMoved;
    pointerAt(own, moved->position);
  }
  return own;
}

bool pollBoardEvent(sf::Window& window, boardEvent& event) {
  const std::optional<sf::Event> next = window.pollEvent();
  if (!next) return false;
  event = translateEvent(*next);
  return true;
}

unsigned long nativeWindow(const sf::Window& window) { return window.getNativeHandle(); }

sf::VideoMode videoMode(unsigned width, unsigned height, unsigned bitsPerPixel) {
  return sf::VideoMode({width, height}, bitsPerPixel);
}

// As SFML 2 computes it: half the room the window leaves on the screen.
bool centreWindow(sf::Window& window) {
  const sf::Vector2u screen = sf::VideoMode::getDesktopMode().size;
  const sf::Vector2u size = window.getSize();
  const auto half = [](unsigned whole, unsigned part) {
    return (static_cast<int>(whole) - static_cast<int>(part)) / 2;
  };
  window.setPosition({half(screen.x, size.x), half(screen.y, size.y)});
  return true;
}

void setImagePixels(sf::Image& image, unsigned width, unsigned height, const std::uint8_t* rgba) {
  image.resize({width, height}, rgba);
}

bool loadWholeTexture(sf::Texture& texture, const sf::Image& image) { return texture.loadFromImage(image); }
