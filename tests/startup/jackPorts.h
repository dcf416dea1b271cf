// The ports of a JACK server as its own listing tool reports them.
#ifndef ZELQUOR_TESTS_JACK_PORTS_H
#define ZELQUOR_TESTS_JACK_PORTS_H

#include <optional>
#include <string>
#include <vector>

#include "jackServer.h"

struct JackPort {
  std::string name;        // "client:port"
  std::string properties;  // e.g. "input,physical,terminal,"
  std::string type;        // e.g. "32 bit float mono audio"
  std::vector<std::string> connections;

  std::string client() const { return name.substr(0, name.find(':')); }
  bool has(const std::string& property) const;
};

// Every port of the server, in the server's order.
std::vector<JackPort> listPorts(const JackServer& server);

std::vector<JackPort> portsOfClient(const std::vector<JackPort>& ports, const std::string& client);
std::vector<std::string> namesOf(const std::vector<JackPort>& ports);
// Every metadata property on the server, one line each, as jack_property
// lists them; nothing where the server keeps no metadata (jackd2 built
// without it, as on Debian testing).
std::optional<std::vector<std::string>> jackProperties(const JackServer& server);

// The clients that own ports, in order of their first port.
std::vector<std::string> clientsOf(const std::vector<JackPort>& ports);

#endif
