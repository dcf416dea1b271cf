#include "oscManager.h"

#include <fcntl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

OscManager::OscManager() : server_(lo_server_new_with_proto(nullptr, LO_UDP, nullptr)) {
  if (server_ == nullptr) throw std::runtime_error("the test's session manager has no socket");
  // Every message is kept as it came: no conversion of its type tags.
  lo_server_enable_coercion(server_, 0);
  lo_server_add_method(server_, nullptr, nullptr, record, this);
  // Not inherited by the program: its sockets are counted.
  fcntl(lo_server_get_socket_fd(server_), F_SETFD, FD_CLOEXEC);
}

OscManager::~OscManager() { lo_server_free(server_); }

std::string OscManager::url() const {
  return "osc.udp://localhost:" + std::to_string(lo_server_get_port(server_)) + "/";
}

int OscManager::record(const char* path, const char* types, lo_arg** arguments, int count, lo_message message,
                       void* self) {
  OscMessage kept{path, types, {}, ""};
  // The arguments lie in the message at 4-byte steps, not aligned as the
  // library's union: read as bytes, not through its members.
  for (int k = 0; k < count; ++k) {
    std::int32_t number = 0;
    if (types[k] == 'i') std::memcpy(&number, arguments[k], sizeof number);
    kept.arguments.push_back(types[k] == 's'   ? std::string(reinterpret_cast<const char*>(arguments[k]))
                             : types[k] == 'i' ? std::to_string(number)
                                               : "?");
  }
  char* sender = lo_address_get_url(lo_message_get_source(message));
  kept.sender = sender;
  std::free(sender);
  static_cast<OscManager*>(self)->received_.push_back(kept);
  return 0;
}

std::optional<OscMessage> OscManager::waitForMessage(const std::string& path, Timeout timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    for (auto kept = received_.begin(); kept != received_.end(); ++kept)
      if (kept->path == path) {
        const OscMessage found = *kept;
        received_.erase(kept);
        return found;
      }
    const auto left = std::chrono::duration_cast<Timeout>(until - std::chrono::steady_clock::now()).count();
    if (left <= 0) return std::nullopt;
    lo_server_recv_noblock(server_, static_cast<int>(left));
  }
}
