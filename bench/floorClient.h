// The JACK client of the floor programs: 63 inputs and 63 outputs, named as
// the program names its ports, each output a plain copy of its input, or,
// scaled, its input times the channel's gain as last set (1 to begin with).
#ifndef ZELQUOR_BENCH_FLOOR_CLIENT_H
#define ZELQUOR_BENCH_FLOOR_CLIENT_H

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <vector>

class FloorClient {
 public:
  static constexpr int kChannels = 63;

  // Opens the client and registers its 126 ports; without a server it stays
  // closed and says so on stderr, as the program does.
  explicit FloorClient(const char* name, bool scaled = false);
  ~FloorClient();
  FloorClient(const FloorClient&) = delete;
  FloorClient& operator=(const FloorClient&) = delete;

  // Starts the copying; false without a server or when activation fails.
  bool activate();
  // Read by the next cycle of a scaled client.
  void setGain(int channel, float gain) { gains_[channel].store(gain, std::memory_order_relaxed); }

 private:
  static int process(jack_nframes_t frames, void* self);

  jack_client_t* client_ = nullptr;
  std::vector<jack_port_t*> inputs_;
  std::vector<jack_port_t*> outputs_;
  bool scaled_;
  std::array<std::atomic<float>, kChannels> gains_;
};

#endif
