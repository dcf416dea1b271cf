// The program's one loop: hand each waiting event to its handler, then
// redraw the whole window.
#ifndef ZELQUOR_EVENT_LOOP_H
#define ZELQUOR_EVENT_LOOP_H

#include "images.h"

void runEventLoop(images& shown);

#endif
