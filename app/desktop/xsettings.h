// Reading a setting out of the XSETTINGS manager's _XSETTINGS_SETTINGS
// property: bytes written by another program, so nothing in them is
// trusted, neither the counts, the lengths nor the byte order.
#ifndef ZELQUOR_XSETTINGS_H
#define ZELQUOR_XSETTINGS_H

#include <cstddef>
#include <optional>
#include <string_view>

// The integer setting of that name; nothing when the data does not hold it
// or ends, or turns malformed, before it.
std::optional<long> xsettingsInteger(const unsigned char* data, std::size_t size, std::string_view name);

#endif
