#include "traceGains.h"

namespace {

constexpr int kSharedChannel = 39;
constexpr int kSingleMode = 0;
constexpr int kGroupMode = 1;
constexpr int kAllMode = 2;
constexpr int kKeyD = 3;
constexpr int kKeyG = 6;
constexpr int kKeyS = 18;
constexpr int kKeyT = 19;

const std::string kAddress = "/Canaux0/canal";
const std::string kGainMark = "gain=";
const std::string kMessage = "message=";
const std::string kKey = "key:";
const std::string kMoveOne = "bouton: Déplacer ";
const std::string kMoveGroup = "bouton: Déplacer groupe";
const std::string kMoveAll = "bouton: Tout déplacer ";
const std::string kMuteGroup = "bouton: mute groupe ";
const std::string kMuteAll = "bouton: tout muter";

bool startsWith(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }

// The pad number at the end of an address, or -1 when it names no pad.
int padOfAddress(const std::string& text, size_t at) {
  try {
    const int pad = std::stoi(text.substr(at + kAddress.size()));
    return pad >= 0 && pad < kPadTotal ? pad : -1;
  } catch (const std::exception&) {
    return -1;
  }
}

}  // namespace

std::vector<int> padsOfChannel(int channel) {
  if (channel < kSharedChannel) return {channel};
  if (channel == kSharedChannel) return {kSharedChannel, kSharedChannel + 1};
  return {channel + 1};
}

void TraceGains::read(const std::string& line) {
  const size_t address = line.find(kAddress);
  if (startsWith(line, "pad=") && address != std::string::npos) {
    const size_t gain = line.find(kGainMark);
    const int pad = padOfAddress(line, address);
    if (gain != std::string::npos && pad >= 0)
      setPad(pad, std::stof(line.substr(gain + kGainMark.size(), address - gain - kGainMark.size())));
  } else if (startsWith(line, kMessage) && address != std::string::npos) {
    const int pad = padOfAddress(line, address);
    if (pad >= 0) setPad(pad, 0.0f);
  } else if (startsWith(line, kKey)) {
    onKey(std::stoi(line.substr(kKey.size())));
  } else if (line == kMoveOne) {
    moveMode_ = kSingleMode;
  } else if (line == kMoveGroup) {
    moveMode_ = kGroupMode;
  } else if (line == kMoveAll) {
    moveMode_ = kAllMode;
  } else if (line == kMuteGroup) {
    afterGroupMute();
  } else if (line == kMuteAll) {
    silenceAll();
  }
}

void TraceGains::readAll(const std::vector<std::string>& lines) {
  for (const auto& line : lines) read(line);
}

// D in single mode writes its own "message=" line, read above.
void TraceGains::onKey(int code) {
  if (code == kKeyG) moveMode_ = kGroupMode;
  if (code == kKeyS) moveMode_ = kSingleMode;
  if (code == kKeyT) moveMode_ = kAllMode;
  if (code == kKeyD && moveMode_ == kGroupMode) afterGroupMute();
  if (code == kKeyD && moveMode_ == kAllMode) silenceAll();
}

void TraceGains::setPad(int pad, float gain) {
  padGains_[pad] = gain;
  untoldSilence_[pad] = false;
}

void TraceGains::silenceAll() {
  for (int pad = 0; pad < kPadTotal; ++pad) setPad(pad, 0.0f);
}

void TraceGains::afterGroupMute() { untoldSilence_.fill(true); }

float TraceGains::channelGain(int channel) const {
  float gain = 1.0f;
  for (int pad : padsOfChannel(channel)) gain *= padGains_[pad];
  return gain;
}

bool TraceGains::maySilenceUntold(int channel) const {
  for (int pad : padsOfChannel(channel))
    if (untoldSilence_[pad]) return true;
  return false;
}
