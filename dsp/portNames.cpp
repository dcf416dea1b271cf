#include "portNames.h"

#include <cstdio>
#include <cstdlib>

#include "mydsp.h"

#ifdef ZELQUOR_JACK_METADATA
#include <jack/metadata.h>
#include <jack/uuid.h>
#endif

namespace {

constexpr char kClientPrettyName[] = "Zelquor";

// The one naming under way, which the process's end must wait for: its
// thread calls into the JACK library, whose own objects go at exit.
portNames* underWay = nullptr;

void finishAtExit() {
  if (underWay != nullptr) underWay->finish();
}

// The first alias, unique to this client and free of blanks, as a tool that
// takes a path or a name would want it: "zelquors:pad_9_in".
std::string pathAlias(jack_client_t* client, int channel, bool input) {
  std::string alias = std::string(jack_get_client_name(client)) + ":pad";
  alias += channel == kSharingChannel ? "s_" : "_";
  alias += std::to_string(firstPadOf(channel));
  if (channel == kSharingChannel) alias += "_" + std::to_string(firstPadOf(channel) + 1);
  return alias + (input ? "_in" : "_out");
}

#ifdef ZELQUOR_JACK_METADATA
constexpr char kTextType[] = "text/plain";
constexpr char kIntegerType[] = "http://www.w3.org/2001/XMLSchema#integer";

jack_uuid_t clientUuid(jack_client_t* client) {
  jack_uuid_t uuid = JACK_UUID_EMPTY_INITIALIZER;
  char* text = jack_get_uuid_for_client_name(client, jack_get_client_name(client));
  if (text != nullptr && jack_uuid_parse(text, &uuid) != 0) jack_uuid_clear(&uuid);
  jack_free(text);
  return uuid;
}

bool setProperty(jack_client_t* client, jack_uuid_t subject, const char* key, const std::string& value,
                 const char* type) {
  return jack_set_property(client, subject, key, value.c_str(), type) == 0;
}

// The order follows registration, the inputs before the outputs. No port
// group: patchbays already draw a client's inputs and outputs apart, and a
// group per direction would add 126 properties to these 253, each a round
// trip to the server during the start-up, for a label alone.
bool setPortMetadata(jack_client_t* client, jack_port_t* port, int channel, bool input) {
  const jack_uuid_t uuid = jack_port_uuid(port);
  const int order = input ? channel : kChannelCount + channel;
  return setProperty(client, uuid, JACK_METADATA_PRETTY_NAME, padPortName(channel, input), kTextType) &&
         setProperty(client, uuid, JACK_METADATA_ORDER, std::to_string(order), kIntegerType);
}

// A server that refuses the client's name refuses the rest too: one failure
// ends the naming.
bool setMetadata(jack_client_t* client, const std::vector<jack_port_t*>& inputs,
                 const std::vector<jack_port_t*>& outputs) {
  const jack_uuid_t uuid = clientUuid(client);
  if (jack_uuid_empty(uuid) || !setProperty(client, uuid, JACK_METADATA_PRETTY_NAME, kClientPrettyName, kTextType))
    return false;
  for (size_t k = 0; k < inputs.size(); ++k)
    if (!setPortMetadata(client, inputs[k], static_cast<int>(k), true)) return false;
  for (size_t k = 0; k < outputs.size(); ++k)
    if (!setPortMetadata(client, outputs[k], static_cast<int>(k), false)) return false;
  return true;
}

void removeMetadata(jack_client_t* client, const std::vector<jack_port_t*>& inputs,
                    const std::vector<jack_port_t*>& outputs) {
  const jack_uuid_t uuid = clientUuid(client);
  if (!jack_uuid_empty(uuid)) jack_remove_properties(client, uuid);
  for (jack_port_t* port : inputs) jack_remove_properties(client, jack_port_uuid(port));
  for (jack_port_t* port : outputs) jack_remove_properties(client, jack_port_uuid(port));
}
#else
// Built on a JACK library without metadata: the aliases alone name the pads.
bool setMetadata(jack_client_t*, const std::vector<jack_port_t*>&, const std::vector<jack_port_t*>&) { return false; }
void removeMetadata(jack_client_t*, const std::vector<jack_port_t*>&, const std::vector<jack_port_t*>&) {}
#endif

// PipeWire's JACK layer turns the first alias into the port's object.path
// and the second into its port.alias. A layer that already holds a second
// alias of its own refuses ours; the metadata still names the pad.
void setAliases(jack_client_t* client, const std::vector<jack_port_t*>& ports, bool input) {
  for (size_t k = 0; k < ports.size(); ++k) {
    const int channel = static_cast<int>(k);
    jack_port_set_alias(ports[k], pathAlias(client, channel, input).c_str());
    jack_port_set_alias(ports[k], padPortName(channel, input).c_str());
  }
}

}  // namespace

std::string padPortName(int channel, bool input) {
  const std::string direction = input ? " in" : " out";
  const int pad = firstPadOf(channel);
  if (channel == kSharingChannel) return "Pads " + std::to_string(pad) + " and " + std::to_string(pad + 1) + direction;
  return "Pad " + std::to_string(pad) + direction;
}

void portNames::begin(jack_client_t* client, const std::vector<jack_port_t*>& inputs,
                      const std::vector<jack_port_t*>& outputs) {
  client_ = client;
  inputs_ = inputs;
  outputs_ = outputs;
  static const bool finishedAtExit = std::atexit(finishAtExit) == 0;
  // Without a thread, or without a way to wait for it at exit, the names are
  // set here and now.
  threadRunning_ = finishedAtExit && pthread_create(&thread_, nullptr, run, this) == 0;
  if (threadRunning_) underWay = this;
  else name();
}

void portNames::finish() {
  if (!threadRunning_) return;
  pthread_join(thread_, nullptr);
  threadRunning_ = false;
  underWay = nullptr;
}

void portNames::forget() {
  finish();
  if (!metadataSet_) return;
  removeMetadata(client_, inputs_, outputs_);
  metadataSet_ = false;
}

void* portNames::run(void* self) {
  static_cast<portNames*>(self)->name();
  return nullptr;
}

void portNames::name() {
  setAliases(client_, inputs_, true);
  setAliases(client_, outputs_, false);
  // Whatever part was taken is removed at the end all the same.
  metadataSet_ = true;
  if (!setMetadata(client_, inputs_, outputs_)) std::fprintf(stderr, "%s\n", kPortNamesNotSet);
}
