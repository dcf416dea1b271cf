#include "sessionClient.h"

#include <fcntl.h>
#include <lo/lo.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "endSignals.h"

namespace {

constexpr char kApplicationName[] = "Zelquor";
constexpr char kExecutableName[] = "zelquor";
// A second open needs no restart: the program keeps nothing of a session.
constexpr char kCapabilities[] = ":switch:";
constexpr int kApiMajor = 1;
constexpr int kApiMinor = 1;
constexpr char kAnnouncePath[] = "/nsm/server/announce";
constexpr char kOpenPath[] = "/nsm/client/open";
constexpr char kSavePath[] = "/nsm/client/save";
constexpr std::size_t kLargestMessage = 65536;
// How often the start-up's wait looks for an end signal.
constexpr auto kSignalLook = std::chrono::milliseconds(50);

struct managerLink {
  int socket = -1;
  sockaddr_storage manager{};
  socklen_t managerSize = 0;
  int stopPipe[2] = {-1, -1};
  std::thread listener;
};

struct sessionState {
  std::mutex mutex;
  std::condition_variable changed;
  bool answered = false;
  bool refused = false;
  std::string refusal;
  bool opened = false;
  bool openAnswered = false;
  bool ready = false;
  bool withSound = false;
};

// Made on first use: the start-up reaches here from another file's static
// initialisation, before this file's own would have run.
managerLink& toManager() {
  static managerLink link;
  return link;
}
sessionState& shared() {
  static sessionState state;
  return state;
}

void warn(const std::string& what) {
  std::fprintf(stderr, "zelquor: %s: the program runs without a session\n", what.c_str());
}

bool isLoopback(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET)
    return (ntohl(reinterpret_cast<const sockaddr_in&>(address).sin_addr.s_addr) >> 24) == IN_LOOPBACKNET;
  if (address.ss_family == AF_INET6)
    return IN6_IS_ADDR_LOOPBACK(&reinterpret_cast<const sockaddr_in6&>(address).sin6_addr);
  return false;
}

in_port_t portOf(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) return reinterpret_cast<const sockaddr_in&>(address).sin_port;
  return reinterpret_cast<const sockaddr_in6&>(address).sin6_port;
}

bool sameHost(const sockaddr_storage& a, const sockaddr_storage& b) {
  if (a.ss_family != b.ss_family) return false;
  if (a.ss_family == AF_INET)
    return reinterpret_cast<const sockaddr_in&>(a).sin_addr.s_addr ==
           reinterpret_cast<const sockaddr_in&>(b).sin_addr.s_addr;
  return std::memcmp(&reinterpret_cast<const sockaddr_in6&>(a).sin6_addr,
                     &reinterpret_cast<const sockaddr_in6&>(b).sin6_addr, sizeof(in6_addr)) == 0;
}

// A manager on this machine answers from whichever loopback address the
// system picks for the reply (the host name often stands for 127.0.1.1,
// the reply then comes from 127.0.0.1), but always from its own port.
bool fromManager(const sockaddr_storage& sender) {
  const sockaddr_storage& manager = toManager().manager;
  if (portOf(sender) != portOf(manager)) return false;
  return sameHost(sender, manager) || (isLoopback(sender) && isLoopback(manager));
}

// The manager's address from the URL, resolved; empty when usable, else
// what is wrong with it.
std::string resolveManager(const char* url) {
  lo_address parsed = lo_address_new_from_url(url);
  if (parsed == nullptr || lo_address_get_protocol(parsed) != LO_UDP || lo_address_get_hostname(parsed) == nullptr ||
      lo_address_get_port(parsed) == nullptr) {
    if (parsed != nullptr) lo_address_free(parsed);
    return std::string("NSM_URL \"") + url + "\" is not a session manager's OSC address over UDP";
  }
  // IPv4 first, as the OSC library resolves it: managers built on it listen
  // on IPv4 alone, where "localhost" would give ::1 first.
  addrinfo hints{};
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  int failure = getaddrinfo(lo_address_get_hostname(parsed), lo_address_get_port(parsed), &hints, &found);
  hints.ai_family = AF_UNSPEC;
  if (failure != 0) failure = getaddrinfo(lo_address_get_hostname(parsed), lo_address_get_port(parsed), &hints, &found);
  lo_address_free(parsed);
  if (failure != 0)
    return std::string("the session manager at ") + url + " cannot be reached: " + gai_strerror(failure);
  std::memcpy(&toManager().manager, found->ai_addr, found->ai_addrlen);
  toManager().managerSize = found->ai_addrlen;
  freeaddrinfo(found);
  return "";
}

