#include "images.h"

namespace {

const char* const kGenFiles[kTypeCount] = {
    "./images/g4813.png", "./images/g4894.png", "./images/g6928.png", "./images/g5100.png",
    "./images/g5074.png", "./images/g4794.png", "./images/g4906.png", "./images/g4971.png"};

const char* const kInterfaceFiles[kInterfaceCount] = {
    "./images/path5020.png", "./images/interface.png", "./images/zelquorLogo.png",
    "./images/mv1.png",      "./images/mv3.png",       "./images/mvx.png",
    "./images/mute1.png",    "./images/muteGrp.png",   "./images/mute3.png"};

}  // namespace

bool loadImages(images& loaded) {
  sf::Sprite typeSprites[kTypeCount];
  for (int t = 0; t < kTypeCount; ++t) {
    if (!loaded.genTextures[t].loadFromFile(kGenFiles[t], sf::IntRect())) return false;
    typeSprites[t] = sf::Sprite(loaded.genTextures[t]);
  }
  for (int t = 0; t < kTypeCount; ++t) genSprite[t] = typeSprites[t];
  for (int i = 0; i < kInterfaceCount; ++i) {
    if (!loaded.interfaceTextures[i].loadFromFile(kInterfaceFiles[i], sf::IntRect())) return false;
    loaded.interfaceSprites[i] = sf::Sprite(loaded.interfaceTextures[i]);
  }
  return true;
}
