// Where a JACK server that the JACK library starts for the program writes.
#ifndef ZELQUOR_STARTED_SERVER_OUTPUT_H
#define ZELQUOR_STARTED_SERVER_OUTPUT_H

// When no server answers, the JACK library may start one (a user's
// ~/.jackdrc) in a process forked from the program, which inherits the
// program's standard output: the server's banner and messages would land in
// the trace. While an object of this class lives, every process forked from
// the program writes its standard output to the program's standard error
// instead; the program's own standard output is left as it is.
class startedServerOutputAside {
 public:
  startedServerOutputAside();
  ~startedServerOutputAside();
  startedServerOutputAside(const startedServerOutputAside&) = delete;
  startedServerOutputAside& operator=(const startedServerOutputAside&) = delete;
};

#endif