// Listens on the one local address through which the manager is reached:
// the loopback for a manager on this machine, so that no other machine can
// speak to the program.
std::string listenTowardsManager(const char* url) {
  managerLink& link = toManager();
  const int probe = socket(link.manager.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_storage local{};
  socklen_t localSize = sizeof local;
  const bool routed = probe >= 0 && connect(probe, reinterpret_cast<sockaddr*>(&link.manager), link.managerSize) == 0 &&
                      getsockname(probe, reinterpret_cast<sockaddr*>(&local), &localSize) == 0;
  if (probe >= 0) close(probe);
  if (!routed) return std::string("the session manager at ") + url + " cannot be reached: " + std::strerror(errno);
  reinterpret_cast<sockaddr_in&>(local).sin_port = 0;  // the same field in both families
  link.socket = socket(local.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (link.socket < 0 || bind(link.socket, reinterpret_cast<sockaddr*>(&local), localSize) != 0)
    return std::string("no socket to speak to the session manager: ") + std::strerror(errno);
  return "";
}

void send(lo_message message, const char* path) {
  std::size_t size = 0;
  void* data = lo_message_serialise(message, path, nullptr, &size);
  if (data != nullptr)
    sendto(toManager().socket, data, size, 0, reinterpret_cast<const sockaddr*>(&toManager().manager),
           toManager().managerSize);
  std::free(data);
  lo_message_free(message);
}

void sendReply(const char* to, const char* text) {
  lo_message reply = lo_message_new();
  lo_message_add_string(reply, to);
  lo_message_add_string(reply, text);
  send(reply, "/reply");
}

void announce() {
  lo_message message = lo_message_new();
  lo_message_add_string(message, kApplicationName);
  lo_message_add_string(message, kCapabilities);
  lo_message_add_string(message, kExecutableName);
  lo_message_add_int32(message, kApiMajor);
  lo_message_add_int32(message, kApiMinor);
  lo_message_add_int32(message, static_cast<int>(getpid()));
  send(message, kAnnouncePath);
}

// Called with the state locked, once the open has come and the engine runs.
void answerOpen() {
  if (shared().openAnswered) return;
  shared().openAnswered = true;
  sendReply(kOpenPath, shared().withSound ? "Zelquor is ready" : "Zelquor is ready, without sound: no audio server");
}

bool is(const char* text, const char* expected) { return text != nullptr && std::strcmp(text, expected) == 0; }

// A string argument. The arguments lie in the message at 4-byte steps, not
// aligned as the library's union: read as bytes, not through its members.
const char* textOf(const lo_arg* argument) { return reinterpret_cast<const char*>(argument); }

// Only these messages, with exactly these type tags, are taken; any other
// is ignored, as is anything the program has not asked for.
void take(const char* path, lo_message message) {
  const char* types = lo_message_get_types(message);
  lo_arg** arguments = lo_message_get_argv(message);
  std::lock_guard<std::mutex> locked(shared().mutex);
  if (is(path, "/reply") && is(types, "ssss") && is(textOf(arguments[0]), kAnnouncePath)) {
    shared().answered = true;
  } else if (is(path, "/error") && is(types, "sis") && is(textOf(arguments[0]), kAnnouncePath)) {
    shared().refused = true;
    shared().refusal = textOf(arguments[2]);
  } else if (is(path, kOpenPath) && is(types, "sss")) {
    shared().opened = true;
    shared().openAnswered = false;  // a second open (a switch) is answered again
    if (shared().ready) answerOpen();
  } else if (is(path, kSavePath) && is(types, "")) {
    sendReply(kSavePath, "Zelquor keeps no state");
  } else {
    return;
  }
  shared().changed.notify_all();
}

void takeDatagram() {
  static char data[kLargestMessage];
  sockaddr_storage sender{};
  socklen_t senderSize = sizeof sender;
  const ssize_t size =
      recvfrom(toManager().socket, data, sizeof data, 0, reinterpret_cast<sockaddr*>(&sender), &senderSize);
  if (size <= 0 || !fromManager(sender)) return;
  int result = 0;
  lo_message message = lo_message_deserialise(data, static_cast<std::size_t>(size), &result);
  if (message == nullptr) return;
  take(lo_get_path(data, size), message);
  lo_message_free(message);
}

void serveManager() {
  pollfd watched[] = {{toManager().socket, POLLIN, 0}, {toManager().stopPipe[0], POLLIN, 0}};
  for (;;) {
    if (poll(watched, 2, -1) < 0) continue;
    if (watched[1].revents != 0) return;
    if (watched[0].revents != 0) takeDatagram();
  }
}

// Ends the listening thread at the program's end, or when the manager is
// given up.
void leaveSession() {
  if (!toManager().listener.joinable()) return;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(toManager().stopPipe[1], &byte, 1);
  toManager().listener.join();
  close(toManager().socket);
  toManager().socket = -1;
}

// Waits for what the predicate asks of the state, at most the time given
// and no longer than an end signal; true when it came.
template <class Predicate>
bool waitFor(std::unique_lock<std::mutex>& locked, std::chrono::milliseconds most, Predicate came) {
  const auto until = std::chrono::steady_clock::now() + most;
  while (!came() && !endRequested() && std::chrono::steady_clock::now() < until)
    shared().changed.wait_for(locked, kSignalLook);
  return came();
}

// Empty once the manager has sent the open; else what went wrong, and
// whether the manager is given up.
std::string waitForOpen(bool& givenUp) {
  std::unique_lock<std::mutex> locked(shared().mutex);
  givenUp = true;
  const bool answered = waitFor(locked, kAnnounceAnswerWait, [] { return shared().answered || shared().refused; });
  if (endRequested()) return "";
  if (!answered)
    return "the session manager did not answer within " + std::to_string(kAnnounceAnswerWait.count()) + " s";
  if (shared().refused) return "the session manager refused the program (" + shared().refusal + ")";
  givenUp = false;  // it answered: a late open, and saves, are answered still
  if (waitFor(locked, kSessionOpenWait, [] { return shared().opened; }) || endRequested()) return "";
  return "the session manager sent no open within " + std::to_string(kSessionOpenWait.count()) + " s";
}

}  // namespace

bool awaitSessionOpen() {
  const char* url = std::getenv("NSM_URL");
  if (url == nullptr || url[0] == '\0') return false;
  std::string problem = resolveManager(url);
  if (problem.empty()) problem = listenTowardsManager(url);
  if (problem.empty() && pipe2(toManager().stopPipe, O_CLOEXEC) != 0) problem = "no pipe for the session's thread";
  if (!problem.empty()) {
    warn(problem);
    if (toManager().socket >= 0) close(toManager().socket);
    toManager().socket = -1;
    return false;
  }
  toManager().listener = std::thread(serveManager);
  std::atexit(leaveSession);
  announce();
  bool givenUp = false;
  problem = waitForOpen(givenUp);
  if (givenUp) leaveSession();
  if (!problem.empty()) warn(problem);
  return problem.empty();
}

void tellSessionReady(bool withSound) {
  if (!toManager().listener.joinable()) return;
  std::lock_guard<std::mutex> locked(shared().mutex);
  shared().ready = true;
  shared().withSound = withSound;
  if (shared().opened) answerOpen();
}
