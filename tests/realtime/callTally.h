// Counts of heap and lock calls made by one thread while it is watched.
// The allocation and lock functions of the whole process are replaced in
// the test executable (heapAndLockCounters.cpp); a thread adds to the tally
// that it currently points at, and other threads count nothing.
#ifndef ZELQUOR_TESTS_CALL_TALLY_H
#define ZELQUOR_TESTS_CALL_TALLY_H

#include <atomic>

struct callTally {
  std::atomic<long> allocations{0};  // malloc, calloc, realloc, aligned forms, operator new
  std::atomic<long> frees{0};        // free, operator delete
  std::atomic<long> locks{0};        // pthread_mutex_lock and _trylock

  struct snapshot {
    long allocations;
    long frees;
    long locks;
  };
  snapshot read() const { return {allocations.load(), frees.load(), locks.load()}; }
};

// The tally that the calling thread adds to; null counts nothing.
void watchThisThread(callTally* tally);
callTally* watchedTally();

#endif
