// Files crafted against image decoders, put in place of one image at a time:
// every one is refused with status 1 and one report, quickly and within the
// memory bound, while the largest accepted image still starts the program.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "appProcess.h"
#include "imageRun.h"
#include "imagesCopy.h"
#include "pngFiles.h"
#include "startupLines.h"
#include "xServer.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned kLargeValidSide = 16384;
constexpr unsigned kLargestAccepted = 4096;
constexpr unsigned kDecoySide = 25;
constexpr unsigned kAnnouncedSide = 23000;

std::string littleEndian(unsigned value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xff);
  return out;
}

std::string bytes(std::initializer_list<unsigned char> values) { return std::string(values.begin(), values.end()); }

// A one-component baseline JPEG whose DC table holds one symbol, dcSymbol.
std::string jpegFile(unsigned side, unsigned char dcSymbol) {
  const std::string frame =
      bytes({0xff, 0xc0, 0x00, 0x0b, 0x08}) + bigEndian(side, 2) + bigEndian(side, 2) + bytes({0x01, 0x01, 0x11, 0x00});
  std::string huffman = bytes({0xff, 0xc4, 0x00, 0x14, 0x00, 0x01});
  huffman += std::string(15, '\0') + static_cast<char>(dcSymbol);
  const std::string scan = bytes({0xff, 0xda, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3f, 0x00, 0x00, 0x00});
  return bytes({0xff, 0xd8}) + frame + huffman + scan + bytes({0xff, 0xd9});
}

// A run-length scanline whose header is the file's last bytes.
std::string radianceFile() {
  return "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 8\n" + bytes({0x02, 0x02, 0x00, 0x08});
}

std::string gifFile(unsigned side) {
  return "GIF89a" + littleEndian(side, 2) + littleEndian(side, 2) + bytes({0x00, 0x00, 0x00, 0x2c}) +
         littleEndian(0, 4) + littleEndian(side, 2) + littleEndian(side, 2) +
         bytes({0x00, 0x08, 0x01, 0x00, 0x00, 0x3b});
}

std::string bmpFile(unsigned side) {
  return "BM" + littleEndian(54, 4) + littleEndian(0, 4) + littleEndian(54, 4) + littleEndian(40, 4) +
         littleEndian(side, 4) + littleEndian(side, 4) + littleEndian(1, 2) + littleEndian(24, 2) +
         std::string(24, '\0');
}

std::string pnmFile(unsigned side) { return "P6\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n"; }

std::string psdFile(unsigned side) {
  return "8BPS" + bigEndian(1, 2) + std::string(6, '\0') + bigEndian(3, 2) + bigEndian(side, 4) + bigEndian(side, 4) +
         bigEndian(8, 2) + bigEndian(3, 2) + std::string(12, '\0') + bigEndian(0, 2);
}

// One of the program's own PNGs with its image data cut in half and wrapped
// in a single well-formed chunk.
std::string halfDataPng(const std::string& path) {
  std::string before;
  std::string data;
  for (const auto& chunk : pngChunks(fileContent(path))) {
    if (chunk.type == "IDAT") data += chunk.data;
    else if (data.empty() && chunk.type != "IEND") before += pngChunk(chunk.type, chunk.data);
  }
  return kPngSignature + before + pngChunk("IDAT", data.substr(0, data.size() / 2)) + pngChunk("IEND", "");
}

// A chunk before the header whose first bytes read as a small picture's
// size where the header's would be, then a huge picture.
std::string decoyHeaderPng(const std::string& hugePath) {
  const std::string huge = fileContent(hugePath);
  return kPngSignature + pngChunk("CgBI", bigEndian(kDecoySide, 4) + bigEndian(kDecoySide, 4)) +
         huge.substr(kPngSignature.size());
}

struct crafted {
  std::string name;
  std::string file;  // the image it replaces
  std::string content;
  std::string reasonPart;
};

std::vector<crafted> craftedFiles(BlankPictures& blanks) {
  return {
      {"JPEG with a DC symbol above 16", "g4813.png", jpegFile(1, 17), kNotPng},
      {"own PNG with half its image data", "path5020.png", halfDataPng(projectImagePath("path5020.png")), ""},
      {"Radiance scanline cut at the end", "interface.png", radianceFile(), kNotPng},
      {"PNG with a decoy size before its header", "mute3.png", decoyHeaderPng(blanks.of(kHugeBlankSide)), ""},
      {"huge GIF", "g4894.png", gifFile(kAnnouncedSide), kNotPng},
      {"huge BMP", "g6928.png", bmpFile(kLargeValidSide), kNotPng},
      {"huge PNM", "g5100.png", pnmFile(kHugeBlankSide), kNotPng},
      {"huge PSD", "zelquorLogo.png", psdFile(kHugeBlankSide), kNotPng},
      {"huge JPEG", "mv1.png", jpegFile(kHugeBlankSide, 0), kNotPng},
      {"valid huge PNG", "muteGrp.png", fileContent(blanks.of(kLargeValidSide)), kTooLarge},
  };
}

TEST(CraftedImage, IsRefusedWithStatusOneQuicklyAndWithinTheMemoryBound) {
  XServer x;
  BlankPictures blanks;
  for (const auto& file : craftedFiles(blanks)) {
    SCOPED_TRACE(file.name + " as " + file.file);
    ImagesCopy copy;
    writeFile(copy.imagePath(file.file), file.content);
    AppProcess app(runOnImages(copy, x));
    expectRefused(app, file.file, file.reasonPart);
    expectWithinMemoryBound();
  }
}

TEST(CraftedImage, LargestAcceptedImageStartsTheProgramWithinTheMemoryBound) {
  XServer x;
  BlankPictures blanks;
  ImagesCopy copy;
  fs::copy_file(blanks.of(kLargestAccepted), copy.imagePath("path5020.png"), fs::copy_options::overwrite_existing);
  AppProcess app(runOnImages(copy, x));
  ASSERT_TRUE(app.waitForLine(kRunningPrefix, LineMatch::prefix)) << app.stderrText();
  app.sendSignal(SIGTERM);
  ASSERT_TRUE(app.waitForExit());
  expectWithinMemoryBound();
}

}  // namespace
