// Watches the JACK process callbacks of this process: every callback that a
// client registers is wrapped so that, while it runs, its thread counts heap
// and lock calls into that client's tally.
#ifndef ZELQUOR_TESTS_PROCESS_CALLBACK_WATCH_H
#define ZELQUOR_TESTS_PROCESS_CALLBACK_WATCH_H

#include <pthread.h>

#include <atomic>
#include <string>

#include "callTally.h"

struct watchedClient {
  char name[64];
  callTally inCycle;        // calls made inside the client's process callback
  callTally betweenCycles;  // calls made by the same thread outside it
  std::atomic<long> cycles{0};
  std::atomic<pthread_t> thread{};
  std::atomic<bool> threadSeen{false};
};

// The client that registered a process callback last under that name, or null.
watchedClient* findWatchedClient(const std::string& name);

#endif
