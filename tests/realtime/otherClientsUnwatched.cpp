// In the thread-sanitizer run of the engine tests, the process callbacks of
// JACK clients other than the engine (the tests' probe) run unwatched by the
// sanitizer. The probe's thread touches only the engine's port buffers, in
// an order that the JACK server sets through futexes in shared memory, which
// the sanitizer cannot see; watched, every sample would be reported. The
// engine's own callback stays watched, so a race between its processing
// thread and the thread that writes gains is still reported.
#include <dlfcn.h>
#include <jack/jack.h>

#include <atomic>
#include <cstring>

#include "boardFacts.h"

extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();

namespace {

constexpr int kMaxClients = 16;

struct wrappedCallback {
  JackProcessCallback callback = nullptr;
  void* argument = nullptr;
};

wrappedCallback wrapped[kMaxClients];
std::atomic<int> wrappedCount{0};

using setProcessCallback = int (*)(jack_client_t*, JackProcessCallback, void*);

int unwatchedProcess(jack_nframes_t frames, void* argument) {
  const auto& entry = *static_cast<const wrappedCallback*>(argument);
  __tsan_ignore_thread_begin();
  const int result = entry.callback(frames, entry.argument);
  __tsan_ignore_thread_end();
  return result;
}

}  // namespace

extern "C" int jack_set_process_callback(jack_client_t* client, JackProcessCallback callback, void* argument) {
  static const auto real = reinterpret_cast<setProcessCallback>(dlsym(RTLD_NEXT, "jack_set_process_callback"));
  if (real == nullptr) return -1;
  if (std::strcmp(jack_get_client_name(client), kProgramClientName.c_str()) == 0)
    return real(client, callback, argument);
  const int slot = wrappedCount.load();
  if (slot >= kMaxClients) return -1;
  wrapped[slot] = {callback, argument};
  wrappedCount.store(slot + 1);
  return real(client, unwatchedProcess, &wrapped[slot]);
}
