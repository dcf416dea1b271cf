// The 17 images read from ./images/ at start-up, owned by main for the run.
#ifndef ZELQUOR_IMAGES_H
#define ZELQUOR_IMAGES_H

#include <SFML/Graphics/Texture.hpp>

#include "boardModel.h"
#include "boardSprite.h"

// The interface sprites that main draws itself, in load order.
enum class interfaceImage { board, palette, logo, moveOne, moveGroup, moveAll, muteOne, muteGroup, muteAll, count };

constexpr int kInterfaceCount = static_cast<int>(interfaceImage::count);

struct images {
  sf::Texture genTextures[kTypeCount];
  sf::Texture interfaceTextures[kInterfaceCount];
  boardSprite interfaceSprites[kInterfaceCount];

  boardSprite& sprite(interfaceImage which) { return interfaceSprites[static_cast<int>(which)]; }
};

// Starts decoding the image files on a helper thread, to be taken up by
// loadImages.
bool prefetchImages();

// Loads every image in order, filling genSprite with the type sprites; stops
// at the first that cannot be loaded, reports it on the graphics library's
// error stream in the library's own form, and returns false.
bool loadImages(images& loaded);

#endif
