#include "inputWait.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <poll.h>

#include "displayCheck.h"
#include "endSignals.h"
#include "refreshRate.h"

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

void watchWindow(unsigned long windowHandle) {
  Display* own = ownConnection();
  // StructureNotifyMask: the window moved, perhaps to another monitor.
  XSelectInput(own, windowHandle, ExposureMask | StructureNotifyMask);
  watchScreenChanges(own);
  // Done before the first frame: an exposure after it is then reported.
  XSync(own, False);
}

windowNews takeWindowNews() {
  Display* own = ownConnection();
  windowNews news;
  // Every event is taken, whatever it is: this connection's queue is then
  // empty, and its socket is all the wait has to watch.
  while (XPending(own) > 0) {
    XEvent event;
    XNextEvent(own, &event);
    if (event.type == Expose) news.exposed = true;
    else if (changesRefreshRate(own, event)) news.screenChanged = true;
  }
  return news;
}

double refreshRateOfWindow(unsigned long windowHandle) { return refreshRateUnder(ownConnection(), windowHandle); }

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

namespace {

// Room for every descriptor the wait may watch.
constexpr nfds_t kMostWatched = 4;

struct watchedSet {
  pollfd entries[kMostWatched] = {};
  nfds_t count = 0;
  void add(int descriptor) {
    if (count < kMostWatched) entries[count++] = {descriptor, POLLIN, 0};
  }
};

// The one list of what wakes the wait.
watchedSet watchedDescriptors(Display* library) {
  watchedSet watched;
  watched.add(ConnectionNumber(library));
  watched.add(ConnectionNumber(ownConnection()));
  watched.add(endSignalDescriptor());
  return watched;
}

}  // namespace

bool waitForInput(int milliseconds) {
  Display* library = glXGetCurrentDisplay();
  if (library == nullptr) return false;
  watchedSet watched = watchedDescriptors(library);
  // An end signal ends the wait through its pipe (endSignals.h); any other
  // signal ends it too, and the loop then simply looks again.
  poll(watched.entries, watched.count, milliseconds);
  return true;
}
