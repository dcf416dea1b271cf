#include <csignal>
#include <iostream>

#include "DspFaust.h"

// Created last among the static objects, once the engine library's own
// static state exists; never deleted.
DspFaust* dspFaust = new DspFaust(false);

namespace {
volatile std::sig_atomic_t quitRequested = 0;
void requestQuit(int) { quitRequested = 1; }
}  // namespace

int main() {
  std::signal(SIGINT, requestQuit);
  std::signal(SIGTERM, requestQuit);
  dspFaust->start();
  std::cout << "Faust is Running =" << dspFaust->isRunning() << std::endl;
  while (!quitRequested) pause();
  dspFaust->stop();
  std::cout << "Faust is Running =" << dspFaust->isRunning() << std::endl;
  return 0;
}
