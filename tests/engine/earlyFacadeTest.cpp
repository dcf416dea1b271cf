// A program whose own static initialisation creates the facade, as the board
// application does: the engine library's static objects must already exist
// then, whatever the link order. Run without a server (the ctest entry sets
// the environment before the process starts).
#include <cstdio>
#include <string>

#include "DspFaust.h"

DspFaust* earlyFacade = new DspFaust(false);

int main() {
  int failures = 0;
  auto check = [&failures](bool ok, const char* what) {
    if (!ok) {
      std::fprintf(stderr, "FAILED: %s\n", what);
      ++failures;
    }
  };
  check(earlyFacade->getParamsCount() == 64, "64 parameters");
  earlyFacade->setParamValue("/Canaux0/canal17", 0.705621f);
  check(earlyFacade->getParamValue("/Canaux0/canal17") == 0.705621f, "a write lands");
  check(!earlyFacade->start(), "start fails without a server");
  earlyFacade->stop();
  return failures == 0 ? 0 : 1;
}
