// The scale the desktop asks of X programs, chosen from what it tells them.
// The window is the scene times this scale, as far as the room allows.
#ifndef ZELQUOR_SCALE_CHOICE_H
#define ZELQUOR_SCALE_CHOICE_H

#include <optional>
#include <string>

// The desktop's dots per inch at 100 %.
constexpr double kBaseDpi = 96;
// GNOME and KDE offer up to 400 %; beyond that the room decides anyway.
constexpr double kLargestScale = 4;
// Only the user's own override may shrink the window below the scene.
constexpr double kSmallestOverride = 0.5;

// What the desktop and the user said, each as its text; nothing where unset.
struct scaleSources {
  std::optional<std::string> override;      // ZELQUOR_SCALE
  std::optional<std::string> xftDpi;        // Xft.dpi in the root window's resources
  std::optional<std::string> gdkScale;      // GDK_SCALE
  std::optional<long> windowScalingFactor;  // XSETTINGS Gdk/WindowScalingFactor
};

enum class scaleOrigin { none, override, xftDpi, gdkScale, windowScalingFactor };

struct scaleChoice {
  double scale = 1;
  scaleOrigin origin = scaleOrigin::none;
  // ZELQUOR_SCALE was set to something that is not a scale: it is ignored.
  bool overrideInvalid = false;
};

// The first source that holds a valid value, in this order: ZELQUOR_SCALE,
// Xft.dpi / 96, GDK_SCALE, Gdk/WindowScalingFactor; 1 without any. Only one
// of them is ever applied: GTK multiplies Xft.dpi by GDK_SCALE, and that
// scales a window twice on desktops that set both. The desktop's scales
// count from 1 to kLargestScale (a dpi below 96 is a font preference, not a
// request for a smaller window); the override from kSmallestOverride.
scaleChoice chooseScale(const scaleSources& sources);

// A decimal number such as "1.5" or "192", the whole text; nothing else.
std::optional<double> decimalNumber(const std::string& text);

#endif
