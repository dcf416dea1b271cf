// Where the event loop sleeps when it has nothing new to show: until the
// window's X connection, or the program's own connection that watches the
// window's exposures, has something to read.
#ifndef ZELQUOR_INPUT_WAIT_H
#define ZELQUOR_INPUT_WAIT_H

// Asks the X server, on the connection the program keeps open
// (displayCheck.h), to report every part of the window that is exposed.
void watchExposures(unsigned long windowHandle);

// Reads what that connection holds; true when part of the window was
// exposed since the last call, and so needs drawing again.
bool takeExposures();

// Whether Xlib holds, already read from the library's connection, an event
// that the library's next poll will take: one for the window, a client
// message or an extension's generic event. Such an event can come in after
// the poll looked at the queue, read from the socket by a later check of
// the library's own (its clipboard's) or by this one; the socket then has
// nothing to wake the wait. Reads what the socket holds, takes nothing.
bool libraryEventQueued(unsigned long windowHandle);

// Blocks until either connection has data, or a signal comes. Call it only
// right after a poll of the window's events that found nothing and before
// any other call on the library's connection: that poll has read the
// connection and flushed what was waiting to be sent. False, at once, when
// the library's connection cannot be found (a build of the library that
// does not draw through GLX): the loop then redraws without pause.
bool waitForInput();

#endif
