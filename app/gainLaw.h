// Turns a point on the board into the gain of the pad under it.
#ifndef ZELQUOR_GAIN_LAW_H
#define ZELQUOR_GAIN_LAW_H

#include "parameterAddress.h"

// Sends the gain for the point's distance from its pad's centre to that
// pad's parameter, and traces it. A point on no pad sends and writes nothing.
void gain(int x, int y);

// Sends 0 to the pad's parameter: its channel falls silent.
void silencePad(int number);

#endif
