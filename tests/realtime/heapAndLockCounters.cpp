// Replaces the process's allocation and mutex functions: each counts the
// call into the calling thread's tally, if any, then forwards to the C
// library's own implementation. Nothing here allocates or locks, so the
// counting cannot count itself.
#include <errno.h>
#include <pthread.h>
#include <stdlib.h>

#include <cstddef>
#include <new>

#include "callTally.h"

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
// The C library's mutex functions under their older exported names, which
// this file's own definitions do not shadow.
int libcMutexLock(pthread_mutex_t* mutex) __asm__("__pthread_mutex_lock");
int libcMutexTrylock(pthread_mutex_t* mutex) __asm__("__pthread_mutex_trylock");
}
__asm__(".symver __pthread_mutex_lock, __pthread_mutex_lock@GLIBC_2.2.5");
__asm__(".symver __pthread_mutex_trylock, __pthread_mutex_trylock@GLIBC_2.2.5");

namespace {

// Plain pointer in static TLS: reading it neither allocates nor locks.
thread_local callTally* tally = nullptr;

void countAllocation() {
  if (tally != nullptr) tally->allocations.fetch_add(1, std::memory_order_relaxed);
}

void countFree() {
  if (tally != nullptr) tally->frees.fetch_add(1, std::memory_order_relaxed);
}

void countLock() {
  if (tally != nullptr) tally->locks.fetch_add(1, std::memory_order_relaxed);
}

void* allocateOrThrow(std::size_t size) {
  countAllocation();
  void* block = __libc_malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void release(void* block) {
  countFree();
  __libc_free(block);
}

}  // namespace

void watchThisThread(callTally* watched) { tally = watched; }
callTally* watchedTally() { return tally; }

extern "C" {

void* malloc(std::size_t size) noexcept {
  countAllocation();
  return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept {
  countAllocation();
  return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) noexcept {
  countAllocation();
  return __libc_realloc(block, size);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept {
  countAllocation();
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
  countAllocation();
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) noexcept {
  countAllocation();
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
  void* result = __libc_memalign(alignment, size);
  if (result == nullptr) return ENOMEM;
  *block = result;
  return 0;
}

void free(void* block) noexcept {
  countFree();
  __libc_free(block);
}

int pthread_mutex_lock(pthread_mutex_t* mutex) noexcept {
  countLock();
  return libcMutexLock(mutex);
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) noexcept {
  countLock();
  return libcMutexTrylock(mutex);
}

}  // extern "C"

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  countAllocation();
  return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  countAllocation();
  return __libc_malloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
