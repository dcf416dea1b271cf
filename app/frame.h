// Drawing one frame of the window from the board model.
#ifndef ZELQUOR_FRAME_H
#define ZELQUOR_FRAME_H

#include "images.h"

void drawFrame(images& shown);

#endif
