#include "frame.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>

#include "window.h"
#include "windowSize.h"

namespace {

const sf::Color kBackground(19, 37, 53, 255);
const sf::Color kPanelColour(203, 213, 217, 255);
const sf::Vector2f kPanelSize(116, 384);
const sf::Vector2f kPanelCorner(960, 14);

// Where each interface image's top-left corner goes, in drawing order.
struct placement {
  interfaceImage image;
  float x, y;
};

constexpr placement kPlacements[] = {
    {interfaceImage::logo, 988, 16},     {interfaceImage::moveOne, 974, 56}, {interfaceImage::moveGroup, 1006, 56},
    {interfaceImage::moveAll, 1038, 56}, {interfaceImage::muteOne, 974, 88}, {interfaceImage::muteGroup, 1006, 88},
    {interfaceImage::muteAll, 1038, 88}, {interfaceImage::board, 8, 2},      {interfaceImage::palette, 992, 128}};

void drawPanel() {
  sf::RectangleShape panel(kPanelSize);
  panel.setPosition(kPanelCorner);
  panel.setFillColor(kPanelColour);
  window.draw(panel);
}

// Each sprite already stands at its token's corner (setCorner).
void drawGens() {
  for (const gen& token : tabgen)
    if (token.active == 1) window.draw(token.sprite);
}

}  // namespace

void fitSceneToWindow(images& shown) {
  const sf::Vector2u size = window.getSize();
  if (size.x == kSceneWidth && size.y == kSceneHeight) return;
  const sf::Vector2f scene(kSceneWidth, kSceneHeight);
  window.setView(sf::View(scene / 2.f, scene));
  // Nearest sampling, the textures' own, keeps the pad numbers and rings
  // sharp where each scene pixel is a square of window pixels.
  const bool smooth = !wholeMultipleOfScene(size.x, size.y);
  for (sf::Texture& texture : shown.genTextures) texture.setSmooth(smooth);
  for (sf::Texture& texture : shown.interfaceTextures) texture.setSmooth(smooth);
}

void drawFrame(images& shown) {
  window.clear(kBackground);
  drawPanel();
  for (const placement& at : kPlacements) {
    boardSprite& sprite = shown.sprite(at.image);
    sprite.setPosition({at.x, at.y});
    window.draw(sprite);
  }
  drawGens();
  window.display();
}
