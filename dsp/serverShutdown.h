// What the engine does when the audio server goes away under it.
#ifndef ZELQUOR_SERVER_SHUTDOWN_H
#define ZELQUOR_SERVER_SHUTDOWN_H

#include <jack/jack.h>

// The JACK library tells a client that its server went away through one of
// two callbacks: the informative one, with the server's reason, or the plain
// one. jackd calls the informative one when a client set it, else the plain
// one; other servers' JACK layers may call only the plain one. Both are
// installed, and whichever comes first writes one reason line on standard
// error and ends the process with status 1 at once, from the library's
// thread.
void endOnInfoShutdown(jack_status_t code, const char* reason, void* arg);
void endOnShutdown(void* arg);

#endif
