#include "fakePointer.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <jack/jack.h>

#include <stdexcept>

namespace {

// The XTest client library comes with xdotool, without its headers: its two
// calls are looked up by name, with the signatures of its manual page.
constexpr char kXTestLibrary[] = "libXtst.so.6";
constexpr unsigned int kLeftButton = 1;
constexpr unsigned long kNoDelay = 0;
constexpr int kCurrentScreen = -1;

}  // namespace

FakePointer::FakePointer(const std::string& displayName) {
  library_ = dlopen(kXTestLibrary, RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) throw std::runtime_error(std::string("no XTest library: ") + dlerror());
  fakeMotion_ = reinterpret_cast<motionFunction>(dlsym(library_, "XTestFakeMotionEvent"));
  fakeButton_ = reinterpret_cast<buttonFunction>(dlsym(library_, "XTestFakeButtonEvent"));
  display_ = XOpenDisplay(displayName.c_str());
  if (fakeMotion_ == nullptr || fakeButton_ == nullptr || display_ == nullptr) {
    if (display_ != nullptr) XCloseDisplay(display_);
    dlclose(library_);
    throw std::runtime_error("cannot drive the pointer of display " + displayName);
  }
}

FakePointer::~FakePointer() {
  XCloseDisplay(display_);
  dlclose(library_);
}

jack_time_t FakePointer::moveTo(int x, int y) {
  fakeMotion_(display_, kCurrentScreen, x, y, kNoDelay);
  const jack_time_t now = jack_get_time();
  XFlush(display_);
  return now;
}

void FakePointer::moveUntimed(int x, int y) {
  fakeMotion_(display_, kCurrentScreen, x, y, kNoDelay);
  XFlush(display_);
}

void FakePointer::leftButton(bool press) {
  fakeButton_(display_, kLeftButton, press ? True : False, kNoDelay);
  XSync(display_, False);
}
