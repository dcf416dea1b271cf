// Tells which audio server answers, before the program starts, without ever
// starting one. The launcher (and scripts/run) chooses with it; it costs
// about what starting a process costs, since it knocks on the servers'
// sockets rather than opening a client, and loads the JACK library only
// when asked to. Each way of asking ends within kProbeSeconds, whatever a
// server or pw-jack does.
//
//   serverProbe           the JACK server's socket, then PipeWire's; status
//                         0 a JACK server (jackd) answers
//                         2 the PipeWire daemon answers, and pw-jack gives
//                           programs PipeWire's JACK layer
//                         3 the PipeWire daemon answers, but there is no pw-jack
//                         4 the PipeWire daemon answers, but pw-jack fails or
//                           gives programs another JACK library
//                         1 neither answers
//   serverProbe --jack    0 when the JACK server answers at its socket, else 1
//   serverProbe --client  0 when a JACK client opens through the JACK library
//                         (whichever it is), else 1
//   serverProbe --layer   0 when the JACK library that programs get here is
//                         PipeWire's (run by pw-jack), else 1
//
// A socket answers when a connection to it is accepted: a socket file that
// a server left behind refuses it. Written without the C++ library, whose
// loading would double the probe's cost.
#include <dlfcn.h>
#include <errno.h>
#include <jack/jack.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

// The time limit and the answers are the server choice's (serverChoice.sh),
// handed over by the build.
constexpr unsigned kProbeSeconds = ZELQUOR_PROBE_SECONDS;

enum answer {
  jackAnswers = ZELQUOR_JACK_ANSWERED,
  noneAnswers = ZELQUOR_NONE_ANSWERS,
  pipewireLayerWorks = ZELQUOR_LAYER_WORKS,
  pipewireLayerMissing = ZELQUOR_LAYER_MISSING,
  pipewireLayerBroken = ZELQUOR_LAYER_BROKEN,
};

// Where libjack (jack2) and jackd meet: the server's request socket, named
// after the server and, unless servers are shared between users, the user.
const char kJackSocketFolder[] = "/dev/shm";
const char kDefaultJackServer[] = "default";
// Where PipeWire's clients meet the daemon, as its client library finds it.
const char kDefaultPipewireRemote[] = "pipewire-0";
const char* const kPipewireRuntimeFolders[] = {"PIPEWIRE_RUNTIME_DIR", "XDG_RUNTIME_DIR", "USERPROFILE"};
const char kPipewireJackCommand[] = "pw-jack";
const char kJackLibrary[] = "libjack.so.0";
const char kPipewireLibrary[] = "libpipewire-0.3.so.0";

using socketPath = char[sizeof(sockaddr_un::sun_path)];

const char* environmentOr(const char* name, const char* fallback) {
  const char* value = getenv(name);
  return value != nullptr ? value : fallback;
}

// Fills the path; false when it does not fit a socket's address.
bool formatPath(socketPath& path, const char* format, const char* first, const char* second) {
  const int length = snprintf(path, sizeof path, format, first, second);
  return length > 0 && static_cast<size_t>(length) < sizeof path;
}

bool socketAnswers(const socketPath& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  memcpy(address.sun_path, path, sizeof path);
  // Never blocks: a listening socket whose queue is full says EAGAIN, and
  // it has a server behind it all the same.
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 || errno == EAGAIN;
  close(fd);
  return connected;
}

bool jackSocketAnswers() {
  socketPath name;
  if (!formatPath(name, "%s%s", environmentOr("JACK_DEFAULT_SERVER", kDefaultJackServer), "")) return false;
  for (char* c = name; *c != '\0'; ++c)
    if (*c == '/' || *c == '\\') *c = '_';
  char user[32] = "";
  if (getenv("JACK_PROMISCUOUS_SERVER") == nullptr) snprintf(user, sizeof user, "%u_", getuid());
  socketPath path;
  const int length = snprintf(path, sizeof path, "%s/jack_%s_%s0", kJackSocketFolder, name, user);
  return length > 0 && static_cast<size_t>(length) < sizeof path && socketAnswers(path);
}

