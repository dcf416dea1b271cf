#include "sentGains.h"

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "boardFacts.h"

namespace {

const std::regex kGainLine(R"(pad=(\d+)dtcentre= \S+gain=(\S+))" + kPadAddressPrefix + R"((\d+))");

// Lines that set the move mode, and the mode each sets.
const std::vector<std::pair<std::string, int>> kModeLines = {
    {kMoveOneLine, kSingleMode},   {kMoveGroupLine, kGroupMode}, {kMoveAllLine, kAllMode},
    {keyLine(kKeyS), kSingleMode}, {keyLine(kKeyG), kGroupMode}, {keyLine(kKeyT), kAllMode}};
const std::string kDeleteKey = keyLine(kKeyD);

// Pointer moves step a drag only inside this zone.
constexpr int kMoveLeft = 9, kMoveRight = 939, kMoveTop = 15, kMoveBottom = 949;

// The shared channel carries the product of two parameters, each traced to
// six significant digits.
constexpr float kProductTolerance = 2e-5f;

bool startsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

// The gain as the trace writes it: the stream's default six digits.
std::string traced(float gain) {
  std::ostringstream text;
  text << gain;
  return text.str();
}

}  // namespace

SentGains::SentGains() = default;

void SentGains::read(const std::vector<std::string>& lines) {
  for (const auto& line : lines) take(line);
}

void SentGains::take(const std::string& line) {
  std::smatch gain;
  if (std::regex_match(line, gain, kGainLine)) {
    // The steps of a group or all move may push a token off this pad after
    // its gain was sent.
    sent_[std::stoi(gain[3])] = {gain[2], inGroupStep_};
    previous_ = line;
    return;
  }
  inGroupStep_ = false;
  if (startsWith(line, kMessagePrefix)) {
    const int pad = std::stoi(line.substr(kMessagePrefix.size()));
    if (pad < kParameters) sent_[pad] = {};
  } else if (line == kMuteAllLine || (line == kDeleteKey && moveMode_ == kAllMode)) {
    muteAll();
  } else if (line == kMuteGroupLine || (line == kDeleteKey && moveMode_ == kGroupMode)) {
    openAll();
  } else if (startsWith(line, kMouseXPrefix) || startsWith(line, kMouseYPrefix)) {
    takePointerLine(line);
  } else {
    for (const auto& [text, mode] : kModeLines)
      if (line == text) moveMode_ = mode;
  }
  previous_ = line;
}

// A press writes its point after its own line; any other point is a move,
// which steps a drag in group or all mode inside the move zone.
void SentGains::takePointerLine(const std::string& line) {
  if (startsWith(line, kMouseXPrefix)) {
    afterLeftPress_ = previous_ == kLeftPressLine;
    pointerX_ = std::stoi(line.substr(kMouseXPrefix.size()));
    return;
  }
  const int y = std::stoi(line.substr(kMouseYPrefix.size()));
  const bool inMoveZone = pointerX_ >= kMoveLeft && pointerX_ <= kMoveRight && y >= kMoveTop && y <= kMoveBottom;
  if (!afterLeftPress_ && inMoveZone && moveMode_ != kSingleMode) {
    openAll();
    inGroupStep_ = true;
  }
}

void SentGains::muteAll() { sent_.fill(Sent()); }

void SentGains::openAll() {
  for (auto& parameter : sent_) parameter.maybeZero = true;
}

bool SentGains::certain() const {
  for (const auto& parameter : sent_)
    if (parameter.maybeZero && parameter.text != "0") return false;
  return true;
}

bool SentGains::silent(int channel) const {
  for (int p : padsOfChannel(channel))
    if (sent_[p].text == "0") return true;
  return false;
}

float SentGains::channelGain(int channel) const {
  float gain = 1.0f;
  for (int p : padsOfChannel(channel)) gain *= std::strtof(sent_[p].text.c_str(), nullptr);
  return gain;
}

bool SentGains::maySilenceUntold(int channel) const {
  for (int p : padsOfChannel(channel))
    if (sent_[p].maybeZero && sent_[p].text != "0") return true;
  return false;
}

bool SentGains::matches(int channel, float heard) const {
  const auto parameters = padsOfChannel(channel);
  bool mayBeZero = false;
  for (int p : parameters) mayBeZero = mayBeZero || sent_[p].maybeZero;
  if (heard == 0.0f && (mayBeZero || silent(channel))) return true;
  if (silent(channel)) return false;
  if (parameters.size() == 1) return traced(heard) == sent_[parameters[0]].text;
  const float product =
      std::strtof(sent_[parameters[0]].text.c_str(), nullptr) * std::strtof(sent_[parameters[1]].text.c_str(), nullptr);
  return std::fabs(heard - product) <= kProductTolerance * product;
}

std::string SentGains::describe(int channel) const {
  std::string text;
  for (int p : padsOfChannel(channel))
    text += (text.empty() ? "" : " times ") + std::string("canal") + std::to_string(p) + " = " + sent_[p].text +
            (sent_[p].maybeZero && sent_[p].text != "0" ? " or 0" : "");
  return text;
}

SentGains::Comparison SentGains::compare(const std::array<float, kChannels>& heard) const {
  Comparison result;
  for (int k = 0; k < kChannels; ++k) {
    bool open = false;
    for (int p : padsOfChannel(k)) open = open || (sent_[p].maybeZero && sent_[p].text != "0");
    ++(open && !silent(k) ? result.eitherOrZero : result.exact);
    if (matches(k, heard[k])) continue;
    std::ostringstream line;
    line.precision(9);
    line << "channel " << k << ": heard " << heard[k] << ", sent " << describe(k);
    result.mismatches.push_back(line.str());
  }
  return result;
}
