#include "toneMeter.h"

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

namespace {

constexpr auto kCycleTimeout = std::chrono::seconds(10);
constexpr double kTwoPi = 6.283185307179586;

}  // namespace

ToneMeter::ToneMeter(const std::string& clientName, double maxSeconds)
    : channels_("tone meter", clientName, "tone_", "level_") {
  sampleRate_ = static_cast<int>(jack_get_sample_rate(channels_.client()));
  framesPerCycle_ = static_cast<int>(jack_get_buffer_size(channels_.client()));
  for (int i = 0; i < framesPerCycle_; ++i)
    toneCycle_.push_back(kAmplitude * static_cast<float>(std::sin(kTwoPi * kPeriodsPerCycle * i / framesPerCycle_)));
  capacityCycles_ = static_cast<long>(maxSeconds / secondsPerCycle());
  recording_.assign(static_cast<size_t>(capacityCycles_) * kChannelCount, 0.0f);
  channels_.start(process, this);
}

ToneMeter::~ToneMeter() = default;

void ToneMeter::connectTo(const std::string& target) { channels_.connectTo(target); }

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
  for (int k = 0; k < kChannelCount; ++k) {
    float* out = channels_.output(k, frames);
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
    const float* in = channels_.input(k, frames);
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
