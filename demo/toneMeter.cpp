#include "toneMeter.h"

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto kCycleTimeout = std::chrono::seconds(10);
constexpr double kTwoPi = 6.283185307179586;

std::string portName(const std::string& stem, int channel) { return stem + std::to_string(channel); }

}  // namespace

ToneMeter::ToneMeter(const std::string& clientName, double maxSeconds) {
  client_ = jack_client_open(clientName.c_str(), JackNoStartServer, nullptr);
  if (client_ == nullptr) throw std::runtime_error("tone meter: no JACK server answers");
  sampleRate_ = static_cast<int>(jack_get_sample_rate(client_));
  framesPerCycle_ = static_cast<int>(jack_get_buffer_size(client_));
  for (int i = 0; i < framesPerCycle_; ++i)
    toneCycle_.push_back(kAmplitude * static_cast<float>(std::sin(kTwoPi * kPeriodsPerCycle * i / framesPerCycle_)));
  capacityCycles_ = static_cast<long>(maxSeconds / secondsPerCycle());
  recording_.assign(static_cast<size_t>(capacityCycles_) * kChannelCount, 0.0f);
  for (int k = 0; k < kChannelCount; ++k) {
    tones_.push_back(jack_port_register(client_, portName("tone_", k).c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                        JackPortIsOutput, 0));
    levels_.push_back(jack_port_register(client_, portName("level_", k).c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                         JackPortIsInput, 0));
  }
  jack_set_process_callback(client_, process, this);
  if (jack_activate(client_) != 0) {
    jack_client_close(client_);
    throw std::runtime_error("tone meter: cannot activate its client");
  }
}

ToneMeter::~ToneMeter() {
  jack_deactivate(client_);
  jack_client_close(client_);
}

void ToneMeter::connectTo(const std::string& target) {
  for (int k = 0; k < kChannelCount; ++k) {
    const std::string in = target + ":" + portName("in_", k);
    const std::string out = target + ":" + portName("out_", k);
    if (jack_connect(client_, jack_port_name(tones_[k]), in.c_str()) != 0 ||
        jack_connect(client_, out.c_str(), jack_port_name(levels_[k])) != 0)
      throw std::runtime_error("tone meter: cannot connect to " + target + " channel " + std::to_string(k));
  }
}

double ToneMeter::toneFrequency() const { return double(kPeriodsPerCycle) * sampleRate_ / framesPerCycle_; }

double ToneMeter::toneRms() { return kAmplitude / std::sqrt(2.0); }

int ToneMeter::process(jack_nframes_t frames, void* self) { return static_cast<ToneMeter*>(self)->onCycle(frames); }

int ToneMeter::onCycle(jack_nframes_t frames) {
  feedTone(frames);
  recordLevels(frames);
  return 0;
}

void ToneMeter::feedTone(jack_nframes_t frames) {
  const size_t length = toneCycle_.size();
  for (jack_port_t* port : tones_) {
    auto* out = static_cast<float*>(jack_port_get_buffer(port, frames));
    for (jack_nframes_t i = 0; i < frames; ++i) out[i] = toneCycle_[i % length];
  }
}

void ToneMeter::recordLevels(jack_nframes_t frames) {
  const long cycle = recorded_.load(std::memory_order_relaxed);
  if (cycle >= capacityCycles_) {
    full_.store(true);
    return;
  }
  float* row = &recording_[static_cast<size_t>(cycle) * kChannelCount];
  for (int k = 0; k < kChannelCount; ++k) {
    const auto* in = static_cast<const float*>(jack_port_get_buffer(levels_[k], frames));
    double sum = 0.0;
    for (jack_nframes_t i = 0; i < frames; ++i) sum += double(in[i]) * in[i];
    row[k] = frames == 0 ? 0.0f : static_cast<float>(std::sqrt(sum / frames));
  }
  recorded_.store(cycle + 1, std::memory_order_release);
}

ChannelLevels ToneMeter::levelsOf(long cycle) const {
  if (cycle < 0 || cycle >= recordedCycles()) throw std::out_of_range("tone meter: cycle not recorded");
  ChannelLevels levels{};
  const float* row = &recording_[static_cast<size_t>(cycle) * kChannelCount];
  for (int k = 0; k < kChannelCount; ++k) levels[k] = row[k];
  return levels;
}

ChannelLevels ToneMeter::gainsOf(long cycle) const {
  ChannelLevels gains = levelsOf(cycle);
  for (float& g : gains) g = static_cast<float>(g / toneRms());
  return gains;
}

bool ToneMeter::waitCycles(int count) const {
  const long target = recordedCycles() + count;
  const auto deadline = std::chrono::steady_clock::now() + kCycleTimeout;
  while (recordedCycles() < target) {
    if (std::chrono::steady_clock::now() > deadline || full()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}
