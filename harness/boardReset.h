// The board model put back as the program starts, for what drives the
// board's handlers directly, one case or one run after another.
#ifndef ZELQUOR_HARNESS_BOARD_RESET_H
#define ZELQUOR_HARNESS_BOARD_RESET_H

// The interaction state (type, selection, drag, move mode, drag offsets) at
// its start-up values, then the board and every token as main sets them.
void resetBoardModel();

#endif
