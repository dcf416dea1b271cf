// How the engine's JACK client and its 126 ports show in a patchbay, beside
// the names that connections use (in_N, out_N): each port names the pads
// whose gains its channel carries, in the board's numbering, through a JACK
// metadata pretty-name and its second alias; the ports keep the order of
// their channels; the client is "Zelquor".
#ifndef ZELQUOR_PORT_NAMES_H
#define ZELQUOR_PORT_NAMES_H

#include <jack/jack.h>
#include <pthread.h>

#include <string>
#include <vector>

// "Pad 9 in", "Pads 39 and 40 out": what the channel's port carries.
std::string padPortName(int channel, bool input);

// Written on standard error, once, when the names could not be set.
constexpr char kPortNamesNotSet[] =
    "zelquor: the ports' pad names were not set: this JACK library or server keeps no metadata";

// Sets the names on a thread of its own, so that the server's round trips
// for 253 properties overlap the rest of the start-up rather than adding to
// it. Nothing else calls the client while that thread runs: the engine
// waits for it before it activates or deactivates the client.
class portNames {
 public:
  void begin(jack_client_t* client, const std::vector<jack_port_t*>& inputs, const std::vector<jack_port_t*>& outputs);
  // Waits until the names are set; does nothing when no naming is under way.
  void finish();
  // Removes every property of the client and of its ports, so that neither
  // a later client given the same identifiers nor a patchbay inherits them.
  void forget();

 private:
  static void* run(void* self);
  void name();

  jack_client_t* client_ = nullptr;
  std::vector<jack_port_t*> inputs_;
  std::vector<jack_port_t*> outputs_;
  pthread_t thread_{};
  bool threadRunning_ = false;
  bool metadataSet_ = false;
};

#endif
