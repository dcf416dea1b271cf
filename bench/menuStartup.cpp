#include "menuStartup.h"

#include <iostream>
#include <memory>
#include <optional>
#include <thread>

#include "benchSubject.h"
#include "boardFacts.h"
#include "pipewireServer.h"
#include "scratchFolder.h"

namespace {

constexpr auto kSettleTime = std::chrono::milliseconds(500);

// The command a desktop entry starts, from a home folder.
Subject installedCommand(const std::string& prefix, const std::string& home) {
  Subject command{"launcher", prefix + "/bin/zelquor", {}, kRunningPrefix, true};
  command.workingDirectory = home;
  command.choosesServer = true;
  return command;
}

// The installed program as the command starts it: from the data folder,
// through pw-jack on PipeWire (SubjectRun adds it there).
Subject installedProgram(const std::string& prefix) {
  Subject program{"direct", prefix + "/" ZELQUOR_PRIVATE_DIR "/zelquor", {}, kRunningPrefix, true};
  program.workingDirectory = prefix + "/" ZELQUOR_DATA_DIR;
  return program;
}

struct Server {
  std::string name;
  Servers servers;
  std::vector<std::string> environment;
  bool sound;  // whether the running line ends in 1
};

double startUpTime(const Subject& subject, const Server& server) {
  std::unique_ptr<SubjectRun> run;
  if (server.sound) {
    run = startRunning(subject, server.servers, server.environment);
  } else {
    run = std::make_unique<SubjectRun>(subject, server.servers, server.environment);
    run->waitUntilRunning();
  }
  const double ms = run->startUpTime().count();
  run->close();
  // The server drops the client of a process that has ended on its own time.
  std::this_thread::sleep_for(kSettleTime);
  return ms;
}

}  // namespace

void runMenuStartups(const XServer& x, const JackServer& jack, const std::string& prefix, int runs,
                     std::map<std::string, std::vector<double>>& menu) {
  const ScratchFolder home("zelquorBenchHome"), runtime("zelquorBenchRuntime");
  // Neither a user's PipeWire nor a session bus: the runtime folder is empty.
  const std::vector<std::string> away = {"HOME=" + home.path(), "XDG_RUNTIME_DIR=" + runtime.path(),
                                         "PIPEWIRE_RUNTIME_DIR=" + runtime.path(),
                                         "DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtime.path() + "/bus"};
  std::vector<Server> servers = {{"jackd", {x, &jack}, away, true}};
  std::optional<PipewireServer> pipewire;
  try {
    pipewire.emplace();
    std::vector<std::string> environment = absentJackServerEntries();
    environment.push_back("HOME=" + home.path());
    servers.push_back({"pipewire", {x, nullptr, &*pipewire}, environment, true});
  } catch (const std::exception& error) {
    std::cerr << "systemBench: no PipeWire row: " << error.what() << std::endl;
  }
  servers.push_back({"none", {x}, away, false});
  const Subject command = installedCommand(prefix, home.path()), program = installedProgram(prefix);
  for (const Server& server : servers) {
    for (int i = 0; i < runs; ++i)
      for (const Subject* subject : i % 2 == 0 ? std::vector{&command, &program} : std::vector{&program, &command})
        menu[subject->name + "/" + server.name + "/ms"].push_back(startUpTime(*subject, server));
    std::cerr << "systemBench: start-ups from the menu on " << server.name << " done" << std::endl;
  }
}
