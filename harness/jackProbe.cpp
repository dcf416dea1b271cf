#include "jackProbe.h"

#include <chrono>
#include <thread>

namespace {
constexpr auto kCycleTimeout = std::chrono::seconds(5);
// The JACK layer of PipeWire 1.4 and 1.6 stayed silent for up to half a second
// after a quantum change, on two busy cores without real-time scheduling.
constexpr auto kSignalTimeout = std::chrono::seconds(10);
}  // namespace

JackProbe::JackProbe(const std::string& clientName) : channels_("probe", clientName, "feed_", "measure_") {
  channels_.start(process, this);
}

JackProbe::~JackProbe() = default;

void JackProbe::connectTo(const std::string& target) { channels_.connectTo(target); }

int JackProbe::process(jack_nframes_t frames, void* self) { return static_cast<JackProbe*>(self)->onCycle(frames); }

int JackProbe::onCycle(jack_nframes_t frames) {
  bool allSteady = true;
  bool signal = false;
  for (int k = 0; k < kChannels; ++k) {
    float* feed = channels_.output(k, frames);
    for (jack_nframes_t i = 0; i < frames; ++i) feed[i] = kLevel;
    const float* measured = channels_.input(k, frames);
    bool same = true;
    for (jack_nframes_t i = 1; i < frames; ++i) same = same && measured[i] == measured[0];
    last_[k].store(measured[frames - 1]);
    steady_[k].store(same);
    allSteady = allSteady && same;
    signal = signal || !same || measured[0] != 0.0f;
  }
  if (!allSteady) unsteadyCycles_.fetch_add(1);
  noteSignal(signal, frames);
  cycles_.fetch_add(1);
  return 0;
}

void JackProbe::noteSignal(bool signal, jack_nframes_t frames) {
  if (!signal) {
    signalRun_.store(0);
    return;
  }
  for (int k = 0; k < kChannels; ++k) heard_[k].store(last_[k].load());
  signalRun_.store(signalFrames_.load() == frames ? signalRun_.load() + 1 : 1);
  signalFrames_.store(frames);
}

float JackProbe::gain(int channel) const { return last_[channel].load() / kLevel; }

std::array<float, JackProbe::kChannels> JackProbe::gains() const {
  std::array<float, kChannels> all{};
  for (int k = 0; k < kChannels; ++k) all[k] = gain(k);
  return all;
}

bool JackProbe::steady(int channel) const { return steady_[channel].load(); }

bool JackProbe::waitCycles(int count) const {
  const long target = cycles_.load() + count;
  const auto deadline = std::chrono::steady_clock::now() + kCycleTimeout;
  while (cycles_.load() < target) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool JackProbe::waitForSignal(jack_nframes_t frames, int count) const {
  const long target = cycles_.load() + count;
  const auto deadline = std::chrono::steady_clock::now() + kSignalTimeout;
  while (cycles_.load() < target || signalFrames_.load() != frames || signalRun_.load() < count) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::array<float, JackProbe::kChannels> JackProbe::heardGains() const {
  std::array<float, kChannels> all{};
  for (int k = 0; k < kChannels; ++k) all[k] = heard_[k].load() / kLevel;
  return all;
}

std::vector<std::string> JackProbe::connectionsOf(const std::string& port) const {
  std::vector<std::string> result;
  jack_port_t* handle = jack_port_by_name(client(), port.c_str());
  if (handle == nullptr) return result;
  const char** names = jack_port_get_all_connections(client(), handle);
  for (int i = 0; names != nullptr && names[i] != nullptr; ++i) result.emplace_back(names[i]);
  if (names != nullptr) jack_free(names);
  return result;
}

int JackProbe::portCountOf(const std::string& clientName) const {
  const char** ports = jack_get_ports(client(), ("^" + clientName + ":").c_str(), nullptr, 0);
  int count = 0;
  while (ports != nullptr && ports[count] != nullptr) ++count;
  if (ports != nullptr) jack_free(ports);
  return count;
}
