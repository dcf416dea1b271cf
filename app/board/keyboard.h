// The keys: S, G and T choose the move mode, D takes tokens off the board in
// the current mode. The mouse wheel has no function.
#ifndef ZELQUOR_KEYBOARD_H
#define ZELQUOR_KEYBOARD_H

#include "boardEvent.h"

void onKeyPressed(boardEvent event);
void mouseWheel(boardEvent event);

#endif
