// A JACK client of the tests' own that feeds every input of the program
// under test with a steady signal and measures what comes out of every output.
#ifndef ZELQUOR_HARNESS_JACK_PROBE_H
#define ZELQUOR_HARNESS_JACK_PROBE_H

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "channelClient.h"

class JackProbe {
 public:
  static constexpr int kChannels = ChannelClient::kChannels;
  // Fed into every input: a power of two, so output / kLevel is exactly the gain.
  static constexpr float kLevel = 0.5f;

  // Opens the probe's client on the current server (throws when none answers).
  explicit JackProbe(const std::string& clientName = "zelquorProbe");
  ~JackProbe();
  JackProbe(const JackProbe&) = delete;
  JackProbe& operator=(const JackProbe&) = delete;

  // Connects feed_k to TARGET:in_k and TARGET:out_k to measure_k for every k.
  void connectTo(const std::string& target);

  // The gain seen on channel k in the last cycle: the output over the input.
  float gain(int channel) const;
  std::array<float, kChannels> gains() const;
  // True when every sample of channel k in the last cycle had the same value.
  bool steady(int channel) const;

  // Cycles in which some channel's output was not one value throughout.
  long unsteadyCycles() const { return unsteadyCycles_.load(); }

  // Waits until the probe has run this many more cycles; false on time-out.
  bool waitCycles(int cycles) const;
  // Waits until this many more cycles have run and as many in a row, each of
  // FRAMES frames, brought signal back on some channel; false on time-out.
  // PipeWire's JACK layer carries silence for a while after the quantum
  // changes, and for a cycle at each of its xruns, with the cycles running.
  bool waitForSignal(jack_nframes_t frames, int cycles) const;
  // The gains of the last cycle that brought signal back on some channel.
  std::array<float, kChannels> heardGains() const;
  long cycles() const { return cycles_.load(); }
  jack_client_t* client() const { return channels_.client(); }

  // Every port that the named port is connected to.
  std::vector<std::string> connectionsOf(const std::string& port) const;
  // How many ports the named client has, as the server lists them.
  int portCountOf(const std::string& clientName) const;

 private:
  static int process(jack_nframes_t frames, void* self);
  int onCycle(jack_nframes_t frames);
  void noteSignal(bool signal, jack_nframes_t frames);

  std::array<std::atomic<float>, kChannels> last_{};
  std::array<std::atomic<bool>, kChannels> steady_{};
  std::array<std::atomic<float>, kChannels> heard_{};
  // Cycles in a row that brought signal back, all of signalFrames_ frames.
  std::atomic<long> signalRun_{0};
  std::atomic<jack_nframes_t> signalFrames_{0};
  std::atomic<long> cycles_{0};
  std::atomic<long> unsteadyCycles_{0};
  // Last, so that it stops before the state its cycles write goes away.
  ChannelClient channels_;
};

#endif
