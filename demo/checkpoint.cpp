#include "checkpoint.h"

#include <cmath>

bool silencedUntold(const Checkpoint& checkpoint, int channel) {
  return checkpoint.heard[channel] == 0.0f && checkpoint.told[channel] != 0.0f && checkpoint.maySilenceUntold[channel];
}

bool agrees(const Checkpoint& checkpoint, int channel) {
  return std::fabs(checkpoint.heard[channel] - checkpoint.told[channel]) <= kGainTolerance ||
         silencedUntold(checkpoint, channel);
}

bool agreesEverywhere(const Checkpoint& checkpoint) {
  for (int k = 0; k < kChannelCount; ++k)
    if (!agrees(checkpoint, k)) return false;
  return true;
}
