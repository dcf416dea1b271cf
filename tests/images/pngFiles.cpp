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

void appendBigEndian(Bytes& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
}

void writeChunk(std::ofstream& out, const char type[4], const unsigned char* data, size_t size) {
  out << pngChunk(std::string(type, 4), std::string(reinterpret_cast<const char*>(data), size));
}

Bytes headerChunk(unsigned width, unsigned height) {
  Bytes header;
  appendBigEndian(header, width);
  appendBigEndian(header, height);
  header.insert(header.end(), {kBitDepth, kGreyColourType, 0, 0, 0});  // deflate, adaptive filters, no interlace
  return header;
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

std::string pngChunk(const std::string& type, const std::string& data) {
  Bytes head;
  appendBigEndian(head, static_cast<std::uint32_t>(data.size()));
  const std::string body = type + data;
  Bytes tail;
  appendBigEndian(tail, static_cast<std::uint32_t>(
                            crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
  return std::string(head.begin(), head.end()) + body + std::string(tail.begin(), tail.end());
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
  const Bytes header = headerChunk(width, height);
  writeChunk(out, "IHDR", header.data(), header.size());
  writeRows(out, width, height);
  writeChunk(out, "IEND", nullptr, 0);
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}
