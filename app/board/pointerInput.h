// The mouse: the palette, placing and taking hold of tokens, the move-mode
// and mute buttons, and the logo that opens the documentation page.
#ifndef ZELQUOR_POINTER_INPUT_H
#define ZELQUOR_POINTER_INPUT_H

#include "boardEvent.h"

void onClick(boardEvent event);
void onMouseUp(boardEvent event);
void onMouseMove(boardEvent event);

#endif
