// Hands the fuzzer's bytes to the XSETTINGS parsing as the property another
// program wrote. Whatever the bytes, it must answer without reading beyond
// them, and a value it finds must be one the bytes hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "xsettings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A block of exactly the input's size, so that the sanitizers see any
  // read past it.
  std::vector<unsigned char> bytes(data, data + size);
  const auto value = xsettingsInteger(bytes.data(), bytes.size(), "Gdk/WindowScalingFactor");
  if (value && (*value < INT32_MIN || *value > INT32_MAX)) {
    std::fprintf(stderr, "xsettings parsing broken: %ld is no 32-bit value\n", *value);
    std::abort();
  }
  return 0;
}
