#ifndef ZELQUOR_BOARD_SPRITE_H
#define ZELQUOR_BOARD_SPRITE_H

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>

// A sprite that can be made empty, without a texture, and then draws
// nothing: the tokens and type sprites are made so before main, before the
// images are loaded and before the display is known to be there. SFML 3's
// sprites always refer to a texture, and making even an empty texture opens
// the display (an abort without one), so this keeps the texture and the
// rectangle itself and draws them as a sprite of either generation would:
// the same vertices, under its own position.
class boardSprite : public sf::Drawable, public sf::Transformable {
 public:
  boardSprite() = default;
  explicit boardSprite(const sf::Texture& texture)
      : texture_(&texture), rect_({0, 0}, sf::Vector2i(texture.getSize())) {}
  explicit boardSprite(const sf::Texture&& texture) = delete;

  // nullptr for an empty sprite.
  const sf::Texture* texture() const { return texture_; }
  const sf::IntRect& getTextureRect() const { return rect_; }
  void setTextureRect(const sf::IntRect& rect) { rect_ = rect; }

 private:
  void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

  const sf::Texture* texture_ = nullptr;
  sf::IntRect rect_;
};

#endif
