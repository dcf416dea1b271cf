// What was heard once a scripted event was done, beside what the program's
// trace says it sent.
#ifndef ZELQUOR_DEMO_CHECKPOINT_H
#define ZELQUOR_DEMO_CHECKPOINT_H

#include <array>
#include <string>

#include "toneMeter.h"

// Recorded gains and sent gains agree this closely: both are single-precision
// products of the same numbers.
constexpr float kGainTolerance = 1e-4f;

struct Checkpoint {
  int number = 0;
  std::string label;
  long startCycle = 0;
  long endCycle = 0;
  // Lines of the program's standard output written by then.
  size_t traceLines = 0;
  ChannelLevels heard{};
  ChannelLevels told{};
  std::array<bool, kChannelCount> maySilenceUntold{};
  std::string screenshot;
  std::string caption;
};

// Heard as told, or silent where a group mute may have silenced it untold.
bool agrees(const Checkpoint& checkpoint, int channel);
bool agreesEverywhere(const Checkpoint& checkpoint);
// Silent where the trace tells a gain, which only a group mute explains.
bool silencedUntold(const Checkpoint& checkpoint, int channel);

#endif
