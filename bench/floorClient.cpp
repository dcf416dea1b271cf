#include "floorClient.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void scale(const float* in, float* out, jack_nframes_t frames, const std::atomic<float>& gain) {
  const float g = gain.load(std::memory_order_relaxed);
  for (jack_nframes_t i = 0; i < frames; ++i) out[i] = in[i] * g;
}

}  // namespace

FloorClient::FloorClient(const char* name, bool scaled) : scaled_(scaled) {
  for (std::atomic<float>& gain : gains_) gain.store(1.0f);
  client_ = jack_client_open(name, JackNullOption, nullptr);
  if (client_ == nullptr) {
    std::fprintf(stderr, "JACK server not running ?\n");
    return;
  }
  for (int k = 0; k < kChannels; ++k)
    inputs_.push_back(
        jack_port_register(client_, ("in_" + std::to_string(k)).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0));
  for (int k = 0; k < kChannels; ++k)
    outputs_.push_back(jack_port_register(client_, ("out_" + std::to_string(k)).c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                          JackPortIsOutput, 0));
  jack_set_process_callback(client_, process, this);
}

FloorClient::~FloorClient() {
  if (client_ != nullptr) jack_client_close(client_);
}

bool FloorClient::activate() { return client_ != nullptr && jack_activate(client_) == 0; }

int FloorClient::process(jack_nframes_t frames, void* self) {
  auto* client = static_cast<FloorClient*>(self);
  for (int k = 0; k < kChannels; ++k) {
    const void* in = jack_port_get_buffer(client->inputs_[k], frames);
    void* out = jack_port_get_buffer(client->outputs_[k], frames);
    if (client->scaled_) scale(static_cast<const float*>(in), static_cast<float*>(out), frames, client->gains_[k]);
    else std::memcpy(out, in, frames * sizeof(float));
  }
  return 0;
}
