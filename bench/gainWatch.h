// The ear of the latency bench: two JACK clients on one channel of a
// subject. The feeder writes a constant into the channel's input; the
// listener reads its output and, once told which gain to await, notes the
// start of the first cycle whose output carries it. Two clients and not
// one: a client that both fed and read the subject would close a loop, and
// the server would hand it the subject's output a cycle late.
#ifndef ZELQUOR_BENCH_GAIN_WATCH_H
#define ZELQUOR_BENCH_GAIN_WATCH_H

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>

#include "latencyFigures.h"

class GainWatch {
 public:
  // A power of two: the output over it is exactly the gain.
  static constexpr float kLevel = 0.5f;

  // Opens and connects both clients on the current server to the subject's
  // in_CHANNEL and out_CHANNEL; throws when that fails.
  GainWatch(const std::string& subjectClient, int channel);
  ~GainWatch();
  GainWatch(const GainWatch&) = delete;
  GainWatch& operator=(const GainWatch&) = delete;

  // From the next cycle on, watches for the gain.
  void await(float gain);
  struct Heard {
    jack_time_t cycleStart = 0;  // of the first cycle that carried the gain
    jack_time_t callbackAt = 0;  // when the listener's callback of that cycle ran
  };
  // Waits until the awaited gain has been heard, at most for the time.
  std::optional<Heard> heard(std::chrono::milliseconds timeout) const;
  // The server's period (PipeWire's quantum) as the clients see it now.
  int periodFrames() const { return static_cast<int>(jack_get_buffer_size(listener_)); }

 private:
  static int feed(jack_nframes_t frames, void* self);
  static int listen(jack_nframes_t frames, void* self);

  jack_client_t* feeder_ = nullptr;
  jack_client_t* listener_ = nullptr;
  jack_port_t* feedPort_ = nullptr;
  jack_port_t* listenPort_ = nullptr;
  std::atomic<float> awaited_{0};
  std::atomic<bool> awaiting_{false};
  std::atomic<bool> answered_{false};
  Heard heard_;
};

#endif
