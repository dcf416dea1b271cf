// Every kind of valid PNG decodes to the same RGBA as an independent decoder
// makes of it, and as the graphics library's own loader did.
#include <gtest/gtest.h>

#include <SFML/Graphics/Image.hpp>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "imagesCopy.h"
#include "pngDecoder.h"
#include "pngFiles.h"

namespace {

// All colour types; depths 1, 2, 4, 8 and 16; palettes and grey and RGB
// with a transparent colour; four interlaced.
constexpr size_t kVariantCount = 21;

struct variant {
  std::string name;
  unsigned width = 0;
  unsigned height = 0;
};

class VariantsFolder {
 public:
  std::string path(const std::string& name, const std::string& extension) const {
    return scratch_.directory() + "/" + name + extension;
  }
  // Has the script write the variants and answers the list it printed.
  std::vector<variant> write() const {
    const std::string command = std::string(ZELQUOR_PNG_VARIANTS_SCRIPT) + " " + scratch_.directory();
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    if (pclose(pipe) != 0) throw std::runtime_error(command + " failed:\n" + output);
    std::vector<variant> variants;
    std::istringstream lines(output);
    for (variant read; lines >> read.name >> read.width >> read.height;) variants.push_back(read);
    return variants;
  }

 private:
  ImagesCopy scratch_{ImagesCopy::empty};
};

std::string pixelsOf(const sf::Image& image) {
  const sf::Vector2u size = image.getSize();
  return std::string(reinterpret_cast<const char*>(image.getPixelsPtr()), size_t(size.x) * size.y * 4);
}

TEST(PngVariants, DecodeToTheIndependentDecodersAndTheFormerLoadersRgba) {
  VariantsFolder folder;
  const auto variants = folder.write();
  ASSERT_EQ(variants.size(), kVariantCount);
  for (const auto& made : variants) {
    SCOPED_TRACE(made.name);
    const std::string path = folder.path(made.name, ".png");
    sf::Image decoded;
    std::string reason;
    ASSERT_TRUE(decodePngFile(path, decoded, reason)) << reason;
    ASSERT_EQ(decoded.getSize(), sf::Vector2u(made.width, made.height));
    EXPECT_TRUE(pixelsOf(decoded) == fileContent(folder.path(made.name, ".rgba")));
    sf::Image former;
    ASSERT_TRUE(former.loadFromFile(path));
    EXPECT_TRUE(pixelsOf(decoded) == pixelsOf(former));
  }
}

}  // namespace
