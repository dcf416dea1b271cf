// The channel gains as the program's trace tells them: each gain line names
// a pad and the gain sent to it, and the mute lines say which pads were set
// to 0. A group mute and a token pushed off its pad send 0 without a line of
// their own, so after a group mute any pad may have been silenced unseen.
#ifndef ZELQUOR_DEMO_TRACE_GAINS_H
#define ZELQUOR_DEMO_TRACE_GAINS_H

#include <array>
#include <string>
#include <vector>

constexpr int kPadTotal = 64;

// The pads whose gains multiply a channel: channel k < 39 is pad k, channel
// 39 is pads 39 and 40 multiplied, channel k > 39 is pad k + 1.
std::vector<int> padsOfChannel(int channel);

class TraceGains {
 public:
  // Takes the next line of the program's standard output.
  void read(const std::string& line);
  void readAll(const std::vector<std::string>& lines);

  float padGain(int pad) const { return padGains_[pad]; }
  // The gain the channel applies, formed as the engine forms it.
  float channelGain(int channel) const;
  // True when a group mute since the last gain line of one of the channel's
  // pads may have set it to 0 without telling.
  bool maySilenceUntold(int channel) const;

 private:
  void setPad(int pad, float gain);
  void silenceAll();
  void afterGroupMute();
  void onKey(int code);

  std::array<float, kPadTotal> padGains_{};
  std::array<bool, kPadTotal> untoldSilence_{};
  int moveMode_ = 0;
};

#endif
