#include "images.h"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <thread>

namespace {

const char* const kGenFiles[kTypeCount] = {
    "./images/g4813.png", "./images/g4894.png", "./images/g6928.png", "./images/g5100.png",
    "./images/g5074.png", "./images/g4794.png", "./images/g4906.png", "./images/g4971.png"};

const char* const kInterfaceFiles[kInterfaceCount] = {
    "./images/path5020.png", "./images/interface.png", "./images/zelquorLogo.png",
    "./images/mv1.png",      "./images/mv3.png",       "./images/mvx.png",
    "./images/mute1.png",    "./images/muteGrp.png",   "./images/mute3.png"};

// An image larger than the largest texture can never be shown, yet the
// graphics library decodes it whole before it finds that out: a 20000 by
// 20000 grey PNG takes 3.2 GB (the decoder's pixels and the image's copy),
// and where that much memory is not to be had the run ends in
// std::bad_alloc instead of status 1. Such a file is refused from the size
// in its header, without decoding.
constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::size_t kPngWidthOffset = 16;  // signature, IHDR length and type

std::uint32_t bigEndian(const unsigned char* bytes) {
  return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
}

// The width and height that a PNG file's header announces; nothing for a
// file that does not start like a PNG (the decoder then judges it).
std::optional<sf::Vector2u> pngSize(const char* path) {
  std::ifstream file(path, std::ios::binary);
  unsigned char header[kPngWidthOffset + 8];
  if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
  if (!std::equal(kPngSignature, kPngSignature + sizeof kPngSignature, header)) return std::nullopt;
  return sf::Vector2u(bigEndian(header + kPngWidthOffset), bigEndian(header + kPngWidthOffset + 4));
}

bool fitsInTexture(const char* path, unsigned maximumSize) {
  const auto size = pngSize(path);
  return !size || (size->x <= maximumSize && size->y <= maximumSize);
}

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
  unsigned maximumTextureSize = 0;
  std::streambuf* errorOutput = nullptr;
  std::thread helper;

  void decode() {
    for (int t = 0; t < kTypeCount; ++t)
      if (!decodeOne(genImages[t], kGenFiles[t])) return;
    for (int i = 0; i < kInterfaceCount; ++i)
      if (!decodeOne(interfaceImages[i], kInterfaceFiles[i])) return;
    decoded = true;
  }

  bool decodeOne(sf::Image& image, const char* path) const {
    return fitsInTexture(path, maximumTextureSize) && image.loadFromFile(path);
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


// A file too large for a texture is refused before it is decoded; the
// texture's creation at its size then fails with the library's own report,
// the one that the load would have made after decoding it.
bool loadTexture(sf::Texture& texture, const char* path) {
  if (!fitsInTexture(path, sf::Texture::getMaximumSize())) {
    const sf::Vector2u size = *pngSize(path);
    texture.create(size.x, size.y);
    return false;
  }
  return texture.loadFromFile(path, kWholeImage);
}

// Makes every texture in load order with make(texture, slot), slots 0 to 7
// for the token types and then the interface images, with a sprite of each;
// stops at the first that fails.
template <class Make>
bool makeTextures(images& loaded, Make make) {
  sf::Sprite typeSprites[kTypeCount];
  for (int t = 0; t < kTypeCount; ++t) {
    if (!make(loaded.genTextures[t], t)) return false;
    typeSprites[t] = sf::Sprite(loaded.genTextures[t]);
  }
  for (int t = 0; t < kTypeCount; ++t) genSprite[t] = typeSprites[t];
  for (int i = 0; i < kInterfaceCount; ++i) {
    if (!make(loaded.interfaceTextures[i], kTypeCount + i)) return false;
    loaded.interfaceSprites[i] = sf::Sprite(loaded.interfaceTextures[i]);
  }
  return true;
}

bool loadDecoded(images& loaded, prefetch& done) {
  return makeTextures(loaded, [&done](sf::Texture& texture, int slot) {
    const sf::Image& image = slot < kTypeCount ? done.genImages[slot] : done.interfaceImages[slot - kTypeCount];
    return texture.loadFromImage(image, kWholeImage);
  });
}

bool loadFromFiles(images& loaded) {
  return makeTextures(loaded, [](sf::Texture& texture, int slot) {
    return loadTexture(texture, slot < kTypeCount ? kGenFiles[slot] : kInterfaceFiles[slot - kTypeCount]);
  });
}

}  // namespace

bool prefetchImages() {
  pending = new prefetch();
  // Asked here, on the thread whose context the window has made current.
  pending->maximumTextureSize = sf::Texture::getMaximumSize();
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
