// Plays the demo script through a session player and keeps, for every
// event, when it ran, what the trace said and what the meter heard.
#ifndef ZELQUOR_DEMO_DEMO_SESSION_H
#define ZELQUOR_DEMO_DEMO_SESSION_H

#include <string>
#include <vector>

#include "checkpoint.h"
#include "demoScript.h"
#include "sessionPlayer.h"

// Screenshots are written into outputFolder.
std::vector<Checkpoint> playScript(SessionPlayer& player, const std::vector<ScriptedEvent>& script,
                                   const std::string& outputFolder);

#endif
