#include "oscManager.h"

#include <lo/lo.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr std::size_t kLargestMessage = 65536;

std::vector<std::string> argumentTexts(lo_message message) {
  std::vector<std::string> texts;
  const std::string types = lo_message_get_types(message);
  lo_arg** arguments = lo_message_get_argv(message);
  for (std::size_t k = 0; k < types.size(); ++k) {
    if (types[k] == 's') texts.push_back(&arguments[k]->s);
    else if (types[k] == 'i') texts.push_back(std::to_string(arguments[k]->i));
    else texts.push_back("?");
  }
  return texts;
}

}  // namespace

OscManager::OscManager() {
  socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    throw std::runtime_error("the test's session manager has no socket");
  port_ = ntohs(address.sin_port);
}

OscManager::~OscManager() { close(socket_); }

// By name, as managers give it: where "localhost" stands for ::1 as well,
// the program must still reach this IPv4 socket.
std::string OscManager::url() const { return "osc.udp://localhost:" + std::to_string(port_) + "/"; }

void OscManager::receive(Timeout timeout) {
  pollfd watched{socket_, POLLIN, 0};
  if (poll(&watched, 1, static_cast<int>(timeout.count())) <= 0) return;
  static char data[kLargestMessage];
  OscMessage message;
  socklen_t size = sizeof message.sender;
  const ssize_t length = recvfrom(socket_, data, sizeof data, 0, reinterpret_cast<sockaddr*>(&message.sender), &size);
  int result = 0;
  lo_message decoded = length > 0 ? lo_message_deserialise(data, static_cast<std::size_t>(length), &result) : nullptr;
  if (decoded == nullptr) return;
  message.path = lo_get_path(data, length);
  message.types = lo_message_get_types(decoded);
  message.arguments = argumentTexts(decoded);
  lo_message_free(decoded);
  received_.push_back(message);
  returned_.push_back(false);
}

std::optional<OscMessage> OscManager::waitForMessage(const std::string& path, Timeout timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    for (std::size_t k = 0; k < received_.size(); ++k)
      if (!returned_[k] && received_[k].path == path) {
        returned_[k] = true;
        return received_[k];
      }
    const auto left = std::chrono::duration_cast<Timeout>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    receive(left);
  }
}

void OscManager::send(const sockaddr_storage& to, const std::string& path, const std::string& types,
                      const std::vector<std::string>& arguments) const {
  lo_message message = lo_message_new();
  for (std::size_t k = 0; k < types.size() && k < arguments.size(); ++k) {
    if (types[k] == 'i') lo_message_add_int32(message, std::atoi(arguments[k].c_str()));
    else lo_message_add_string(message, arguments[k].c_str());
  }
  std::size_t size = 0;
  void* data = lo_message_serialise(message, path.c_str(), nullptr, &size);
  sendto(socket_, data, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof(sockaddr_in));
  std::free(data);
  lo_message_free(message);
}
