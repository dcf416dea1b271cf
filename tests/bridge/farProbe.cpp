// The probe on the far JACK server of the bridge test, in a process of its
// own: the JACK library serves one server per process, and the test's own
// probe is on the program's server. It listens to the receiving bridge's
// 63 outputs and writes the gains it hears as one line every few cycles:
// "gains:" and the 63 gains, channel 0 first.
// Usage: farProbe SOURCE_STEM, e.g. "zita-n2j:out_" (ports numbered from 1).
#include <jack/jack.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "jackProbe.h"

namespace {

constexpr int kReportCycles = 8;
constexpr auto kPortWait = std::chrono::seconds(10);

bool portAppears(jack_client_t* client, const std::string& name) {
  const auto deadline = std::chrono::steady_clock::now() + kPortWait;
  while (jack_port_by_name(client, name.c_str()) == nullptr) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: farProbe SOURCE_STEM\n";
    return 2;
  }
  const std::string stem = argv[1];
  JackProbe probe;
  const std::string self = jack_get_client_name(probe.client());
  if (!portAppears(probe.client(), stem + std::to_string(JackProbe::kChannels))) {
    std::cerr << "farProbe: no port " << stem << JackProbe::kChannels << "\n";
    return 1;
  }
  for (int k = 0; k < JackProbe::kChannels; ++k) {
    const std::string source = stem + std::to_string(k + 1);
    const std::string sink = self + ":measure_" + std::to_string(k);
    if (jack_connect(probe.client(), source.c_str(), sink.c_str()) != 0) {
      std::cerr << "farProbe: cannot connect " << source << "\n";
      return 1;
    }
  }
  while (probe.waitCycles(kReportCycles)) {
    std::printf("gains:");
    for (const float gain : probe.gains()) std::printf(" %.9g", gain);
    std::printf("\n");
    std::fflush(stdout);
  }
  std::cerr << "farProbe: the server stopped running cycles\n";
  return 1;
}
