// What the program's trace says each of its 64 gain parameters was last
// sent, and so what each of its 63 channels must carry.
//
// Every gain that the gain law sends has a trace line of its own, and a
// single mute's 0 its "message=" line. Three sends of 0 leave no line:
// muting every token reaches all 64 parameters, so its effect is known
// from the button's line or the delete key in all mode; muting a group,
// and a token pushed off its pad by a group or all drag step, reach
// parameters that depend on the board. After one of those two, a
// parameter holds either what it had or 0 until a line names it again.
// A token pushed off by a single-mode step leaves nothing open: that
// step's gain line for the same pad follows.
#ifndef ZELQUOR_HARNESS_SENT_GAINS_H
#define ZELQUOR_HARNESS_SENT_GAINS_H

#include <array>
#include <string>
#include <vector>

#include "boardFacts.h"

class SentGains {
 public:
  static constexpr int kParameters = kPadTotal;
  static constexpr int kChannels = kChannelTotal;

  // Every parameter at 0, as the engine starts.
  SentGains();

  // Takes the trace lines written after the engine's start line, in order,
  // each exactly once.
  void read(const std::vector<std::string>& lines);

  // True when every parameter's value is known exactly.
  bool certain() const;
  // True when the channel must carry exactly 0.
  bool silent(int channel) const;
  // The gain the channel applies by the last traced values, formed as the
  // engine forms it.
  float channelGain(int channel) const;
  // True when an untraced 0 may have replaced a traced value since.
  bool maySilenceUntold(int channel) const;

  struct Comparison {
    std::vector<std::string> mismatches;  // one line per channel heard wrong
    int exact = 0;                        // channels with one possible gain
    int eitherOrZero = 0;                 // channels that may also carry 0
  };
  // Compares the gains heard on the 63 channels with what was sent.
  Comparison compare(const std::array<float, kChannels>& heard) const;

 private:
  // A parameter's last traced value as the trace writes it ("0" for the
  // zeros), and whether an untraced 0 may have come after it.
  struct Sent {
    std::string text = "0";
    bool maybeZero = false;
  };

  void take(const std::string& line);
  void takePointerLine(const std::string& line);
  void muteAll();
  void openAll();
  bool matches(int channel, float heard) const;
  std::string describe(int channel) const;

  std::array<Sent, kParameters> sent_;
  int moveMode_ = 0;
  bool afterLeftPress_ = false;
  bool inGroupStep_ = false;
  int pointerX_ = -1;
  std::string previous_;
};

#endif
