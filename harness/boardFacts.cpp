#include "boardFacts.h"

std::vector<int> padsOfChannel(int channel) {
  if (channel < kSharedChannel) return {channel};
  if (channel == kSharedChannel) return {kSharedChannel, kSharedChannel + 1};
  return {channel + 1};
}
