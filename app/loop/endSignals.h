// The signals that ask the program to end: SIGTERM (a session manager,
// logout, systemd), SIGINT (Ctrl+C) and SIGHUP (the terminal closed). Each
// ends it as a close of its window does, by way of the event loop: the
// handler only writes to a pipe that the loop's wait watches.
//
// Only the loop's thread takes them, and only while it runs the loop: a
// signal that lands on a thread in the middle of a request to the JACK
// server cuts that request (its socket has a time limit, so the call is
// not restarted), and one that lands during the end would leave ports'
// properties behind. Until then, and from the end on, they wait.
#ifndef ZELQUOR_END_SIGNALS_H
#define ZELQUOR_END_SIGNALS_H

// Installs the handlers and holds the signals in the calling thread, and so
// in every thread it starts: done first of all, before any other thread.
bool watchEndSignals();

// The calling thread takes them from now on: the loop's, once the engine's
// threads are started.
void takeEndSignals();

// The calling thread holds them again: at the start of the end.
void holdEndSignals();

// Readable once a signal has come: for the loop's wait.
int endSignalDescriptor();

// Whether one of the signals has come, or waits to be taken.
bool endRequested();

#endif
