#include "demoSession.h"

#include <iostream>

#include "sentGains.h"

namespace {

// Long enough for each step to show as a plateau in the plot of levels.
constexpr double kHoldSeconds = 0.6;

Checkpoint checkpointAfter(const SessionPlayer& player, const ScriptedEvent& event, int number, long startCycle) {
  Checkpoint c;
  c.number = number;
  c.label = event.label;
  c.startCycle = startCycle;
  c.endCycle = player.meter().recordedCycles() - 1;
  c.heard = player.meter().gainsOf(c.endCycle);
  const auto lines = player.output();
  c.traceLines = lines.size();
  SentGains told;
  told.read(lines);
  for (int k = 0; k < kChannelCount; ++k) {
    c.told[k] = told.channelGain(k);
    c.maySilenceUntold[k] = told.maySilenceUntold(k);
  }
  c.screenshot = event.screenshot;
  c.caption = event.caption;
  return c;
}

}  // namespace

std::vector<Checkpoint> playScript(SessionPlayer& player, const std::vector<ScriptedEvent>& script,
                                   const std::string& outputFolder) {
  std::vector<Checkpoint> checkpoints;
  player.settle();
  for (const auto& event : script) {
    const int number = static_cast<int>(checkpoints.size()) + 1;
    std::cerr << "zelquor demo: " << number << "/" << script.size() << " " << event.label << std::endl;
    const long startCycle = player.meter().recordedCycles();
    event.play(player);
    player.settle();
    checkpoints.push_back(checkpointAfter(player, event, number, startCycle));
    if (!event.screenshot.empty()) player.screenshot(outputFolder + "/" + event.screenshot);
    player.pause(kHoldSeconds);
  }
  return checkpoints;
}
