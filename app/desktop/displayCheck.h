// Whether a display can be reached before the window is made for it.
#ifndef ZELQUOR_DISPLAY_CHECK_H
#define ZELQUOR_DISPLAY_CHECK_H

// The graphics library aborts the process when it cannot reach a display.
// This ends it first, with one clear line and status 1, when there is none.
bool requireDisplay();

// The connection requireDisplay opened, kept for the whole run.
typedef struct _XDisplay Display;
Display* keptDisplay();

#endif
