// The real engine facade with no audio server to answer: it opens no client
// but takes and keeps parameter writes, which is what the board's handlers,
// their tests and their benchmarks need. The program's driver keeps the
// engine whole without a client on every release of the engine library.
#ifndef ZELQUOR_HARNESS_FACADE_WITHOUT_SERVER_H
#define ZELQUOR_HARNESS_FACADE_WITHOUT_SERVER_H

#include "DspFaust.h"

// Points the audio client library of this process at a server that does not
// exist, and forbids it to start one. The library prints
// "JACK server not running ?" on standard error when the facade is created.
void pointAtNoServer();

// A new facade, created after pointAtNoServer().
DspFaust* newFacadeWithoutServer();

#endif
