#include "processCallbackWatch.h"

#include <dlfcn.h>
#include <jack/jack.h>

#include <cstring>

namespace {

constexpr int kMaxClients = 16;

struct wrappedCallback {
  JackProcessCallback callback = nullptr;
  void* argument = nullptr;
  watchedClient client;
};

wrappedCallback wrapped[kMaxClients];
std::atomic<int> wrappedCount{0};

using setProcessCallback = int (*)(jack_client_t*, JackProcessCallback, void*);

setProcessCallback libjackSetProcessCallback() {
  static const auto real = reinterpret_cast<setProcessCallback>(dlsym(RTLD_NEXT, "jack_set_process_callback"));
  return real;
}

// Runs on the client's processing thread. From the first cycle on, the
// thread counts into betweenCycles, and into inCycle while the callback runs.
int watchedProcess(jack_nframes_t frames, void* argument) {
  auto& entry = *static_cast<wrappedCallback*>(argument);
  watchedClient& client = entry.client;
  if (!client.threadSeen.load(std::memory_order_relaxed)) {
    client.thread.store(pthread_self());
    client.threadSeen.store(true);
  }
  watchThisThread(&client.inCycle);
  const int result = entry.callback(frames, entry.argument);
  watchThisThread(&client.betweenCycles);
  client.cycles.fetch_add(1, std::memory_order_relaxed);
  return result;
}

}  // namespace

watchedClient* findWatchedClient(const std::string& name) {
  for (int i = wrappedCount.load() - 1; i >= 0; --i)
    if (name == wrapped[i].client.name) return &wrapped[i].client;
  return nullptr;
}

// Every process callback registered in this process, the engine facade's
// included (it calls this from its shared library), goes through here.
extern "C" int jack_set_process_callback(jack_client_t* client, JackProcessCallback callback, void* argument) {
  const int slot = wrappedCount.load();
  // Refused rather than left unwatched: the client then never runs a cycle.
  if (slot >= kMaxClients) return -1;
  wrappedCallback& entry = wrapped[slot];
  entry.callback = callback;
  entry.argument = argument;
  std::strncpy(entry.client.name, jack_get_client_name(client), sizeof entry.client.name - 1);
  wrappedCount.store(slot + 1);
  const setProcessCallback real = libjackSetProcessCallback();
  return real == nullptr ? -1 : real(client, watchedProcess, &entry);
}
