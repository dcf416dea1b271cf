#include "facadeWithoutServer.h"

#include <cstdlib>

void pointAtNoServer() {
  setenv("JACK_NO_START_SERVER", "1", 1);
  setenv("JACK_DEFAULT_SERVER", "zelquorNoSuchServer", 1);
}

DspFaust* newFacadeWithoutServer() {
  pointAtNoServer();
  return new DspFaust(false);
}
