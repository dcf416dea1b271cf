#include "jackProbe.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {
constexpr auto kCycleTimeout = std::chrono::seconds(5);
constexpr int kOpenAttempts = 5;
constexpr auto kOpenRetryDelay = std::chrono::milliseconds(200);
}

JackProbe::JackProbe(const std::string& clientName) {
  // A client of another server opening at the same moment makes an open
  // fail now and then; the server is there, so try again.
  for (int attempt = 0; attempt < kOpenAttempts && client_ == nullptr; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kOpenRetryDelay);
    client_ = jack_client_open(clientName.c_str(), JackNoStartServer, nullptr);
  }
  if (client_ == nullptr) throw std::runtime_error("probe: no JACK server answers");
  for (int k = 0; k < kChannels; ++k) {
    const std::string n = std::to_string(k);
    feeds_.push_back(jack_port_register(client_, ("feed_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0));
    measures_.push_back(
        jack_port_register(client_, ("measure_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0));
  }
  jack_set_process_callback(client_, process, this);
  if (jack_activate(client_) != 0) throw std::runtime_error("probe: cannot activate");
}

JackProbe::~JackProbe() {
  if (client_ != nullptr) {
    jack_deactivate(client_);
    jack_client_close(client_);
  }
}

void JackProbe::connectTo(const std::string& target) {
  for (int k = 0; k < kChannels; ++k) {
    const std::string n = std::to_string(k);
    const std::string in = target + ":in_" + n;
    const std::string out = target + ":out_" + n;
    if (jack_connect(client_, jack_port_name(feeds_[k]), in.c_str()) != 0 ||
        jack_connect(client_, out.c_str(), jack_port_name(measures_[k])) != 0)
      throw std::runtime_error("probe: cannot connect to " + target + " channel " + n);
  }
}

int JackProbe::process(jack_nframes_t frames, void* self) { return static_cast<JackProbe*>(self)->onCycle(frames); }

int JackProbe::onCycle(jack_nframes_t frames) {
  bool allSteady = true;
  for (int k = 0; k < kChannels; ++k) {
    auto* feed = static_cast<float*>(jack_port_get_buffer(feeds_[k], frames));
    for (jack_nframes_t i = 0; i < frames; ++i) feed[i] = kLevel;
    const auto* measured = static_cast<const float*>(jack_port_get_buffer(measures_[k], frames));
    bool same = true;
    for (jack_nframes_t i = 1; i < frames; ++i) same = same && measured[i] == measured[0];
    last_[k].store(measured[frames - 1]);
    steady_[k].store(same);
    allSteady = allSteady && same;
  }
  if (!allSteady) unsteadyCycles_.fetch_add(1);
  cycles_.fetch_add(1);
  return 0;
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

std::vector<std::string> JackProbe::connectionsOf(const std::string& port) const {
  std::vector<std::string> result;
  jack_port_t* handle = jack_port_by_name(client_, port.c_str());
  if (handle == nullptr) return result;
  const char** names = jack_port_get_all_connections(client_, handle);
  for (int i = 0; names != nullptr && names[i] != nullptr; ++i) result.emplace_back(names[i]);
  if (names != nullptr) jack_free(names);
  return result;
}
