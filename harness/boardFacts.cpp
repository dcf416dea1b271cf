#include "boardFacts.h"

std::string keyLine(int code) { return "key:" + std::to_string(code) + " c"; }

std::vector<int> padsOfChannel(int channel) {
  if (channel < kSharedChannel) return {channel};
  if (channel == kSharedChannel) return {kSharedChannel, kSharedChannel + 1};
  return {channel + 1};
}
