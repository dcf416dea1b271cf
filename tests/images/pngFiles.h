// PNG files written by the tests: a plain white picture of any size, written
// row by row so that even one far larger than memory takes only a moment
// and a small file, and files put together chunk by chunk.
#ifndef ZELQUOR_TESTS_PNG_FILES_H
#define ZELQUOR_TESTS_PNG_FILES_H

#include <cstdint>
#include <string>
#include <vector>

extern const std::string kPngSignature;

// Writes an 8-bit grey PNG (what an image tool makes of a blank white
// canvas); throws when the file cannot be written.
void writeBlankPng(const std::string& path, unsigned width, unsigned height);

// The value's last bytes, most significant first, as PNG, JPEG and PSD files
// hold their numbers.
std::string bigEndian(std::uint32_t value, int bytes);

// One chunk with its length and checksum.
std::string pngChunk(const std::string& type, const std::string& data);

struct pngChunkRead {
  std::string type;
  std::string data;
};
// The chunks of a PNG file's content, in order; throws when it is no PNG.
std::vector<pngChunkRead> pngChunks(const std::string& content);

std::string fileContent(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

#endif
