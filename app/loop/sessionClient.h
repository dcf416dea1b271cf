// Taking part in a studio's session: when a session manager speaking NSM's
// API 1.1 starts the program, it gives the manager's OSC address in NSM_URL.
// The program then announces itself, opens its JACK client only once the
// manager has sent the open, says when it is ready, and answers each save
// at once (it keeps no state; the manager keeps the connections). The
// manager ends it with SIGTERM (endSignals.h).
//
// The JACK client keeps its name "zelquors", which patchbays and saved
// connections rely on, rather than taking the session's client id: a
// session holds one board.
//
// The manager never stops the program from starting: when the address is
// unusable, the manager refuses the program or does not answer in time, one
// line on standard error says so and the program runs as without a session.
#ifndef ZELQUOR_SESSION_CLIENT_H
#define ZELQUOR_SESSION_CLIENT_H

#include <chrono>

// The most the start-up waits for the manager: for its answer to the
// announce, then for its open.
constexpr auto kAnnounceAnswerWait = std::chrono::seconds(2);
constexpr auto kSessionOpenWait = std::chrono::seconds(5);

// Called right before the engine opens its JACK client. Without NSM_URL it
// returns at once: no socket, no thread. Under a manager it returns once the
// open has come, or the wait is given up, or an end signal came.
bool awaitSessionOpen();

// Called once the engine runs: answers the manager's open (now, or when it
// comes later).
void tellSessionReady(bool withSound);

#endif
