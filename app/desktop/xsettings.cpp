#include "xsettings.h"

#include <cstdint>

namespace {

// The layout: a byte-order byte, three unused bytes, a serial and the
// number of settings (32 bits each); then each setting: its type (8 bits),
// an unused byte, its name's length (16 bits), the name padded to four
// bytes, the serial of its last change (32 bits) and its value, which for an
// integer is 32 bits, for a string a 32-bit length and the text padded to
// four bytes, and for a colour four 16-bit channels.
constexpr unsigned char kLeastSignificantFirst = 0;
constexpr unsigned char kMostSignificantFirst = 1;
constexpr unsigned char kIntegerType = 0;
constexpr unsigned char kStringType = 1;
constexpr unsigned char kColourType = 2;
constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kColourSize = 8;

// A cursor that refuses to move past the end of the data.
class reader {
 public:
  reader(const unsigned char* data, std::size_t size, bool mostFirst)
      : data_(data), size_(size), mostFirst_(mostFirst) {}

  bool skip(std::size_t count) {
    if (count > size_ - at_) return false;
    at_ += count;
    return true;
  }
  std::optional<std::uint32_t> number(std::size_t bytes) {
    if (bytes > size_ - at_) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
      const std::uint32_t byte = data_[at_ + (mostFirst_ ? i : bytes - 1 - i)];
      value = value << 8 | byte;
    }
    at_ += bytes;
    return value;
  }
  std::optional<std::string_view> text(std::size_t length) {
    const std::size_t start = at_;
    if (!skip(padded(length))) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(data_ + start), length);
  }

 private:
  static std::size_t padded(std::size_t length) { return (length + 3) / 4 * 4; }
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool mostFirst_;
};

// Past the value of a setting of this type; false for a type not known.
bool skipValue(reader& in, unsigned char type) {
  if (type == kIntegerType) return in.skip(4);
  if (type == kColourType) return in.skip(kColourSize);
  if (type != kStringType) return false;
  const auto length = in.number(4);
  return length && in.text(*length);
}

}  // namespace

std::optional<long> xsettingsInteger(const unsigned char* data, std::size_t size, std::string_view name) {
  if (data == nullptr || size < kHeaderSize) return std::nullopt;
  if (data[0] != kLeastSignificantFirst && data[0] != kMostSignificantFirst) return std::nullopt;
  reader in(data, size, data[0] == kMostSignificantFirst);
  in.skip(8);
  const std::uint32_t count = *in.number(4);
  // Each setting takes at least 12 bytes, so a count beyond what the data
  // could hold stops at its end.
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto type = in.number(1);
    if (!type || !in.skip(1)) return std::nullopt;
    const auto length = in.number(2);
    const auto settingName = length ? in.text(*length) : std::nullopt;
    if (!settingName || !in.skip(4)) return std::nullopt;
    if (*settingName == name && *type == kIntegerType) {
      const auto value = in.number(4);
      if (!value) return std::nullopt;
      return static_cast<long>(static_cast<std::int32_t>(*value));
    }
    if (!skipValue(in, static_cast<unsigned char>(*type))) return std::nullopt;
  }
  return std::nullopt;
}
