// Self-test fixture of the end-to-end harness: a window of the product's size
// and title that paints known colours and reports every event it receives on
// standard output, so the harness's window operations can be checked
// independently of the board program.
#include <SFML/Graphics.hpp>

#include <iostream>

#include "harnessWindowFixture.h"

namespace {

const char* buttonName(sf::Mouse::Button button) {
  switch (button) {
    case sf::Mouse::Left: return "left";
    case sf::Mouse::Right: return "right";
    case sf::Mouse::Middle: return "middle";
    default: return "other";
  }
}

std::string keyName(sf::Keyboard::Key code) {
  if (code >= sf::Keyboard::A && code <= sf::Keyboard::Z) return std::string(1, char('A' + (code - sf::Keyboard::A)));
  if (code == sf::Keyboard::Delete) return "Delete";
  return std::to_string(int(code));
}

void report(const sf::Event& event) {
  switch (event.type) {
    case sf::Event::Closed: std::cout << "closed" << std::endl; break;
    case sf::Event::MouseMoved:
      std::cout << "moved " << event.mouseMove.x << " " << event.mouseMove.y << std::endl;
      break;
    case sf::Event::MouseButtonPressed:
      std::cout << "pressed " << buttonName(event.mouseButton.button) << " " << event.mouseButton.x << " "
                << event.mouseButton.y << std::endl;
      break;
    case sf::Event::MouseButtonReleased:
      std::cout << "released " << buttonName(event.mouseButton.button) << " " << event.mouseButton.x << " "
                << event.mouseButton.y << std::endl;
      break;
    case sf::Event::MouseWheelScrolled: std::cout << "wheel " << event.mouseWheelScroll.delta << std::endl; break;
    case sf::Event::KeyPressed: std::cout << "key " << keyName(event.key.code) << std::endl; break;
    case sf::Event::KeyReleased: std::cout << "keyReleased " << keyName(event.key.code) << std::endl; break;
    default: std::cout << "event " << int(event.type) << std::endl; break;
  }
}

}  // namespace

int main() {
  using namespace harnessWindowFixture;
  sf::RenderWindow window(sf::VideoMode(kWidth, kHeight, 32), kTitle, sf::Style::Close);
  window.setFramerateLimit(kFramesPerSecond);
  sf::RectangleShape marker(sf::Vector2f(kMarkerWidth, kMarkerHeight));
  marker.setPosition(kMarkerX, kMarkerY);
  marker.setFillColor(kMarkerColour);
  bool announced = false;
  while (window.isOpen()) {
    sf::Event event;
    while (window.pollEvent(event)) {
      report(event);
      if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::C)
        marker.setFillColor(kMarkerKeyedColour);
      if (event.type == sf::Event::Closed) window.close();
    }
    window.clear(kBackground);
    window.draw(marker);
    window.display();
    if (!announced) std::cout << kReadyLine << std::endl;
    announced = true;
  }
  return 0;
}
