// Every JACK program of a user shares one metadata store in /dev/shm, and
// each JACK server removes it as it ends. A server ending while another
// program makes the store again can leave it cut short, and every JACK
// program of the user then dies of a bus error or hangs: tests run side by
// side would break each other, and a user's running session. So a process
// of the harness that runs JACK programs (its servers, the program, the
// facade) takes a /dev/shm of its own before anything else, where it may
// (as root) and unless it was started to use a server named in
// JACK_DEFAULT_SERVER: its children share it, nothing outside sees it.
#ifndef ZELQUOR_HARNESS_OWN_SHM_H
#define ZELQUOR_HARNESS_OWN_SHM_H

// True once this process has its own /dev/shm; false, and nothing changed,
// where it may not have one. Taken once; later calls only say which.
bool takeOwnShm();

#endif
