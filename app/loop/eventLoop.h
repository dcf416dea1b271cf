// The program's one loop: hand each event to its handler as it comes, and
// redraw the whole window when something changed, no faster than the
// screen refreshes; when nothing changed, sleep until an event comes
// instead of drawing the same frame again.
#ifndef ZELQUOR_EVENT_LOOP_H
#define ZELQUOR_EVENT_LOOP_H

#include "images.h"

void runEventLoop(images& shown);

#endif
