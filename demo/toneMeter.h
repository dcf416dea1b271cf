// The demo's own JACK client: it feeds one steady tone into every input of
// the program and records, cycle by cycle, the level (RMS) of every output.
#ifndef ZELQUOR_DEMO_TONE_METER_H
#define ZELQUOR_DEMO_TONE_METER_H

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "channelClient.h"

constexpr int kChannelCount = ChannelClient::kChannels;
using ChannelLevels = std::array<float, kChannelCount>;

class ToneMeter {
 public:
  static constexpr float kAmplitude = 0.5f;
  // The tone makes whole periods in every cycle, so the RMS of one cycle of
  // an output is exactly the tone's RMS times the channel's gain, whatever
  // the phase and whatever latency the graph adds.
  static constexpr int kPeriodsPerCycle = 2;

  // Opens and activates the client on the current server; records at most
  // maxSeconds of audio. Throws when no server answers.
  ToneMeter(const std::string& clientName, double maxSeconds);
  ~ToneMeter();
  ToneMeter(const ToneMeter&) = delete;
  ToneMeter& operator=(const ToneMeter&) = delete;

  // Connects tone_k to TARGET:in_k and TARGET:out_k to level_k for every k.
  void connectTo(const std::string& target);

  double toneFrequency() const;
  static double toneRms();
  int sampleRate() const { return sampleRate_; }
  int framesPerCycle() const { return framesPerCycle_; }
  double secondsPerCycle() const { return double(framesPerCycle_) / sampleRate_; }

  // Cycles recorded so far; cycle n covers n to n + 1 times secondsPerCycle.
  long recordedCycles() const { return recorded_.load(std::memory_order_acquire); }
  // True when the recording ran out of room and later cycles were dropped.
  bool full() const { return full_.load(); }
  // The RMS of every output in a recorded cycle.
  ChannelLevels levelsOf(long cycle) const;
  // Output RMS over the tone's RMS: the gain each channel applies.
  ChannelLevels gainsOf(long cycle) const;

  // Waits until this many more cycles are recorded; false on time-out.
  bool waitCycles(int count) const;

 private:
  static int process(jack_nframes_t frames, void* self);
  int onCycle(jack_nframes_t frames);
  void feedTone(jack_nframes_t frames);
  void recordLevels(jack_nframes_t frames);

  int sampleRate_ = 0;
  int framesPerCycle_ = 0;
  std::vector<float> toneCycle_;
  std::vector<float> recording_;
  long capacityCycles_ = 0;
  std::atomic<long> recorded_{0};
  std::atomic<bool> full_{false};
  // Last, so that it stops before the state its cycles write goes away.
  ChannelClient channels_;
};

#endif
