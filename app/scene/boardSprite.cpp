#include "boardSprite.h"

#include <SFML/Graphics/Sprite.hpp>

void boardSprite::draw(sf::RenderTarget& target, sf::RenderStates states) const {
  if (texture_ == nullptr) return;
  states.transform *= getTransform();
  target.draw(sf::Sprite(*texture_), states);
}
