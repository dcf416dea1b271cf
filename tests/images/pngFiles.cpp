#include "pngFiles.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

const Bytes kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char kBitDepth = 8;
constexpr unsigned char kGreyColourType = 0;
constexpr unsigned char kNoFilter = 0;
constexpr unsigned char kWhite = 0xff;
constexpr size_t kOutputChunk = 1 << 16;

void writeChunk(std::ofstream& out, const char type[4], const unsigned char* data, size_t size) {
  out << pngChunk(std::string(type, 4), std::string(reinterpret_cast<const char*>(data), size));
}

std::string headerChunk(unsigned width, unsigned height) {
  // Deflate, adaptive filters, no interlace.
  return bigEndian(width, 4) + bigEndian(height, 4) + std::string{char(kBitDepth), char(kGreyColourType), 0, 0, 0};
}

// Deflates the rows as they are produced, one data chunk per full buffer.
void writeRows(std::ofstream& out, unsigned width, unsigned height) {
  z_stream stream{};
  if (deflateInit(&stream, Z_BEST_SPEED) != Z_OK) throw std::runtime_error("deflateInit failed");
  Bytes row(size_t(width) + 1, kWhite);
  row[0] = kNoFilter;
  Bytes compressed(kOutputChunk);
  for (unsigned y = 0; y < height; ++y) {
    const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
    stream.next_in = row.data();
    stream.avail_in = static_cast<uInt>(row.size());
    int result = Z_OK;
    do {
      stream.next_out = compressed.data();
      stream.avail_out = static_cast<uInt>(compressed.size());
      result = deflate(&stream, flush);
      const size_t produced = compressed.size() - stream.avail_out;
      if (produced > 0) writeChunk(out, "IDAT", compressed.data(), produced);
    } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
  }
  deflateEnd(&stream);
}

}  // namespace

const std::string kPngSignature(reinterpret_cast<const char*>(kSignature.data()), kSignature.size());

std::string bigEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out += static_cast<char>(value >> shift & 0xff);
  return out;
}

std::string pngChunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto checksum = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  return bigEndian(static_cast<std::uint32_t>(data.size()), 4) + body +
         bigEndian(static_cast<std::uint32_t>(checksum), 4);
}

std::vector<pngChunkRead> pngChunks(const std::string& content) {
  if (content.compare(0, kPngSignature.size(), kPngSignature) != 0) throw std::runtime_error("not a PNG");
  std::vector<pngChunkRead> chunks;
  for (size_t at = kPngSignature.size(); at + 12 <= content.size();) {
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length = length << 8 | static_cast<unsigned char>(content[at + i]);
    chunks.push_back({content.substr(at + 4, 4), content.substr(at + 8, length)});
    at += 12 + size_t(length);
  }
  return chunks;
}

std::string fileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

void writeBlankPng(const std::string& path, unsigned width, unsigned height) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(kSignature.data()), kSignature.size());
  out << pngChunk("IHDR", headerChunk(width, height));
  writeRows(out, width, height);
  writeChunk(out, "IEND", nullptr, 0);
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}
