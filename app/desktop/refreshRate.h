// The refresh rate of the monitor that shows the window, as the X server's
// RandR extension describes it, and the notifications after which it is to
// be read again.
#ifndef ZELQUOR_REFRESH_RATE_H
#define ZELQUOR_REFRESH_RATE_H

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

// Asks the server, on this connection, to report changes of the screen's
// configuration: modes, monitors, their places.
void watchScreenChanges(Display* display);

// Whether the event (read on that connection) may have changed the rate
// under the window: a change of the screen, or the window moved (a
// ConfigureNotify, selected with the window's other events); brings Xlib's
// idea of the screen up to date.
bool changesRefreshRate(Display* display, XEvent& event);

// The rate in Hz of the mode of the CRTC under the window's centre (the
// first lit one when none is); 0 where the server does not tell.
double refreshRateUnder(Display* display, unsigned long windowHandle);

#endif
