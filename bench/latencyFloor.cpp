// The least a program can do to turn a pointer move into a gain: an X window
// that draws nothing and waits for its events, and a JACK client whose next
// cycle reads the gain that each motion event computes for the pad under
// the pointer (the board's gain law, from the harness's facts). What it
// takes from a move to the audio is what the X server and JACK cost.
//
// Usage: latencyFloor   (prints "floor running =1" once its client runs)
#include <X11/Xlib.h>

#include <iostream>

#include "boardFacts.h"
#include "floorClient.h"
#include "sceneLayout.h"

namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1280;
constexpr int kPadSize = 116;
constexpr char kClientName[] = "zelquorLatencyFloor";

// The pad whose square holds the point, or -1.
int padAt(int x, int y) {
  for (int pad = 0; pad < kPadTotal; ++pad)
    if (x >= padCornerX(pad) && x < padCornerX(pad) + kPadSize && y >= padCornerY(pad) &&
        y < padCornerY(pad) + kPadSize)
      return pad;
  return -1;
}

void onMotion(FloorClient& client, const XMotionEvent& motion) {
  const int pad = padAt(motion.x, motion.y);
  if (pad >= 0) client.setGain(channelOfPad(pad), lawGain(lawDistance(pad, motion.x, motion.y)));
}

}  // namespace

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), (kScreenWidth - kSceneWidth) / 2,
                                            (kScreenHeight - kSceneHeight) / 2, kSceneWidth, kSceneHeight, 0,
                                            BlackPixel(display, 0), BlackPixel(display, 0));
  XStoreName(display, window, kProgramWindowTitle.c_str());
  Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &closeRequest, 1);
  XSelectInput(display, window, PointerMotionMask | ButtonPressMask | ButtonReleaseMask);
  XMapWindow(display, window);
  XFlush(display);

  FloorClient client(kClientName, true);
  std::cout << "floor running =" << client.activate() << std::endl;
  for (bool open = true; open;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MotionNotify) onMotion(client, event.xmotion);
    else if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == closeRequest) open = false;
  }
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
