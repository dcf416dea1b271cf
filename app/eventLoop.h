// The program's one loop: hand each waiting event to its handler, then
// redraw the whole window; when no event came and no part of the window was
// exposed, sleep until one comes instead of drawing the same frame again.
#ifndef ZELQUOR_EVENT_LOOP_H
#define ZELQUOR_EVENT_LOOP_H

#include "images.h"

void runEventLoop(images& shown);

#endif
