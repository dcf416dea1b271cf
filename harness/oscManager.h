// The manager's side of a session protocol over OSC, as small as a test
// needs: an OSC server on an IPv4 port of its own that keeps every message
// it receives, with its type tags, arguments and sender.
#ifndef ZELQUOR_HARNESS_OSC_MANAGER_H
#define ZELQUOR_HARNESS_OSC_MANAGER_H

#include <lo/lo.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "appProcess.h"

struct OscMessage {
  std::string path;
  std::string types;
  std::vector<std::string> arguments;  // strings as they are, integers in decimal
  std::string sender;                  // its OSC URL
};

class OscManager {
 public:
  OscManager();  // throws when it has no socket
  ~OscManager();
  OscManager(const OscManager&) = delete;
  OscManager& operator=(const OscManager&) = delete;

  // "osc.udp://localhost:PORT/": by name, as managers give it in NSM_URL.
  std::string url() const;
  // Sends from this server's socket (lo_send_from).
  lo_server server() const { return server_; }
  // The next message on that path, waiting at most the time.
  std::optional<OscMessage> waitForMessage(const std::string& path, Timeout timeout = kDefaultTimeout);

 private:
  static int record(const char* path, const char* types, lo_arg** arguments, int count, lo_message message, void* self);

  lo_server server_;
  std::deque<OscMessage> received_;
};

#endif
