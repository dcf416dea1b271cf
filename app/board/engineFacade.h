// The one engine facade through which the board hands gains to the audio.
#ifndef ZELQUOR_ENGINE_FACADE_H
#define ZELQUOR_ENGINE_FACADE_H

#include "DspFaust.h"

extern DspFaust* dspFaust;

// Writes "Faust is Running =" and whether the engine runs.
void traceRunning();

#endif
