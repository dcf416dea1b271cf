#include "channelClient.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

// A client of another server opening at the same moment makes an open fail
// now and then; the server is there, so try again.
constexpr int kOpenAttempts = 5;
constexpr auto kOpenRetryDelay = std::chrono::milliseconds(200);

jack_port_t* registerPort(jack_client_t* client, const std::string& name, unsigned long flags) {
  return jack_port_register(client, name.c_str(), JACK_DEFAULT_AUDIO_TYPE, flags, 0);
}

}  // namespace

ChannelClient::ChannelClient(const std::string& who, const std::string& clientName, const std::string& outputStem,
                             const std::string& inputStem)
    : who_(who) {
  for (int attempt = 0; attempt < kOpenAttempts && client_ == nullptr; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kOpenRetryDelay);
    client_ = jack_client_open(clientName.c_str(), JackNoStartServer, nullptr);
  }
  if (client_ == nullptr) throw std::runtime_error(who_ + ": no JACK server answers");
  for (int k = 0; k < kChannels; ++k) {
    outputs_.push_back(registerPort(client_, outputStem + std::to_string(k), JackPortIsOutput));
    inputs_.push_back(registerPort(client_, inputStem + std::to_string(k), JackPortIsInput));
  }
}

ChannelClient::~ChannelClient() {
  jack_deactivate(client_);
  jack_client_close(client_);
}

void ChannelClient::start(JackProcessCallback process, void* owner) {
  jack_set_process_callback(client_, process, owner);
  if (jack_activate(client_) != 0) throw std::runtime_error(who_ + ": cannot activate its client");
}

void ChannelClient::connectTo(const std::string& target) {
  for (int k = 0; k < kChannels; ++k) {
    const std::string n = std::to_string(k);
    const std::string in = target + ":in_" + n;
    const std::string out = target + ":out_" + n;
    if (jack_connect(client_, jack_port_name(outputs_[k]), in.c_str()) != 0 ||
        jack_connect(client_, out.c_str(), jack_port_name(inputs_[k])) != 0)
      throw std::runtime_error(who_ + ": cannot connect to " + target + " channel " + n);
  }
}

float* ChannelClient::output(int channel, jack_nframes_t frames) const {
  return static_cast<float*>(jack_port_get_buffer(outputs_[channel], frames));
}

const float* ChannelClient::input(int channel, jack_nframes_t frames) const {
  return static_cast<const float*>(jack_port_get_buffer(inputs_[channel], frames));
}
