#ifndef ZELQUOR_BOARD_SPRITE_H
#define ZELQUOR_BOARD_SPRITE_H

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>

// A sprite that can be made empty, without a texture, and then draws
// nothing: the tokens and type sprites are made so before main, before the
// images are loaded and before the display is known to be there. SFML 3's
// sprites always refer to a texture, and making even an empty texture opens
// the display (an abort without one), so this keeps the texture itself and
// draws the whole of it as a sprite of either generation would: the same
// vertices, under its own position.
class boardSprite : public sf::Drawable, public sf::Transformable {
 public:
  boardSprite() = default;
  explicit boardSprite(const sf::Texture& texture) : texture_(&texture) {}
  explicit boardSprite(const sf::Texture&& texture) = delete;

  // nullptr for an empty sprite.
  const sf::Texture* texture() const { return texture_; }

 private:
  void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

  const sf::Texture* texture_ = nullptr;
};

#endif
