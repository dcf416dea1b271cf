// A private PipeWire daemon for one test run, as a desktop session has it:
// a runtime folder of its own, a private D-Bus session bus, the daemon and
// its session manager (WirePlumber). Nothing of a user's session is touched.
// JACK clients reach it through PipeWire's JACK layer (pw-jack). It is
// started by harness/pipewireRunner, with the start-up the shell tests use.
#ifndef ZELQUOR_TESTS_PIPEWIRE_SERVER_H
#define ZELQUOR_TESTS_PIPEWIRE_SERVER_H

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "scratchFolder.h"

// Runs a JACK program on PipeWire's JACK layer: pw-jack PROGRAM [ARG...].
constexpr char kPipewireJackCommand[] = "pw-jack";

class PipewireServer {
 public:
  // Starts the bus, the daemon and the session manager and waits until
  // clients can be served; throws on failure.
  PipewireServer();
  ~PipewireServer();
  PipewireServer(const PipewireServer&) = delete;
  PipewireServer& operator=(const PipewireServer&) = delete;

  // Environment entries for a child process that must use this daemon.
  std::vector<std::string> environment() const;
  // Points this process's clients (JACK ones through pw-jack) at it.
  void useInThisProcess() const;

  // Forces every cycle to this many frames; 0 gives the daemon its own again.
  void forceQuantum(int frames) const;
  // Ends the daemon alone with the signal and waits until it is gone.
  void stopDaemon(int signal);

 private:
  // Runs a PipeWire tool on this daemon; true when it exits with status 0.
  bool tool(const std::vector<std::string>& arguments) const;

  // Made first and removed last: the processes run in it.
  ScratchFolder runtime_{"zelquorPipewire."};
  std::unique_ptr<AppProcess> runner_;
  pid_t daemon_ = -1;
};

#endif
