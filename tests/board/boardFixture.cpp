#include "boardFixture.h"

#include "boardReset.h"
#include "engineFacade.h"
#include "facadeWithoutServer.h"
#include "keyboard.h"
#include "pointerInput.h"

// The facade that the handlers write to; created once no server can answer.
DspFaust* dspFaust = nullptr;

namespace {

class AbsentServerFacade : public ::testing::Environment {
 public:
  void SetUp() override {
    OutputCapture err(STDERR_FILENO);
    OutputCapture out(STDOUT_FILENO);
    dspFaust = newFacadeWithoutServer();
  }
};

[[maybe_unused]] ::testing::Environment* const facadeEnvironment =
    ::testing::AddGlobalTestEnvironment(new AbsentServerFacade);

}  // namespace

std::string channelAddress(int channel) { return kPadAddressPrefix + std::to_string(channel); }

float channelGain(int channel) { return dspFaust->getParamValue(channelAddress(channel).c_str()); }

void setChannelGain(int channel, float value) { dspFaust->setParamValue(channelAddress(channel).c_str(), value); }

std::array<float, kPadCount> allGains() {
  std::array<float, kPadCount> gains{};
  for (int n = 0; n < kPadCount; ++n) gains[n] = channelGain(n);
  return gains;
}

void setAllGains(float value) {
  for (int n = 0; n < kPadCount; ++n) setChannelGain(n, value);
}

void resetBoard() {
  resetBoardModel();
  setAllGains(0.0f);
}

std::string press(int x, int y, int button) {
  return traceOf([&] { onClick(pressEvent(x, y, button)); });
}

std::string release(int x, int y) {
  return traceOf([&] { onMouseUp(releaseEvent(x, y)); });
}

std::string move(int x, int y) {
  return traceOf([&] { onMouseMove(moveEvent(x, y)); });
}

std::string key(int code, Modifiers held) {
  return traceOf([&] { onKeyPressed(keyEvent(code, held)); });
}

void tap(int x, int y) {
  press(x, y);
  release(x, y);
}

std::string leftPressLines(int x, int y) { return kLeftPressLine + "\n" + moveLines(x, y); }

std::string moveLines(int x, int y) {
  return kMouseXPrefix + std::to_string(x) + "\n" + kMouseYPrefix + std::to_string(y) + "\n";
}

std::string gainLine(int pad, const std::string& distance, const std::string& gainText) {
  return "pad=" + std::to_string(pad) + "dtcentre= " + distance + "gain=" + gainText + channelAddress(pad) + "\n";
}

std::string releaseLine() { return kReleaseLine + "\n"; }

std::string endDragLine() { return kEndDragLine + "\n"; }
