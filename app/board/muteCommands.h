// Taking tokens off the board, from the mute buttons and the D key alike.
#ifndef ZELQUOR_MUTE_COMMANDS_H
#define ZELQUOR_MUTE_COMMANDS_H

// Take the selected token, its group, or every token off the board and
// silence the channels they stood on.
void muteGen();
void muteGroup();
void muteAll();

#endif
