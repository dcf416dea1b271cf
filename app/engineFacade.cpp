#include "engineFacade.h"

#include <iostream>

void traceRunning() { std::cout << "Faust is Running =" << dspFaust->isRunning() << std::endl; }
