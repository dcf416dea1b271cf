#include "images.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <ostream>
#include <string>
#include <thread>

#include "pngDecoder.h"
#include "sfmlSeam.h"

namespace {

const char* const kGenFiles[kTypeCount] = {"./images/g4813.png", "./images/g4894.png", "./images/g6928.png",
                                           "./images/g5100.png", "./images/g5074.png", "./images/g4794.png",
                                           "./images/g4906.png", "./images/g4971.png"};

const char* const kInterfaceFiles[kInterfaceCount] = {
    "./images/path5020.png", "./images/interface.png", "./images/zelquorLogo.png",
    "./images/mv1.png",      "./images/mv3.png",       "./images/mvx.png",
    "./images/mute1.png",    "./images/muteGrp.png",   "./images/mute3.png"};

const char* pathOf(int slot) { return slot < kTypeCount ? kGenFiles[slot] : kInterfaceFiles[slot - kTypeCount]; }

// The images decoded from their files in load order, up to the first that
// cannot be decoded.
struct decodedImages {
  sf::Image images[kTypeCount + kInterfaceCount];
  int failedSlot = -1;
  std::string reason;

  void decode() {
    for (int slot = 0; slot < kTypeCount + kInterfaceCount; ++slot) {
      if (!decodePngFile(pathOf(slot), images[slot], reason)) {
        failedSlot = slot;
        return;
      }
    }
  }
};

// Decoding the PNG files is most of the CPU time of start-up besides the
// window (the board image alone is 942 by 962 pixels). A helper thread
// decodes them while the engine facade connects to the audio server, which
// mostly waits on the server; the decoder writes nothing, and loadImages
// reports a failure once the helper is done.
struct prefetch {
  decodedImages decoded;
  std::thread helper;
};

prefetch* pending = nullptr;

// The report in the graphics library's own words for a failed load.
void reportFailure(const decodedImages& decoded) {
  sf::err() << "Failed to load image \"" << pathOf(decoded.failedSlot) << "\". Reason: " << decoded.reason << std::endl;
}

// Makes every texture in load order with make(texture, slot), slots 0 to 7
// for the token types and then the interface images, with a sprite of each;
// stops at the first that fails.
template <class Make>
bool makeTextures(images& loaded, Make make) {
  boardSprite typeSprites[kTypeCount];
  for (int t = 0; t < kTypeCount; ++t) {
    if (!make(loaded.genTextures[t], t)) return false;
    typeSprites[t] = boardSprite(loaded.genTextures[t]);
  }
  for (int t = 0; t < kTypeCount; ++t) genSprite[t] = typeSprites[t];
  for (int i = 0; i < kInterfaceCount; ++i) {
    if (!make(loaded.interfaceTextures[i], kTypeCount + i)) return false;
    loaded.interfaceSprites[i] = boardSprite(loaded.interfaceTextures[i]);
  }
  return true;
}

bool loadDecoded(images& loaded, const decodedImages& decoded) {
  return makeTextures(loaded, [&decoded](sf::Texture& texture, int slot) {
    if (slot == decoded.failedSlot) {
      reportFailure(decoded);
      return false;
    }
    // The whole image, as sf::Texture::loadFromFile(path, sf::IntRect()) makes it.
    return loadWholeTexture(texture, decoded.images[slot]);
  });
}

}  // namespace

bool prefetchImages() {
  pending = new prefetch();
  pending->helper = std::thread([work = pending] { work->decoded.decode(); });
  return true;
}

bool loadImages(images& loaded) {
  prefetch* done = pending;
  pending = nullptr;
  if (done == nullptr) {
    done = new prefetch();
    done->decoded.decode();
  } else {
    done->helper.join();
  }
  const bool ok = loadDecoded(loaded, done->decoded);
  delete done;
  return ok;
}
