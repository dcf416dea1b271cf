// The least a program can do before it says it runs, with the same
// libraries: the window that the program opens (same size, style, context
// settings), then a JACK client with the program's 126 ports, activated,
// then one line on standard output. Its start-up time is the floor that the
// program's is compared with. It then clears and shows the window in a loop
// until the window is closed.
#include <SFML/Graphics/RenderWindow.hpp>
#include <iostream>

#include "floorClient.h"
#include "sceneLayout.h"
#include "sfmlSeam.h"

namespace {
constexpr unsigned kBitsPerPixel = 32;
constexpr char kClientName[] = "zelquorStartupFloor";
}  // namespace

int main() {
  sf::RenderWindow window(videoMode(kSceneWidth, kSceneHeight, kBitsPerPixel), "Zelquor", sf::Style::Close);
  centreWindow(window);
  FloorClient client(kClientName);
  std::cout << "floor running =" << client.activate() << std::endl;
  while (window.isOpen()) {
    boardEvent event;
    while (pollBoardEvent(window, event))
      if (event.type == boardEventType::closed) window.close();
    window.clear();
    window.display();
  }
  return 0;
}
