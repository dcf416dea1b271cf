// The scripted session that the demo plays: what a user does, event by
// event, and the moments at which the board is pictured.
#ifndef ZELQUOR_DEMO_DEMO_SCRIPT_H
#define ZELQUOR_DEMO_DEMO_SCRIPT_H

#include <functional>
#include <string>
#include <vector>

class SessionPlayer;

struct ScriptedEvent {
  std::string label;
  std::function<void(SessionPlayer&)> play;
  // A picture of the board once the event is done: its file name and what
  // it shows; empty for none.
  std::string screenshot;
  std::string caption;
};

std::vector<ScriptedEvent> demoScript();

#endif
