#include "gainWatch.h"

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

namespace {

constexpr char kFeederName[] = "zelquorLatencyFeed";
constexpr char kListenerName[] = "zelquorLatencyListen";
// Far below the difference of any two gains the bench compares, far above
// a float's rounding of the product.
constexpr float kGainTolerance = 1e-4f;
constexpr auto kPollStep = std::chrono::microseconds(200);

jack_client_t* openClient(const char* name) {
  jack_client_t* client = jack_client_open(name, JackNoStartServer, nullptr);
  if (client == nullptr) throw std::runtime_error(std::string(name) + ": no JACK server answers");
  return client;
}

}  // namespace

GainWatch::GainWatch(const std::string& subjectClient, int channel) {
  feeder_ = openClient(kFeederName);
  listener_ = openClient(kListenerName);
  feedPort_ = jack_port_register(feeder_, "feed", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
  listenPort_ = jack_port_register(listener_, "listen", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
  jack_set_process_callback(feeder_, feed, this);
  jack_set_process_callback(listener_, listen, this);
  const std::string n = std::to_string(channel);
  if (feedPort_ == nullptr || listenPort_ == nullptr || jack_activate(feeder_) != 0 || jack_activate(listener_) != 0 ||
      jack_connect(feeder_, jack_port_name(feedPort_), (subjectClient + ":in_" + n).c_str()) != 0 ||
      jack_connect(listener_, (subjectClient + ":out_" + n).c_str(), jack_port_name(listenPort_)) != 0) {
    jack_client_close(listener_);
    jack_client_close(feeder_);
    throw std::runtime_error("cannot listen to channel " + n + " of " + subjectClient);
  }
}

GainWatch::~GainWatch() {
  jack_client_close(listener_);
  jack_client_close(feeder_);
}

int GainWatch::feed(jack_nframes_t frames, void* self) {
  auto* watch = static_cast<GainWatch*>(self);
  auto* out = static_cast<float*>(jack_port_get_buffer(watch->feedPort_, frames));
  for (jack_nframes_t i = 0; i < frames; ++i) out[i] = kLevel;
  return 0;
}

int GainWatch::listen(jack_nframes_t frames, void* self) {
  auto* watch = static_cast<GainWatch*>(self);
  if (!watch->awaiting_.load(std::memory_order_acquire)) return 0;
  const auto* in = static_cast<const float*>(jack_port_get_buffer(watch->listenPort_, frames));
  // The subject reads a gain once a cycle: the first sample tells the cycle's.
  if (std::fabs(in[0] / kLevel - watch->awaited_.load(std::memory_order_relaxed)) > kGainTolerance) return 0;
  jack_nframes_t frame = 0;
  jack_time_t start = 0, next = 0;
  float periodUsecs = 0;
  jack_get_cycle_times(watch->listener_, &frame, &start, &next, &periodUsecs);
  watch->heard_ = {start, jack_get_time()};
  watch->awaiting_.store(false, std::memory_order_relaxed);
  watch->answered_.store(true, std::memory_order_release);
  return 0;
}

void GainWatch::await(float gain) {
  answered_.store(false, std::memory_order_relaxed);
  awaited_.store(gain, std::memory_order_relaxed);
  awaiting_.store(true, std::memory_order_release);
}

std::optional<GainWatch::Heard> GainWatch::heard(std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!answered_.load(std::memory_order_acquire)) {
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollStep);
  }
  return heard_;
}
