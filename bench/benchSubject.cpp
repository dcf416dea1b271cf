#include "benchSubject.h"

#include <signal.h>

#include <fstream>
#include <iostream>
#include <stdexcept>

#include "boardFacts.h"
#include "programOnServer.h"

namespace {

constexpr Timeout kReadyTimeout = std::chrono::seconds(60);
constexpr Timeout kCloseTimeout = std::chrono::seconds(15);
const std::string kPeakMemoryField = "VmHWM:";

}  // namespace

Subject zelquorProgram() { return {"program", zelquorExecutable(), {}, kRunningPrefix, true}; }

Subject drawingEveryPass() {
  return {"drawEveryPass", ZELQUOR_DRAW_EVERY_PASS_EXECUTABLE, {}, kRunningPrefix, true};
}

Subject frameFloor(int tokens, bool withJack) {
  Subject floor{"frameFloor", ZELQUOR_FRAME_FLOOR, {std::to_string(tokens)}, "floor running =", true};
  if (!withJack) floor.arguments.push_back("--no-jack");
  return floor;
}

Subject startupFloor() { return {"startupFloor", ZELQUOR_STARTUP_FLOOR, {}, "floor running =", true}; }

Subject bareCopyClient() { return {"bareCopyClient", ZELQUOR_BARE_COPY_CLIENT, {}, "bare client running =", false}; }

SubjectRun::SubjectRun(const Subject& subject, const Servers& servers, const std::vector<std::string>& extraEnvironment)
    : subject_(subject), servers_(servers) {
  AppOptions options;
  options.program = subject.program;
  options.arguments = subject.arguments;
  options.workingDirectory = subject.workingDirectory;
  if (servers.pipewire != nullptr) {
    if (!subject.choosesServer) {
      options.program = kPipewireJackCommand;
      options.arguments.insert(options.arguments.begin(), subject.program);
    }
    options.environment = environmentOn(servers.x, *servers.pipewire);
  } else if (servers.jack != nullptr) {
    options.environment = environmentOn(servers.x, *servers.jack);
  } else {
    options.environment = absentJackServerEntries();
    options.environment.push_back(servers.x.displayEntry());
  }
  options.environment.insert(options.environment.end(), extraEnvironment.begin(), extraEnvironment.end());
  startedAt_ = std::chrono::steady_clock::now();
  process_ = std::make_unique<AppProcess>(options);
}

SubjectRun::~SubjectRun() {
  try {
    close();
  } catch (...) {
    // The process is killed with process_ in any case.
  }
}

bool SubjectRun::waitUntilRunning() {
  const auto line = process_->waitForLine(subject_.readyPrefix, LineMatch::prefix, kReadyTimeout);
  readyAt_ = std::chrono::steady_clock::now();
  if (!line) throw std::runtime_error(subject_.name + " did not start; its stderr:\n" + process_->stderrText());
  return line->substr(subject_.readyPrefix.size()) == "1";
}

XWindow& SubjectRun::window() {
  if (!window_) window_ = XWindow::awaitTitled(servers_.x.displayName(), kProgramWindowTitle);
  if (!window_) throw std::runtime_error(subject_.name + ": no window");
  return *window_;
}

long SubjectRun::peakResidentKiB() const {
  std::ifstream status("/proc/" + std::to_string(process_->pid()) + "/status");
  std::string field;
  while (status >> field) {
    if (field == kPeakMemoryField) {
      long kib = -1;
      status >> kib;
      return kib;
    }
  }
  return -1;
}

void SubjectRun::close() {
  if (!process_ || !process_->running()) return;
  if (subject_.hasWindow) window().requestClose();
  else process_->sendSignal(SIGTERM);
  process_->waitForExit(kCloseTimeout);
}

std::unique_ptr<SubjectRun> startRunning(const Subject& subject, const Servers& servers,
                                         const std::vector<std::string>& environment) {
  std::unique_ptr<SubjectRun> run;
  const std::string failure = retryStart([&] {
    run.reset();
    run = std::make_unique<SubjectRun>(subject, servers, environment);
    if (run->waitUntilRunning()) return std::string();
    std::cerr << subject.name << " started without its JACK client" << std::endl;
    return subject.name + " started without its JACK client";
  });
  if (!failure.empty()) throw std::runtime_error(failure);
  return run;
}
