#include "frame.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>

#include "sceneLayout.h"
#include "window.h"
#include "windowSize.h"

namespace {

const sf::Color kBackground(19, 37, 53, 255);
const sf::Color kPanelColour(203, 213, 217, 255);

// Each interface image at its top-left corner, in drawing order.
struct placement {
  interfaceImage image;
  corner at;
};

constexpr placement kPlacements[] = {
    {interfaceImage::logo, kLogoCorner},           {interfaceImage::moveOne, kMoveOneCorner},
    {interfaceImage::moveGroup, kMoveGroupCorner}, {interfaceImage::moveAll, kMoveAllCorner},
    {interfaceImage::muteOne, kMuteOneCorner},     {interfaceImage::muteGroup, kMuteGroupCorner},
    {interfaceImage::muteAll, kMuteAllCorner},     {interfaceImage::board, kBoardImageCorner},
    {interfaceImage::palette, kPaletteCorner}};

sf::Vector2f scenePoint(int x, int y) { return {static_cast<float>(x), static_cast<float>(y)}; }

void drawPanel() {
  sf::RectangleShape panel(scenePoint(kPanel.width, kPanel.height));
  panel.setPosition(scenePoint(kPanel.x, kPanel.y));
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
  for (const placement& placed : kPlacements) {
    boardSprite& sprite = shown.sprite(placed.image);
    sprite.setPosition(scenePoint(placed.at.x, placed.at.y));
    window.draw(sprite);
  }
  drawGens();
  window.display();
}
