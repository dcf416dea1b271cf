#include "blankPng.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
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
  Bytes head;
  appendBigEndian(head, static_cast<std::uint32_t>(size));
  head.insert(head.end(), type, type + 4);
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  // crc32 with no data answers its starting value, not the running sum.
  if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
  Bytes tail;
  appendBigEndian(tail, static_cast<std::uint32_t>(crc));
  out.write(reinterpret_cast<const char*>(head.data()), head.size());
  out.write(reinterpret_cast<const char*>(data), size);
  out.write(reinterpret_cast<const char*>(tail.data()), tail.size());
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

void writeBlankPng(const std::string& path, unsigned width, unsigned height) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(kSignature.data()), kSignature.size());
  const Bytes header = headerChunk(width, height);
  writeChunk(out, "IHDR", header.data(), header.size());
  writeRows(out, width, height);
  writeChunk(out, "IEND", nullptr, 0);
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}
