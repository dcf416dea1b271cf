#include "images.h"

#include <SFML/System/Err.hpp>
#include <thread>

namespace {

const char* const kGenFiles[kTypeCount] = {
    "./images/g4813.png", "./images/g4894.png", "./images/g6928.png", "./images/g5100.png",
    "./images/g5074.png", "./images/g4794.png", "./images/g4906.png", "./images/g4971.png"};

const char* const kInterfaceFiles[kInterfaceCount] = {
    "./images/path5020.png", "./images/interface.png", "./images/zelquorLogo.png",
    "./images/mv1.png",      "./images/mv3.png",       "./images/mvx.png",
    "./images/mute1.png",    "./images/muteGrp.png",   "./images/mute3.png"};

// Decoding the PNG files is most of the CPU time of start-up besides the
// window (the board image alone is 942 by 962 pixels). A helper thread
// decodes them while the engine facade connects to the audio server, which
// mostly waits on the server. It decodes silently: the graphics library's
// error stream is switched off from the start of the helper to its end,
// when only the facade's creation runs on the main thread, and a failure
// sends loadImages down the plain path, which reports it as always.
struct prefetch {
  sf::Image genImages[kTypeCount];
  sf::Image interfaceImages[kInterfaceCount];
  bool decoded = false;
  std::streambuf* errorOutput = nullptr;
  std::thread helper;

  void decode() {
    for (int t = 0; t < kTypeCount; ++t)
      if (!genImages[t].loadFromFile(kGenFiles[t])) return;
    for (int i = 0; i < kInterfaceCount; ++i)
      if (!interfaceImages[i].loadFromFile(kInterfaceFiles[i])) return;
    decoded = true;
  }

  // True when every image was decoded.
  bool finish() {
    if (!helper.joinable()) return false;
    helper.join();
    sf::err().rdbuf(errorOutput);
    return decoded;
  }
};

prefetch* pending = nullptr;

// The whole image, as sf::Texture::loadFromFile(path, sf::IntRect()) makes it.
const sf::IntRect kWholeImage;

bool loadDecoded(images& loaded, prefetch& done) {
  sf::Sprite typeSprites[kTypeCount];
  for (int t = 0; t < kTypeCount; ++t) {
    if (!loaded.genTextures[t].loadFromImage(done.genImages[t], kWholeImage)) return false;
    typeSprites[t] = sf::Sprite(loaded.genTextures[t]);
  }
  for (int t = 0; t < kTypeCount; ++t) genSprite[t] = typeSprites[t];
  for (int i = 0; i < kInterfaceCount; ++i) {
    if (!loaded.interfaceTextures[i].loadFromImage(done.interfaceImages[i], kWholeImage)) return false;
    loaded.interfaceSprites[i] = sf::Sprite(loaded.interfaceTextures[i]);
  }
  return true;
}

bool loadFromFiles(images& loaded) {
  sf::Sprite typeSprites[kTypeCount];
  for (int t = 0; t < kTypeCount; ++t) {
    if (!loaded.genTextures[t].loadFromFile(kGenFiles[t], kWholeImage)) return false;
    typeSprites[t] = sf::Sprite(loaded.genTextures[t]);
  }
  for (int t = 0; t < kTypeCount; ++t) genSprite[t] = typeSprites[t];
  for (int i = 0; i < kInterfaceCount; ++i) {
    if (!loaded.interfaceTextures[i].loadFromFile(kInterfaceFiles[i], kWholeImage)) return false;
    loaded.interfaceSprites[i] = sf::Sprite(loaded.interfaceTextures[i]);
  }
  return true;
}

}  // namespace

bool prefetchImages() {
  pending = new prefetch();
  pending->errorOutput = sf::err().rdbuf(nullptr);
  pending->helper = std::thread([work = pending] { work->decode(); });
  return true;
}

bool loadImages(images& loaded) {
  prefetch* done = pending;
  pending = nullptr;
  const bool decoded = done != nullptr && done->finish();
  const bool ok = decoded ? loadDecoded(loaded, *done) : loadFromFiles(loaded);
  delete done;
  return ok;
}
