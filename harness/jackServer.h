// A private JACK server for one test run: jackd with the dummy backend under
// a name of its own, so tests never touch a server that a user runs.
#ifndef ZELQUOR_HARNESS_JACK_SERVER_H
#define ZELQUOR_HARNESS_JACK_SERVER_H

#include <sys/types.h>

#include <string>
#include <vector>

class JackServer {
 public:
  // Starts the server and waits until clients can connect; throws on failure.
  // The server options go before the driver's, e.g. {"-R", "-P", "70"} for
  // real-time scheduling at priority 70, {"-r"} for none; without them jackd
  // takes its own defaults (real-time at priority 10 where it may).
  explicit JackServer(int sampleRate = 48000, int framesPerPeriod = 256,
                      const std::vector<std::string>& serverOptions = {});
  ~JackServer();
  JackServer(const JackServer&) = delete;
  JackServer& operator=(const JackServer&) = delete;

  const std::string& name() const { return name_; }
  pid_t pid() const { return pid_; }

  // Points this process's JACK clients at this server (and never at a
  // server that libjack would start on its own).
  void useInThisProcess() const;

  // Environment entries for a child process that must use this server.
  std::string defaultServerEntry() const { return "JACK_DEFAULT_SERVER=" + name_; }
  static const char* noStartEntry() { return "JACK_NO_START_SERVER=1"; }

  // Ends the server with the signal and waits until it is gone.
  void stop(int signal);

 private:
  std::string name_;
  pid_t pid_ = -1;
  int lockFd_ = -1;
};

#endif
