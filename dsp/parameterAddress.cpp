#include "parameterAddress.h"

#include <charconv>
#include <cstring>

#include "mydsp.h"

namespace {

constexpr std::size_t kPrefixLength = sizeof(kAddressPrefix) - 1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Compared in line, stopping at the first difference (the end of a shorter
// text among them): the library's strncmp cost as much as the rest of the
// look-up, which an all-mode drag step makes 64 times.
bool hasPrefix(const char* address) {
  for (std::size_t i = 0; i < kPrefixLength; ++i)
    if (address[i] != kAddressPrefix[i]) return false;
  return true;
}

struct IndexTable {
  int ofNumber[kParameterCount];
};

constexpr IndexTable makeIndexTable() {
  IndexTable table{};
  for (int index = 0; index < kParameterCount; ++index) table.ofNumber[kDeclarationOrder[index]] = index;
  return table;
}

constexpr IndexTable kIndexTable = makeIndexTable();

}  // namespace

int parameterNumberOf(const char* address) {
  if (address == nullptr || !hasPrefix(address)) return -1;
  const char* digits = address + kPrefixLength;
  if (!isDigit(digits[0])) return -1;
  if (digits[1] == '\0') return digits[0] - '0';
  if (digits[0] == '0' || !isDigit(digits[1]) || digits[2] != '\0') return -1;
  const int number = (digits[0] - '0') * 10 + (digits[1] - '0');
  return number < kParameterCount ? number : -1;
}

void formatAddress(char (&address)[kAddressSize], int number) {
  std::memcpy(address, kAddressPrefix, kPrefixLength);
  char* const end = std::to_chars(address + kPrefixLength, address + kAddressSize - 1, number).ptr;
  *end = '\0';
}

int parameterIndexOf(const char* address) {
  const int number = parameterNumberOf(address);
  return number < 0 ? -1 : kIndexTable.ofNumber[number];
}
