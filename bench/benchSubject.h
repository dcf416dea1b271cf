// One run of the program or of one of its floor programs under the bench's
// private X and audio servers (a JACK server, or a PipeWire daemon reached
// through pw-jack): started, waited for until it says it runs, looked at,
// and closed as a user closes a window.
#ifndef ZELQUOR_BENCH_BENCH_SUBJECT_H
#define ZELQUOR_BENCH_BENCH_SUBJECT_H

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackServer.h"
#include "pipewireServer.h"
#include "xServer.h"
#include "xWindow.h"

struct Subject {
  std::string name;     // as the table shows it
  std::string program;  // executable
  std::vector<std::string> arguments;
  std::string readyPrefix;  // its "it runs" line, less the final 1 or 0
  bool hasWindow = true;
  std::string workingDirectory = projectRoot();
  // Started as it is on PipeWire, not through pw-jack: it chooses its server.
  bool choosesServer = false;
};

Subject zelquorProgram();
// The program built to draw a frame after every pass that handled an event.
Subject drawingEveryPass();
Subject frameFloor(int tokens, bool withJack = true);
Subject startupFloor();
Subject bareCopyClient();

// One audio server: the JACK server, or else the PipeWire daemon, on which
// subjects start through pw-jack as users start a JACK program there; with
// neither, subjects start with no JACK server to reach.
struct Servers {
  const XServer& x;
  const JackServer* jack = nullptr;
  const PipewireServer* pipewire = nullptr;
};

class SubjectRun {
 public:
  // Starts the subject; extra entries go into its environment.
  SubjectRun(const Subject& subject, const Servers& servers, const std::vector<std::string>& extraEnvironment = {});
  ~SubjectRun();
  SubjectRun(const SubjectRun&) = delete;
  SubjectRun& operator=(const SubjectRun&) = delete;

  // Waits for the ready line; true when it ends in 1 (audio running).
  // Throws when it does not come.
  bool waitUntilRunning();
  // How long after the start the ready line came.
  std::chrono::duration<double, std::milli> startUpTime() const { return readyAt_ - startedAt_; }

  AppProcess& process() { return *process_; }
  const AppProcess& process() const { return *process_; }
  XWindow& window();
  // Peak resident memory so far, in KiB (VmHWM).
  long peakResidentKiB() const;
  // Closes the window (or sends SIGTERM to a windowless subject) and waits
  // for the end; kills it when it does not end in time.
  void close();

 private:
  Subject subject_;
  Servers servers_;
  std::chrono::steady_clock::time_point startedAt_;
  std::chrono::steady_clock::time_point readyAt_;
  std::unique_ptr<AppProcess> process_;
  std::unique_ptr<XWindow> window_;
};

// Starts the subject and waits until it runs with its JACK client. A client
// opening at the same moment as a client of another server (other people's
// tests may run one) fails now and then: such a run starts again, as
// retryStart does; throws when no attempt ran.
std::unique_ptr<SubjectRun> startRunning(const Subject& subject, const Servers& servers,
                                         const std::vector<std::string>& environment = {});

#endif
