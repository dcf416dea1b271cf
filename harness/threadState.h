// What the kernel tells of a running program's threads: the CPU time they
// took, how often the main thread woke, and whether the main thread sleeps
// in the wait of its event loop.
#ifndef ZELQUOR_HARNESS_THREAD_STATE_H
#define ZELQUOR_HARNESS_THREAD_STATE_H

#include <sys/types.h>

#include "appProcess.h"

// CPU time, user and system, in clock ticks (sysconf(_SC_CLK_TCK) a second):
// of the whole process, all its threads included, and of its main thread.
long processCpuTicks(pid_t pid);
long mainThreadCpuTicks(pid_t pid);
// How often the main thread gave up the processor of itself (it blocked,
// and so woke again): its voluntary context switches so far.
long mainThreadWakeUps(pid_t pid);

// Whether the main thread is blocked in poll() on three descriptors without
// a time limit, where the program's loop waits for input once it has drawn
// all it was given (with a limit, a frame is still to come).
bool mainThreadWaitsInPoll(pid_t pid);
bool waitUntilMainThreadWaitsInPoll(pid_t pid, Timeout timeout = kDefaultTimeout);

#endif
