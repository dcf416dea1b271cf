// Hands a window event to the board's handler for its type, as the event
// loop does; event types without one are ignored. Closing the window is
// the event loop's own business.
#ifndef ZELQUOR_EVENT_DISPATCH_H
#define ZELQUOR_EVENT_DISPATCH_H

#include "boardEvent.h"

void dispatchBoardEvent(const boardEvent& event);

#endif
