#include "documentationPage.h"

#include <netdb.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

const char* const kDocumentationUrl = "http://localhost/Documents/Programmation/index.php?page=Zelquor64";

namespace {

const char* const kRequest =
    "GET /Documents/Programmation/index.php?page=Zelquor64 HTTP/1.0\r\nHost: localhost\r\n\r\n";
// A server that accepts and then keeps silent must not hold the guide back
// long.
constexpr auto kProbeLimit = std::chrono::milliseconds(1500);
const char* const kBuildTreeGuide = "guide/index.html";
// Set by the build: the installed guide relative to the installed program.
const char* const kInstalledGuide = ZELQUOR_INSTALLED_GUIDE;

// Waits for the socket to be ready for `events` until the deadline.
bool readyBefore(int socket, short events, std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return false;
  pollfd wanted{socket, events, 0};
  return poll(&wanted, 1, static_cast<int>(left.count())) == 1 && (wanted.revents & events) != 0;
}

bool answersWithPage(const addrinfo& address, std::chrono::steady_clock::time_point deadline) {
  const int s = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
  if (s < 0) return false;
  bool page = false;
  if ((connect(s, address.ai_addr, address.ai_addrlen) == 0 || errno == EINPROGRESS) &&
      readyBefore(s, POLLOUT, deadline) && send(s, kRequest, std::strlen(kRequest), MSG_NOSIGNAL) > 0) {
    char head[16] = {};
    size_t got = 0;
    while (got < sizeof head - 1 && readyBefore(s, POLLIN, deadline)) {
      const ssize_t n = recv(s, head + got, sizeof head - 1 - got, 0);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    // "HTTP/1.1 200 OK": the status follows the version.
    page = std::strncmp(head, "HTTP/1.", 7) == 0 && std::strncmp(head + 8, " 200", 4) == 0;
  }
  close(s);
  return page;
}

bool isFile(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::string programFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string program(path, static_cast<size_t>(n));
  return program.substr(0, program.rfind('/'));
}

// The browser starts from a shell that ends at once, so that no process of
// ours is left to reap; it gets the address as an argument, never as shell
// text, and writes nowhere near the trace.
void startBrowser(const std::string& browser, const std::string& address) {
  const char* const argv[] = {
      "sh", "-c", "\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &", browser.c_str(), address.c_str(), nullptr};
  pid_t shell = 0;
  if (posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) == 0)
    waitpid(shell, nullptr, 0);
}

void open(const std::string& path) {
  const std::string address = documentationAddress(pageServed(kDocumentationPort), programFolder());
  const std::string browser = browserCommand(path);
  if (browser.empty())
    std::fprintf(stderr, "zelquor: no browser to open the guide (neither firefox nor xdg-open is installed): %s\n",
                 address.c_str());
  else startBrowser(browser, address);
}

}  // namespace

bool pageServed(int port) {
  const auto deadline = std::chrono::steady_clock::now() + kProbeLimit;
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo("localhost", std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool served = false;
  for (const addrinfo* a = found; a != nullptr && !served; a = a->ai_next) served = answersWithPage(*a, deadline);
  freeaddrinfo(found);
  return served;
}

std::string guideFile(const std::string& programFolder) {
  for (const char* relative : {kBuildTreeGuide, kInstalledGuide}) {
    const std::string path = programFolder + "/" + relative;
    if (isFile(path)) return path;
  }
  return "";
}

std::string fileAddress(const std::string& path) {
  static const char* const kPlain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/-._~";
  std::string address = "file://";
  for (const char c : path) {
    if (c != '\0' && std::strchr(kPlain, c) != nullptr) {
      address += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      address += escaped;
    }
  }
  return address;
}

std::string documentationAddress(bool served, const std::string& programFolder) {
  if (served) return kDocumentationUrl;
  const std::string guide = guideFile(programFolder);
  return guide.empty() ? kDocumentationUrl : fileAddress(guide);
}

std::string browserCommand(const std::string& path) {
  for (const char* browser : {"firefox", "xdg-open"}) {
    size_t start = 0;
    while (start <= path.size()) {
      size_t end = path.find(':', start);
      if (end == std::string::npos) end = path.size();
      const std::string folder = end == start ? "." : path.substr(start, end - start);
      if (access((folder + "/" + browser).c_str(), X_OK) == 0) return browser;
      start = end + 1;
    }
  }
  return "";
}

void openDocumentation() {
  const char* path = std::getenv("PATH");
  std::thread(open, std::string(path ? path : "")).detach();
}
