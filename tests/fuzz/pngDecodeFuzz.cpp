// Hands the fuzzer's bytes to the program's PNG decoding, with its limits,
// as the content of an image file. Whatever the bytes, the decoding must
// answer: an image within the largest accepted size, or a reason. The
// chunks' checksums are set right first: a mutated chunk would otherwise
// almost always stop at its checksum, and the decoder's code past it,
// which the fuzzer cannot see into, would hardly be reached.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <zlib.h>

#include "pngDecoder.h"

namespace {

[[noreturn]] void broken(const char* what) {
  std::fprintf(stderr, "png decoding broken: %s\n", what);
  std::abort();
}

constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kLengthBytes = 4;
constexpr std::size_t kTypeBytes = 4;
constexpr std::size_t kChecksumBytes = 4;

std::uint32_t bigEndian(const std::uint8_t* bytes) {
  return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | bytes[3];
}

void withRightChecksums(std::vector<std::uint8_t>& bytes) {
  std::size_t at = kSignatureBytes;
  while (at < bytes.size() && bytes.size() - at >= kLengthBytes + kTypeBytes + kChecksumBytes) {
    const std::size_t length = bigEndian(&bytes[at]);
    if (length > bytes.size() - at - kLengthBytes - kTypeBytes - kChecksumBytes) return;
    const std::size_t checksumAt = at + kLengthBytes + kTypeBytes + length;
    const uLong checksum = crc32(0, &bytes[at + kLengthBytes], static_cast<uInt>(kTypeBytes + length));
    for (std::size_t i = 0; i < kChecksumBytes; ++i) bytes[checksumAt + i] = std::uint8_t(checksum >> (24 - 8 * i));
    at = checksumAt + kChecksumBytes;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  if (bytes.size() > kSignatureBytes) withRightChecksums(bytes);
  // An empty input is no PNG, and a stream over no bytes cannot be opened.
  if (bytes.empty()) return 0;
  std::FILE* source = fmemopen(bytes.data(), bytes.size(), "rb");
  if (source == nullptr) broken("the bytes cannot be read as a stream");
  sf::Image image;
  std::string reason;
  const bool accepted = decodePngStream(source, image, reason);
  std::fclose(source);
  if (!accepted) {
    if (reason.empty()) broken("refused without a reason");
    if (image.getSize() != sf::Vector2u()) broken("a refused image was filled");
    return 0;
  }
  const sf::Vector2u decoded = image.getSize();
  if (decoded.x == 0 || decoded.y == 0) broken("an empty image was accepted");
  if (decoded.x > kLargestImageSide || decoded.y > kLargestImageSide) broken("an image beyond the limit was accepted");
  return 0;
}
