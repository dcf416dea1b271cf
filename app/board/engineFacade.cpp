#include "engineFacade.h"

#include "traceLine.h"

void traceRunning() { traceLine("Faust is Running =", dspFaust->isRunning()); }
