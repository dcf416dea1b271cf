// Pointer positions from window pixels to scene pixels, for a window drawn
// smaller than the scene: each handler, hit test and trace line then sees
// the scene pixel under the pointer, as the full-size window gives it.
#ifndef ZELQUOR_SCENE_POINTER_H
#define ZELQUOR_SCENE_POINTER_H

#include "boardEvent.h"

// The scene pixel under the centre of window pixel p, along an axis the
// window shows in windowLength pixels and the scene has sceneLength:
// floor((p + 1/2) * sceneLength / windowLength). Exact in integers, for
// positions outside the window (negative ones too) as well; p itself when
// both lengths are equal.
int sceneCoordinate(int p, unsigned windowLength, unsigned sceneLength);

// The event with its pointer position in scene pixels; others unchanged.
boardEvent toScene(boardEvent event, unsigned windowWidth, unsigned windowHeight);

#endif
