// Turns a point on the board into the gain of the pad under it.
#ifndef ZELQUOR_GAIN_LAW_H
#define ZELQUOR_GAIN_LAW_H

#include "parameterAddress.h"

// Sends the gain for the point's distance from its pad's centre to that
// pad's parameter, and traces it. A point on no pad sends and writes nothing.
void gain(int x, int y);

// The least gain the law gives, at its cap, and the most, at a pad's centre.
float lowestGain();
float highestGain();

// A pad's parameter address as it was sent, for a trace line.
struct padAddress {
  char text[kAddressSize];
};

// Sends 0 to the pad's parameter: its channel falls silent. The address
// made from kNone names no parameter, and the engine changes nothing.
padAddress silencePad(int number);

#endif
