#include "desktopScale.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "xsettings.h"

namespace {

// Far more than the few kilobytes that a settings manager writes.
constexpr long kMostSettingsWords = 16384;

std::optional<std::string> environmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> xftDpiOf(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return std::nullopt;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return std::nullopt;
  char* type = nullptr;
  XrmValue value{};
  std::optional<std::string> dpi;
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr)
    dpi = std::string(value.addr, strnlen(value.addr, value.size));
  XrmDestroyDatabase(database);
  return dpi;
}

// The settings manager's window may go away between the question who owns
// the selection and the reading of its property: that error must not end
// the program, as Xlib's default handler would.
int errorIgnored(Display*, XErrorEvent*) { return 0; }

std::optional<long> windowScalingFactorOf(Display* display) {
  const std::string selection = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
  const Atom owned = XInternAtom(display, selection.c_str(), True);
  const Atom settings = XInternAtom(display, "_XSETTINGS_SETTINGS", True);
  if (owned == None || settings == None) return std::nullopt;
  const Window manager = XGetSelectionOwner(display, owned);
  std::optional<long> factor;
  if (manager != None) {
    XSync(display, False);
    const auto previous = XSetErrorHandler(errorIgnored);
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, manager, settings, 0, kMostSettingsWords, False, settings, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && actualType == settings && format == 8)
      factor = xsettingsInteger(data, count, "Gdk/WindowScalingFactor");
    if (data != nullptr) XFree(data);
    XSync(display, False);
    XSetErrorHandler(previous);
  }
  return factor;
}

}  // namespace

scaleSources scaleSourcesOf(Display* display) {
  scaleSources sources;
  sources.override = environmentValue("ZELQUOR_SCALE");
  sources.xftDpi = xftDpiOf(display);
  sources.gdkScale = environmentValue("GDK_SCALE");
  sources.windowScalingFactor = windowScalingFactorOf(display);
  return sources;
}

double scaleForDesktop(Display* display) {
  const scaleChoice choice = chooseScale(scaleSourcesOf(display));
  if (choice.overrideInvalid)
    std::fprintf(stderr, "zelquor: ZELQUOR_SCALE is not a scale from %g to %g (such as 1.5); it is ignored\n",
                 kSmallestOverride, kLargestScale);
  return choice.scale;
}
