#include <thread>

#include "systemMeasures.h"

namespace {
constexpr auto kWarmUp = std::chrono::seconds(1);
constexpr auto kSampleStep = std::chrono::milliseconds(100);
}  // namespace

double averageDspLoad(jack_client_t* client, double seconds) {
  std::this_thread::sleep_for(kWarmUp);
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  double sum = 0;
  int samples = 0;
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(kSampleStep);
    sum += jack_cpu_load(client);
    ++samples;
  }
  return samples > 0 ? sum / samples : 0.0;
}
