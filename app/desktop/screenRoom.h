// What the X server tells about the room for the window before it is shown:
// the work area on the monitor it opens on, and the window manager's frame.
#ifndef ZELQUOR_SCREEN_ROOM_H
#define ZELQUOR_SCREEN_ROOM_H

#include "windowSize.h"

typedef struct _XDisplay Display;

// The window manager's work area (_NET_WORKAREA of the current desktop)
// intersected with the primary monitor (the first one when none is
// primary); the monitor alone without a window manager, which is what
// keeps _NET_WORKAREA up to date.
screenRect screenRoomOf(Display* display);

// The frame the window manager puts around a normal window, asked with
// _NET_REQUEST_FRAME_EXTENTS; nothing without a window manager, and
// kAssumedFrame when it does not offer that request, does not answer in
// time or answers with no frame at all.
frameExtents frameOf(Display* display);

// A title bar and borders at least as large as those of the common
// desktops' window managers.
constexpr frameExtents kAssumedFrame{8, 8, 48, 8};

// The window for this screen, from the two above and the desktop's scale;
// says on standard error when the room is smaller than the program
// supports.
windowChoice windowForScreen(Display* display);

#endif
