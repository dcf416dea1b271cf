// What the engine does when the audio server goes away under it.
#ifndef ZELQUOR_SERVER_SHUTDOWN_H
#define ZELQUOR_SERVER_SHUTDOWN_H

// Installed as the audio driver's shutdown callback. The driver has already
// written the server's reason on standard error; this ends the process with
// status 1 at once, from the audio library's thread.
void endOnServerShutdown(const char* reason, void* arg);

#endif