bool pipewireSocketAnswers() {
  const char* remote = environmentOr("PIPEWIRE_REMOTE", kDefaultPipewireRemote);
  socketPath path;
  if (remote[0] == '/') return formatPath(path, "%s%s", remote, "") && socketAnswers(path);
  for (const char* folder : kPipewireRuntimeFolders)
    if (const char* value = getenv(folder)) return formatPath(path, "%s/%s", value, remote) && socketAnswers(path);
  return false;
}

// Runs pw-jack on this program's --layer, within the time limit; it runs in
// a process group of its own, which is killed when the time runs out.
answer pipewireLayer() {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return pipewireLayerBroken;
  self[length] = '\0';
  sigset_t childEnded, none;
  sigemptyset(&childEnded);
  sigaddset(&childEnded, SIGCHLD);
  sigemptyset(&none);
  sigprocmask(SIG_BLOCK, &childEnded, nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setsigmask(&attributes, &none);
  char command[] = "pw-jack", layer[] = "--layer";
  char* arguments[] = {command, self, layer, nullptr};
  pid_t child = -1;
  const int failure = posix_spawnp(&child, kPipewireJackCommand, nullptr, &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  if (failure == ENOENT) return pipewireLayerMissing;
  if (failure != 0) return pipewireLayerBroken;
  const timespec limit{kProbeSeconds, 0};
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (sigtimedwait(&childEnded, nullptr, &limit) < 0 && errno == EAGAIN) {
      kill(-child, SIGKILL);
      waitpid(child, &status, 0);
      return pipewireLayerBroken;
    }
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? pipewireLayerWorks : pipewireLayerBroken;
}

answer whichAnswers() {
  if (jackSocketAnswers()) return jackAnswers;
  if (!pipewireSocketAnswers()) return noneAnswers;
  return pipewireLayer();
}

// The JACK library that programs get here, loaded as they load it.
void* jackLibrary() { return dlopen(kJackLibrary, RTLD_NOW | RTLD_LOCAL); }

bool layerIsPipewire() {
  return jackLibrary() != nullptr && dlopen(kPipewireLibrary, RTLD_NOW | RTLD_NOLOAD) != nullptr;
}

void quiet(const char*) {}

bool clientOpens() {
  // A server that accepts and then never replies must not hold the start.
  alarm(kProbeSeconds);
  void* library = jackLibrary();
  if (library == nullptr) return false;
  using openFunction = jack_client_t* (*)(const char*, jack_options_t, jack_status_t*, ...);
  using closeFunction = int (*)(jack_client_t*);
  using messageFunction = void (*)(void (*)(const char*));
  const auto open = reinterpret_cast<openFunction>(dlsym(library, "jack_client_open"));
  const auto close = reinterpret_cast<closeFunction>(dlsym(library, "jack_client_close"));
  const auto setError = reinterpret_cast<messageFunction>(dlsym(library, "jack_set_error_function"));
  const auto setInfo = reinterpret_cast<messageFunction>(dlsym(library, "jack_set_info_function"));
  if (open == nullptr || close == nullptr) return false;
  if (setError != nullptr) setError(quiet);
  if (setInfo != nullptr) setInfo(quiet);
  jack_client_t* client = open("zelquorProbe", JackNoStartServer, nullptr);
  if (client == nullptr) return false;
  close(client);
  return true;
}

bool is(const char* argument, const char* mode) { return argument != nullptr && strcmp(argument, mode) == 0; }

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : nullptr;
  if (is(mode, "--jack")) return jackSocketAnswers() ? 0 : 1;
  if (is(mode, "--client")) return clientOpens() ? 0 : 1;
  if (is(mode, "--layer")) return layerIsPipewire() ? 0 : 1;
  return whichAnswers();
}
