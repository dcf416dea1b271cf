// Drawing one frame of the window from the board model.
#ifndef ZELQUOR_FRAME_H
#define ZELQUOR_FRAME_H

#include "images.h"

// Where the window is not the scene's size, every frame shows the whole
// scene scaled uniformly: pixel for pixel squares at two, three... times
// the scene, otherwise with the images filtered so that the pad numbers
// stay legible; at full size nothing changes.
void fitSceneToWindow(images& shown);

void drawFrame(images& shown);

#endif
