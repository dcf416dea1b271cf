// The signals that ask the program to end: SIGTERM (a session manager,
// logout, systemd), SIGINT (Ctrl+C) and SIGHUP (the terminal closed). Each
// ends it as a close of its window does, by way of the event loop: the
// handler only writes to a pipe that the loop's wait watches.
#ifndef ZELQUOR_END_SIGNALS_H
#define ZELQUOR_END_SIGNALS_H

// Installs the handlers; done first of all, so that a signal that comes
// while the program starts is kept for the loop rather than killing it.
bool watchEndSignals();

// Readable once a signal has come: for the loop's wait.
int endSignalDescriptor();

// Whether one of the signals has come, now or before. Later signals change
// nothing: the end they ask for is already under way.
bool endRequested();

#endif
