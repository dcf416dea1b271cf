// The least a program can draw for the program's frame with the same
// library: the same window (size, style, context settings), the same
// background, panel rectangle and nine interface images at the same places,
// and 0 to 64 tokens, token i of type i / 8 at the spot where a press at the
// centre of pad i puts it. Everything is built once; each pass polls the
// events, clears, draws and shows, as fast as it can. Like the program it
// also runs a JACK client with 126 ports, so that its memory is comparable;
// with --no-jack it has none, to keep the processors as busy as the program
// does beside another client without joining the audio graph.
//
// Usage: frameFloor [tokens] [--no-jack]   (default 64), run where ./images/ is.
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

#include "boardFacts.h"
#include "floorClient.h"
#include "sceneLayout.h"
#include "sfmlSeam.h"

namespace {

constexpr unsigned kBitsPerPixel = 32;
constexpr char kClientName[] = "zelquorFrameFloor";
constexpr int kMaxTokens = 64;
constexpr int kTypeCount = 8;
constexpr int kPressToCorner = kCentreFromCorner - kGrabOffset;  // pad corner to a centred press's token corner

const sf::Color kBackground(19, 37, 53, 255);
const sf::Color kPanelColour(203, 213, 217, 255);

struct Placed {
  const char* file;
  corner at;
};

// In the program's drawing order.
constexpr Placed kInterface[] = {
    {"./images/zelquorLogo.png", kLogoCorner}, {"./images/mv1.png", kMoveOneCorner},
    {"./images/mv3.png", kMoveGroupCorner},    {"./images/mvx.png", kMoveAllCorner},
    {"./images/mute1.png", kMuteOneCorner},    {"./images/muteGrp.png", kMuteGroupCorner},
    {"./images/mute3.png", kMuteAllCorner},    {"./images/path5020.png", kBoardImageCorner},
    {"./images/interface.png", kPaletteCorner}};

sf::Vector2f scenePoint(int x, int y) { return {static_cast<float>(x), static_cast<float>(y)}; }

const char* const kTypeFiles[kTypeCount] = {"./images/g4813.png", "./images/g4894.png", "./images/g6928.png",
                                            "./images/g5100.png", "./images/g5074.png", "./images/g4794.png",
                                            "./images/g4906.png", "./images/g4971.png"};

int tokenCount(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : kMaxTokens;
  return count < 0 ? 0 : count > kMaxTokens ? kMaxTokens : count;
}

bool withJack(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--no-jack") == 0) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  sf::RenderWindow window(videoMode(kSceneWidth, kSceneHeight, kBitsPerPixel), "Zelquor", sf::Style::Close);
  centreWindow(window);
  std::unique_ptr<FloorClient> client;
  if (withJack(argc, argv)) client = std::make_unique<FloorClient>(kClientName);

  std::vector<sf::Texture> textures(std::size(kInterface) + kTypeCount);
  std::vector<sf::Sprite> sprites;
  for (std::size_t i = 0; i < std::size(kInterface); ++i) {
    if (!textures[i].loadFromFile(kInterface[i].file)) return 1;
    sprites.emplace_back(textures[i]);
    sprites.back().setPosition(scenePoint(kInterface[i].at.x, kInterface[i].at.y));
  }
  sf::Texture* typeTextures = &textures[std::size(kInterface)];
  for (int t = 0; t < kTypeCount; ++t)
    if (!typeTextures[t].loadFromFile(kTypeFiles[t])) return 1;
  const int tokens = tokenCount(argc, argv);
  for (int i = 0; i < tokens; ++i) {
    sprites.emplace_back(typeTextures[i / kBoardColumns % kTypeCount]);
    sprites.back().setPosition(scenePoint(padCornerX(i) + kPressToCorner, padCornerY(i) + kPressToCorner));
  }
  sf::RectangleShape panel(scenePoint(kPanel.width, kPanel.height));
  panel.setPosition(scenePoint(kPanel.x, kPanel.y));
  panel.setFillColor(kPanelColour);

  std::cout << "floor running =" << (client ? client->activate() : true) << std::endl;
  while (window.isOpen()) {
    boardEvent event;
    while (pollBoardEvent(window, event))
      if (event.type == boardEventType::closed) window.close();
    window.clear(kBackground);
    window.draw(panel);
    for (const sf::Sprite& sprite : sprites) window.draw(sprite);
    window.display();
  }
  return 0;
}
