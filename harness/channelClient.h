// A JACK client with one output and one input port for each of the
// program's channels, that the probe and the demo's tone meter build on:
// opened with a retry, its ports registered, connected across the program
// (output k to the program's in_k, the program's out_k to input k), and
// closed before its owner's state goes away.
#ifndef ZELQUOR_HARNESS_CHANNEL_CLIENT_H
#define ZELQUOR_HARNESS_CHANNEL_CLIENT_H

#include <jack/jack.h>

#include <string>
#include <vector>

#include "boardFacts.h"

class ChannelClient {
 public:
  static constexpr int kChannels = kChannelTotal;

  // Opens the client on the current server and registers outputStem_k and
  // inputStem_k; throws, naming who, when no server answers.
  ChannelClient(const std::string& who, const std::string& clientName, const std::string& outputStem,
                const std::string& inputStem);
  ~ChannelClient();
  ChannelClient(const ChannelClient&) = delete;
  ChannelClient& operator=(const ChannelClient&) = delete;

  // Sets the process callback and activates the client; call once the
  // owner is ready for its first cycle.
  void start(JackProcessCallback process, void* owner);
  void connectTo(const std::string& target);

  float* output(int channel, jack_nframes_t frames) const;
  const float* input(int channel, jack_nframes_t frames) const;
  jack_client_t* client() const { return client_; }

 private:
  std::string who_;
  jack_client_t* client_ = nullptr;
  std::vector<jack_port_t*> outputs_;
  std::vector<jack_port_t*> inputs_;
};

#endif
