// The manager's side of a session protocol over OSC, as small as a test
// needs: a UDP socket on the loopback that keeps every message it receives,
// with its type tags, arguments and sender, and sends messages back.
#ifndef ZELQUOR_HARNESS_OSC_MANAGER_H
#define ZELQUOR_HARNESS_OSC_MANAGER_H

#include <sys/socket.h>

#include <optional>
#include <string>
#include <vector>

#include "appProcess.h"

struct OscMessage {
  std::string path;
  std::string types;
  // Each argument as text: strings as they are, integers in decimal.
  std::vector<std::string> arguments;
  sockaddr_storage sender{};
};

class OscManager {
 public:
  // Listens on 127.0.0.1 at a port of the system's choice; throws when it
  // cannot.
  OscManager();
  ~OscManager();
  OscManager(const OscManager&) = delete;
  OscManager& operator=(const OscManager&) = delete;

  // "osc.udp://localhost:PORT/", as a manager gives it in NSM_URL.
  std::string url() const;

  // The next message on that path not returned yet, waiting at most the
  // time; nothing when none came.
  std::optional<OscMessage> waitForMessage(const std::string& path, Timeout timeout = kDefaultTimeout);

  // Sends a message from this socket. The types are OSC type tags, 's' and
  // 'i' only, one for each argument (integers given in decimal).
  void send(const sockaddr_storage& to, const std::string& path, const std::string& types,
            const std::vector<std::string>& arguments) const;

 private:
  void receive(Timeout timeout);

  int socket_ = -1;
  int port_ = 0;
  std::vector<OscMessage> received_;
  std::vector<bool> returned_;
};

#endif
