// Ending a server that the harness started as a child process: asked with
// a signal first, so that it can clean up after itself (Xvfb its display's
// lock, jackd its registry entry), and killed when it does not go in time.
#ifndef ZELQUOR_HARNESS_CHILD_STOP_H
#define ZELQUOR_HARNESS_CHILD_STOP_H

#include <sys/types.h>

#include <chrono>

constexpr std::chrono::milliseconds kChildStopGrace = std::chrono::seconds(5);

// Sends the signal, then SIGKILL if the child is still there after the
// grace; returns once it is reaped: true when the signal ended it.
bool stopChild(pid_t pid, int signal, std::chrono::milliseconds grace = kChildStopGrace);

#endif
