// Moving tokens with the pointer after a press on the board: the pressed
// token alone, its group, or every token, as mvType says at each step.
#ifndef ZELQUOR_DRAGGING_H
#define ZELQUOR_DRAGGING_H

void start_drag(int g, int x, int y);
void drag_mouseMove(int x, int y);
void drag_onmouseup();

#endif
