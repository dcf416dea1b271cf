#include "xServer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "childStop.h"
#include "outsideCommands.h"

namespace {

// Far above the displays that a desktop session uses.
constexpr int kFirstDisplay = 90;
constexpr int kDisplaysToTry = 100;
constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kPollStep = std::chrono::milliseconds(20);
constexpr int kExecFailed = 127;

std::string lockPath(int number) { return "/tmp/.X" + std::to_string(number) + "-lock"; }
std::string socketPath(int number) { return "/tmp/.X11-unix/X" + std::to_string(number); }

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// The server that holds a display writes its process number into the lock.
pid_t lockOwner(int number) {
  std::ifstream lock(lockPath(number));
  long owner = -1;
  lock >> owner;
  return lock ? static_cast<pid_t>(owner) : -1;
}

bool acceptsClients(const std::string& displayName) {
  Display* display = XOpenDisplay(displayName.c_str());
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace

XServer::XServer(int screenWidth, int screenHeight) : screenWidth_(screenWidth), screenHeight_(screenHeight) {
  requireCommand("Xvfb");
  for (int number = kFirstDisplay; number < kFirstDisplay + kDisplaysToTry; ++number)
    if (tryDisplay(number)) return;
  throw std::runtime_error("no free display for a private Xvfb");
}

XServer::~XServer() { stop(); }

int screenWidthOn(const std::string& displayName) {
  Display* display = XOpenDisplay(displayName.c_str());
  if (display == nullptr) return 0;
  const int width = DisplayWidth(display, DefaultScreen(display));
  XCloseDisplay(display);
  return width;
}

void setRootResources(const std::string& displayName, const std::string& resources) {
  Display* display = XOpenDisplay(displayName.c_str());
  if (display == nullptr) throw std::runtime_error("cannot reach " + displayName);
  const Atom property = XInternAtom(display, "RESOURCE_MANAGER", False);
  const Window root = DefaultRootWindow(display);
  if (resources.empty()) {
    XDeleteProperty(display, root, property);
  } else {
    XChangeProperty(display, root, property, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
  }
  XCloseDisplay(display);
}

bool XServer::tryDisplay(int number) {
  if (exists(lockPath(number)) || exists(socketPath(number))) return false;
  const std::string name = ":" + std::to_string(number);
  const std::string screen = std::to_string(screenWidth_) + "x" + std::to_string(screenHeight_) + "x24";
  // Without -noreset the server resets whenever its last client leaves, and
  // refuses connections meanwhile: a program started right after the
  // readiness probe disconnected could not open the display.
  std::vector<std::string> argv = {"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
  std::vector<char*> pointers;
  for (auto& text : argv) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // Terminated rather than killed with the test, so that it removes its lock.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);
    const int nullFd = open("/dev/null", O_RDWR);
    dup2(nullFd, STDIN_FILENO);
    dup2(nullFd, STDOUT_FILENO);
    dup2(nullFd, STDERR_FILENO);
    execvp(pointers[0], pointers.data());
    _exit(kExecFailed);
  }
  if (waitUntilServing(number)) {
    number_ = number;
    return true;
  }
  stop();
  return false;
}

// Another test may have taken the same display between the probe and the
// start; then this server gives up and the one that answers is not ours.
bool XServer::waitUntilServing(int number) {
  const std::string name = ":" + std::to_string(number);
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      if (WIFEXITED(status) && WEXITSTATUS(status) == kExecFailed)
        throw std::runtime_error(missingCommandReason("Xvfb"));
      return false;
    }
    if (acceptsClients(name)) return lockOwner(number) == pid_;
    std::this_thread::sleep_for(kPollStep);
  }
  return false;
}

void XServer::stop() {
  if (pid_ <= 0) return;
  stopChild(pid_, SIGTERM);
  pid_ = -1;
}
