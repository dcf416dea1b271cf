// A desktop's XSETTINGS manager, as GNOME's and KDE's settings daemons run
// one: the owner of the screen's _XSETTINGS_S0 selection, whose window's
// _XSETTINGS_SETTINGS property holds the settings in their binary layout.
#ifndef ZELQUOR_HARNESS_XSETTINGS_MANAGER_H
#define ZELQUOR_HARNESS_XSETTINGS_MANAGER_H

#include <cstdint>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

// The settings a manager writes, in either byte order: Net/ThemeName (a
// string of 7 bytes), Gtk/Colour (a colour), then the integer given, then
// Xft/DPI (an integer, its setting the last 20 bytes), after a 12-byte
// header whose count (bytes 8 to 11) says 4.
std::vector<unsigned char> xsettingsWith(bool mostSignificantFirst, const std::string& name, std::int32_t value);

class XsettingsManager {
 public:
  // Owns the selection on that display until destroyed; throws when the
  // display cannot be reached or another manager holds it.
  XsettingsManager(const std::string& displayName, const std::vector<unsigned char>& settings);
  ~XsettingsManager();
  XsettingsManager(const XsettingsManager&) = delete;
  XsettingsManager& operator=(const XsettingsManager&) = delete;

 private:
  Display* display_;
};

#endif
