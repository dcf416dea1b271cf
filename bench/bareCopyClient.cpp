// The bare JACK client that the program's audio load is compared with: the
// program's 126 ports, each output a copy of its input, nothing else. It
// writes one line once it runs and ends on SIGTERM or SIGINT.
#include <signal.h>

#include <cstdio>

#include "floorClient.h"

namespace {
constexpr char kClientName[] = "zelquorBareCopy";
}

int main() {
  sigset_t endSignals;
  sigemptyset(&endSignals);
  sigaddset(&endSignals, SIGTERM);
  sigaddset(&endSignals, SIGINT);
  // Blocked before the client starts its threads, so they inherit the mask.
  pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);
  FloorClient client(kClientName);
  std::printf("bare client running =%d\n", client.activate() ? 1 : 0);
  std::fflush(stdout);
  int received = 0;
  sigwait(&endSignals, &received);
  return 0;
}
