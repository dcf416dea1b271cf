#include "inputWait.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "displayCheck.h"
#include "endSignals.h"
#include "refreshRate.h"

// Last: besides the layout of Xlib's queue it defines min and max as macros.
#include <X11/Xlibint.h>
#undef min
#undef max

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
// window, stay there for ever. So whether to wait is decided by a look at
// that queue that tells the events no pass has yet offered the library
// from those it left there, never by XPending on that connection; the look
// has read the socket, so whatever comes afterwards wakes the wait.
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

// Xlib numbers every event it queues, one up each time, whoever read it;
// the X protocol's serial does not tell events apart (all those that come
// between two requests share one). One past the highest number among the
// events for the library that a look has seen: each of them has been
// offered to the library's poll since, by the pass that followed the look,
// and one still queued is none the library takes.
unsigned long firstUnseenEvent = 0;

struct queueLook {
  Window window;
  unsigned long firstUnseen;  // as the look started
  unsigned long pastNewest;   // one past the newest new one it found
};

// The number Xlib gave a queued event: XCheckIfEvent hands the predicate
// the event inside its queue element, beside that number.
unsigned long queueNumberOf(const XEvent* event) {
  const char* element = reinterpret_cast<const char*>(event) - offsetof(_XQEvent, event);
  return reinterpret_cast<const _XQEvent*>(element)->qserial_num;
}

// Called by Xlib for each queued event; takes none (Xlib functions may not
// be called from here).
Bool noteLibraryEvent(Display*, XEvent* event, XPointer look) {
  queueLook& seen = *reinterpret_cast<queueLook*>(look);
  const int type = event->type;
  const bool forLibrary = event->xany.window == seen.window || type == ClientMessage || type == GenericEvent;
  const unsigned long number = queueNumberOf(event);
  if (forLibrary && number >= seen.firstUnseen) seen.pastNewest = std::max(seen.pastNewest, number + 1);
  return False;
}

}  // namespace

bool libraryEventQueued(unsigned long windowHandle) {
  Display* library = glXGetCurrentDisplay();
  if (library == nullptr) return false;
  queueLook seen{windowHandle, firstUnseenEvent, firstUnseenEvent};
  XEvent unused;
  // Looks at the queue, reads the socket, looks again, flushes, looks again.
  XCheckIfEvent(library, &unused, noteLibraryEvent, reinterpret_cast<XPointer>(&seen));
  firstUnseenEvent = seen.pastNewest;
  return seen.pastNewest != seen.firstUnseen;
}

namespace {

// Room for every descriptor the wait may watch.
constexpr nfds_t kMostWatched = 4;

// Without the library's connection, the longest the wait may last: the
// window's events then wake nothing, and only the next pass's poll finds
// them.
constexpr int kBlindWaitMilliseconds = 5;

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
  if (library != nullptr) watched.add(ConnectionNumber(library));
  watched.add(ConnectionNumber(ownConnection()));
  watched.add(endSignalDescriptor());
  return watched;
}

bool toldBlind = false;

// Says once that the window's connection is unknown; the wait's limit.
int blindWaitLimit(int milliseconds) {
  if (!toldBlind) {
    std::fprintf(stderr,
                 "zelquor: the window's X connection cannot be found (the graphics library does not draw through "
                 "GLX); its events are looked for every %d ms\n",
                 kBlindWaitMilliseconds);
    toldBlind = true;
  }
  return milliseconds == kNoTimeLimit ? kBlindWaitMilliseconds : std::min(milliseconds, kBlindWaitMilliseconds);
}

}  // namespace

void waitForInput(int milliseconds) {
  Display* library = glXGetCurrentDisplay();
  if (library == nullptr) milliseconds = blindWaitLimit(milliseconds);
  watchedSet watched = watchedDescriptors(library);
  // An end signal ends the wait through its pipe (endSignals.h); any other
  // signal ends it too, and the loop then simply looks again.
  poll(watched.entries, watched.count, milliseconds);
}
