// Self-test fixture of the end-to-end harness: a window of the product's size
// and title that paints known colours and reports every event it receives on
// standard output, so the harness's window operations can be checked
// independently of the board program.
#include <SFML/Graphics.hpp>

#include <iostream>
#include <string>

#include "harnessWindowFixture.h"
#include "sfmlSeam.h"
#include "windowEvents.h"

namespace {

// The library's codes, the same in both of its generations.
constexpr int kKeyA = 0;
constexpr int kKeyC = 2;
constexpr int kKeyZ = 25;
constexpr int kKeyDelete = 66;

const char* buttonName(int button) {
  switch (button) {
    case 0: return "left";
    case 1: return "right";
    case 2: return "middle";
    default: return "other";
  }
}

std::string keyName(int code) {
  if (code >= kKeyA && code <= kKeyZ) return std::string(1, char('A' + (code - kKeyA)));
  if (code == kKeyDelete) return "Delete";
  return std::to_string(code);
}

// The events as the program receives them, through its own translation, so
// that what the window system sends is checked against the program's view.
void report(const boardEvent& event, float wheelStep) {
  switch (event.type) {
    case boardEventType::closed: std::cout << "closed" << std::endl; break;
    case boardEventType::pointerMoved: std::cout << "moved " << event.x << " " << event.y << std::endl; break;
    case boardEventType::buttonPressed:
      std::cout << "pressed " << buttonName(event.button) << " " << event.x << " " << event.y << std::endl;
      break;
    case boardEventType::buttonReleased:
      std::cout << "released " << buttonName(event.button) << " " << event.x << " " << event.y << std::endl;
      break;
    case boardEventType::wheelScrolled: std::cout << "wheel " << wheelStep << std::endl; break;
    case boardEventType::keyPressed: std::cout << "key " << keyName(event.key) << std::endl; break;
    default: std::cout << "event other" << std::endl; break;
  }
}

}  // namespace

int main() {
  using namespace harnessWindowFixture;
  sf::RenderWindow window(videoMode(kWidth, kHeight, 32), kTitle, sf::Style::Close);
  centreWindow(window);
  window.setFramerateLimit(kFramesPerSecond);
  sf::RectangleShape marker(sf::Vector2f(kMarkerWidth, kMarkerHeight));
  marker.setPosition({kMarkerX, kMarkerY});
  marker.setFillColor(kMarkerColour);
  bool announced = false;
  while (window.isOpen()) {
    boardEvent event;
    float wheelStep = 0.0f;
    while (pollWithWheelStep(window, event, wheelStep)) {
      report(event, wheelStep);
      if (event.type == boardEventType::keyPressed && event.key == kKeyC) marker.setFillColor(kMarkerKeyedColour);
      if (event.type == boardEventType::closed) window.close();
    }
    window.clear(kBackground);
    window.draw(marker);
    window.display();
    if (!announced) std::cout << kReadyLine << std::endl;
    announced = true;
  }
  return 0;
}
