#include "xsettingsManager.h"

#include <X11/Xlib.h>

#include <stdexcept>

std::vector<unsigned char> xsettingsWith(bool mostSignificantFirst, const std::string& name, std::int32_t value) {
  std::vector<unsigned char> bytes;
  const auto number = [&](std::uint32_t n, int size) {
    for (int i = 0; i < size; ++i)
      bytes.push_back(static_cast<unsigned char>(n >> 8 * (mostSignificantFirst ? size - 1 - i : i)));
  };
  const auto text = [&](const std::string& t) {
    bytes.insert(bytes.end(), t.begin(), t.end());
    bytes.resize((bytes.size() + 3) / 4 * 4);
  };
  // Type, an unused byte, the name's length and the name, the serial.
  const auto head = [&](int type, const std::string& settingName) {
    number(type, 1);
    number(0, 1);
    number(static_cast<std::uint32_t>(settingName.size()), 2);
    text(settingName);
    number(7, 4);
  };
  constexpr int kInteger = 0, kString = 1, kColour = 2;
  number(mostSignificantFirst ? 1 : 0, 1);
  number(0, 3);
  number(42, 4);
  number(4, 4);
  head(kString, "Net/ThemeName");
  number(7, 4);
  text("Adwaita");
  head(kColour, "Gtk/Colour");
  number(0, 4);
  number(0xffff, 4);
  head(kInteger, name);
  number(static_cast<std::uint32_t>(value), 4);
  head(kInteger, "Xft/DPI");
  number(96 * 1024, 4);
  return bytes;
}

XsettingsManager::XsettingsManager(const std::string& displayName, const std::vector<unsigned char>& settings)
    : display_(XOpenDisplay(displayName.c_str())) {
  if (display_ == nullptr) throw std::runtime_error("cannot reach " + displayName);
  const Atom selection = XInternAtom(display_, "_XSETTINGS_S0", False);
  const Atom property = XInternAtom(display_, "_XSETTINGS_SETTINGS", False);
  const Window owner = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
  XChangeProperty(display_, owner, property, property, 8, PropModeReplace, settings.data(),
                  static_cast<int>(settings.size()));
  XSetSelectionOwner(display_, selection, owner, CurrentTime);
  if (XGetSelectionOwner(display_, selection) != owner) {
    XCloseDisplay(display_);
    throw std::runtime_error("another XSETTINGS manager runs on " + displayName);
  }
}

// The selection goes with the connection.
XsettingsManager::~XsettingsManager() { XCloseDisplay(display_); }
