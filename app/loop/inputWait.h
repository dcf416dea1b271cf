// Where the event loop sleeps when it has nothing new to show, or nothing
// it may show yet: until the window's X connection, or the program's own
// connection that watches the window's exposures and the screen, has
// something to read, or until the next frame is due.
#ifndef ZELQUOR_INPUT_WAIT_H
#define ZELQUOR_INPUT_WAIT_H

// Asks the X server, on the connection the program keeps open
// (displayCheck.h), to report every part of the window that is exposed,
// and the changes of the screen and of the window's place (refreshRate.h).
void watchWindow(unsigned long windowHandle);

// What that connection brought since the last call.
struct windowNews {
  bool exposed = false;        // part of the window needs drawing again
  bool screenChanged = false;  // the refresh rate under it may differ
};

// Reads everything that connection holds.
windowNews takeWindowNews();

// The refresh rate of the monitor under the window, in Hz; 0 when unknown.
double refreshRateOfWindow(unsigned long windowHandle);

// Whether Xlib holds, already read from the library's connection, an event
// that the library's next poll will take (one for the window, a client
// message or an extension's generic event) and that no earlier look saw.
// Such an event can come in after the poll looked at the queue, read from
// the socket by a later check of the library's own (its clipboard's) or by
// this one; the socket then has nothing to wake the wait. One that an
// earlier look saw has been offered to the library's poll since, and is
// none it takes. Reads what the socket holds, takes nothing.
bool libraryEventQueued(unsigned long windowHandle);

// Blocks until either connection has data, a signal comes, or the given
// number of milliseconds has passed (-1: no limit). Call it only right
// after a look (libraryEventQueued) that found nothing and before any other
// call on the library's connection: that look has read the connection and
// flushed what was waiting to be sent. Where the library's connection
// cannot be found (a build of the library that does not draw through GLX),
// it says so once on stderr and waits a few milliseconds at most, so that
// the loop polls the window's events without spinning.
constexpr int kNoTimeLimit = -1;
void waitForInput(int milliseconds);

#endif
