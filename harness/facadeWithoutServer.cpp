#include "facadeWithoutServer.h"

#include <cstdlib>

#include "ownShm.h"

namespace {

// Before any JACK program of this process starts (ownShm.h).
[[maybe_unused]] const bool ownShmTaken = takeOwnShm();

}  // namespace

void pointAtNoServer() {
  setenv("JACK_NO_START_SERVER", "1", 1);
  setenv("JACK_DEFAULT_SERVER", "zelquorNoSuchServer", 1);
}

DspFaust* newFacadeWithoutServer() {
  pointAtNoServer();
  return new DspFaust(false);
}
