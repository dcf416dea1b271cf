#include "inputWait.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <poll.h>

#include "displayCheck.h"
#include "endSignals.h"

// Why the loop waits this way. The graphics library's own wait sleeps 10 ms
// between checks, which would add up to a frame's pickup to every press;
// the two connections' descriptors wake the thread as soon as the server
// writes to either.
//
// The window's events arrive on the library's one process-wide connection,
// the one it draws through, which glXGetCurrentDisplay gives while the
// window's context is current (after each frame it is). Xlib may keep
// events in its own queue that are no longer on the socket: those the
// library's poll does not take, such as a MappingNotify, which names no
// window, stay there for ever. So whether to wait is decided from the poll
// that found nothing, never from XPending on that connection; that poll has
// read the socket, so whatever comes afterwards wakes the wait.
//
// The library selects no exposures on its window, and its poll takes every
// event of the window from its connection, so exposures go to the program's
// own connection, where nothing else takes them. The window manager's close
// message comes on the library's connection only: the wait watches both.

namespace {

Display* ownConnection() { return keptDisplay(); }

}  // namespace

void watchExposures(unsigned long windowHandle) {
  Display* own = ownConnection();
  XSelectInput(own, windowHandle, ExposureMask);
  // Done before the first frame: an exposure after it is then reported.
  XSync(own, False);
}

bool takeExposures() {
  Display* own = ownConnection();
  bool exposed = false;
  // Every event is taken, whatever it is: this connection's queue is then
  // empty, and its socket is all the wait has to watch.
  while (XPending(own) > 0) {
    XEvent event;
    XNextEvent(own, &event);
    if (event.type == Expose) exposed = true;
  }
  return exposed;
}

namespace {

struct queueLook {
  Window window;
  bool found;
};

// Called by Xlib for each queued event; takes none (Xlib functions may not
// be called from here).
Bool noteLibraryEvent(Display*, XEvent* event, XPointer look) {
  queueLook& seen = *reinterpret_cast<queueLook*>(look);
  const int type = event->type;
  if (event->xany.window == seen.window || type == ClientMessage || type == GenericEvent) seen.found = true;
  return False;
}

}  // namespace

bool libraryEventQueued(unsigned long windowHandle) {
  Display* library = glXGetCurrentDisplay();
  if (library == nullptr) return false;
  queueLook seen{windowHandle, false};
  XEvent unused;
  // Looks at the queue, reads the socket, looks again, flushes, looks again.
  XCheckIfEvent(library, &unused, noteLibraryEvent, reinterpret_cast<XPointer>(&seen));
  return seen.found;
}

bool waitForInput() {
  Display* library = glXGetCurrentDisplay();
  if (library == nullptr) return false;
  pollfd watched[] = {{ConnectionNumber(library), POLLIN, 0},
                      {ConnectionNumber(ownConnection()), POLLIN, 0},
                      {endSignalDescriptor(), POLLIN, 0}};
  // An end signal ends the wait through its pipe (endSignals.h); any other
  // signal ends it too, and the loop then simply looks again.
  poll(watched, sizeof watched / sizeof watched[0], -1);
  return true;
}
