// The program's 63 outputs carried to a second JACK server by the network
// bridge over the loopback address, as from the board's computer to the one
// with the audio interface: the far server hears on every channel what the
// program plays, hears it again once its receiver has been stopped and
// started again, and the program runs on, then ends normally, when the
// bridge stops under it.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "appProcess.h"
#include "boardFacts.h"
#include "jackProbe.h"
#include "jackServer.h"
#include "programOnServer.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

using Gains = std::array<float, JackProbe::kChannels>;

const std::string kLoopback = "127.0.0.1";
const std::string kSender = "zita-j2n";
const std::string kReceiver = "zita-n2j";
const std::string kChannelCount = std::to_string(JackProbe::kChannels);
// The bridge numbers its ports from 1: channel k travels as port k + 1.
std::string bridgePort(const std::string& client, const std::string& stem, int channel) {
  return client + ":" + stem + std::to_string(channel + 1);
}
// Float samples cross unchanged, and the receiver's resampling between the
// two servers' clocks keeps a steady level within a few float steps (its
// filter's taps sum to 1 at every phase): about 6e-8 was seen.
constexpr float kResamplingTolerance = 1e-6f;
// The receiver first waits for the sender's description, then locks its
// resampler to the stream.
constexpr auto kFarSettleTimeout = std::chrono::seconds(15);
constexpr auto kPortWait = std::chrono::seconds(10);
constexpr int kSettleCycles = 8;

// Presses at these offsets from pad centres: the top gain, the middle of the
// law, the floor, and the last channel.
struct press {
  int pad, dx, dy;
};
const press kPresses[] = {{9, 0, 0}, {12, 30, 0}, {0, 40, 42}, {27, -20, 10}, {63, -40, -40}};

Gains expectedGains() {
  std::map<int, float> padGains;
  for (const press& p : kPresses) {
    padGains[p.pad] = lawGain(lawDistance(p.pad, padCentreX(p.pad) + p.dx, padCentreY(p.pad) + p.dy));
  }
  Gains gains{};
  for (int channel = 0; channel < JackProbe::kChannels; ++channel) {
    float gain = 1.0f;
    for (const int pad : padsOfChannel(channel)) gain *= padGains.count(pad) ? padGains[pad] : 0.0f;
    gains[channel] = gain;
  }
  return gains;
}

// A UDP port on the loopback address that nothing uses now, for the receiver.
int freeUdpPort() {
  const int socketFd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  const bool bound = bind(socketFd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                     getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &size) == 0;
  close(socketFd);
  if (!bound) throw std::runtime_error("no free UDP port on the loopback address");
  return ntohs(address.sin_port);
}

std::unique_ptr<AppProcess> startOn(const JackServer& server, const std::string& program,
                                    const std::vector<std::string>& arguments) {
  AppOptions options;
  options.program = program;
  options.arguments = arguments;
  options.environment = {server.defaultServerEntry(), JackServer::noStartEntry()};
  return std::make_unique<AppProcess>(options);
}

void stopAndWait(AppProcess& process, const std::string& what) {
  process.sendSignal(SIGTERM);
  const auto status = process.waitForExit();
  ASSERT_TRUE(status) << what << " still runs after SIGTERM";
}

bool parseGains(const std::string& line, Gains& gains) {
  std::istringstream words(line);
  std::string head;
  words >> head;
  for (float& gain : gains) words >> gain;
  return head == "gains:" && !words.fail();
}

bool within(const Gains& far, const Gains& near) {
  for (int k = 0; k < JackProbe::kChannels; ++k)
    if (std::fabs(far[k] - near[k]) > kResamplingTolerance) return false;
  return true;
}

class AcrossTheBridge : public testing::Test {
 protected:
  void SetUp() override {
    near_ = startOnServer(x_, AppOptions());
    ASSERT_TRUE(near_.failure.empty()) << near_.failure;
    far_ = std::make_unique<JackServer>();
    near_.jack->useInThisProcess();
    probe_ = std::make_unique<JackProbe>();
    probe_->connectTo(kProgramClientName);
    window_ = XWindow::awaitTitled(x_.displayName(), kProgramWindowTitle);
    ASSERT_TRUE(window_) << "no window";
  }

  void startSender() {
    sender_ = startOn(*near_.jack, kSender, {"--chan", kChannelCount, "--float", kLoopback, std::to_string(port_)});
    const std::string last = bridgePort(kSender, "in_", JackProbe::kChannels - 1);
    const auto deadline = std::chrono::steady_clock::now() + kPortWait;
    while (jack_port_by_name(probe_->client(), last.c_str()) == nullptr) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no " << last << ":\n" << sender_->stderrText();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (int k = 0; k < JackProbe::kChannels; ++k) {
      const std::string out = kProgramClientName + ":out_" + std::to_string(k);
      ASSERT_EQ(jack_connect(probe_->client(), out.c_str(), bridgePort(kSender, "in_", k).c_str()), 0) << out;
    }
  }

  // The receiver on the far server, and the far probe listening to it. The
  // receiver dies of SIGTERM without closing its client, and a busy server
  // may still list the last one's ports when the next starts: each start
  // takes a name of its own, so that the probe cannot listen to dead ports.
  void startReceiver() {
    const std::string name = kReceiver + "-" + std::to_string(++receiverStarts_);
    receiver_ = startOn(*far_, kReceiver,
                        {"--jname", name, "--chan", "1-" + kChannelCount, kLoopback, std::to_string(port_)});
    farProbe_ = startOn(*far_, ZELQUOR_FAR_PROBE, {name + ":out_"});
  }

  void stopReceiver() {
    farProbe_.reset();
    stopAndWait(*receiver_, kReceiver);
  }

  // Waits until a line of the far probe's, written wholly after the call,
  // holds the near gains; expects it of the last line when the time is up.
  void expectFarGains(const Gains& near, const std::string& when) {
    const auto deadline = std::chrono::steady_clock::now() + kFarSettleTimeout;
    const size_t seen = farProbe_->stdoutLines().size();
    Gains far{};
    while (std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const auto lines = farProbe_->stdoutLines();
      if (lines.size() < seen + 2) continue;
      ASSERT_TRUE(parseGains(lines.back(), far)) << "far probe wrote \"" << lines.back() << "\"";
      if (within(far, near)) return;
    }
    ASSERT_TRUE(farProbe_->running()) << farProbe_->stderrText();
    for (int k = 0; k < JackProbe::kChannels; ++k)
      EXPECT_NEAR(far[k], near[k], kResamplingTolerance)
          << when << ", channel " << k << "\n" << receiver_->stderrText() << farProbe_->stderrText();
  }

  Gains nearGains() const {
    EXPECT_TRUE(probe_->waitCycles(kSettleCycles));
    return probe_->gains();
  }

  XServer x_;
  ProgramOnServer near_;
  std::unique_ptr<JackServer> far_;
  std::unique_ptr<JackProbe> probe_;
  std::unique_ptr<XWindow> window_;
  const int port_ = freeUdpPort();
  std::unique_ptr<AppProcess> sender_, receiver_, farProbe_;
  int receiverStarts_ = 0;
};

TEST_F(AcrossTheBridge, FarGainsMatchThroughAReceiverRestartAndTheProgramOutlivesTheBridge) {
  startReceiver();
  startSender();
  for (const press& p : kPresses) {
    window_->moveMouse(padCentreX(p.pad) + p.dx, padCentreY(p.pad) + p.dy);
    window_->click();
    ASSERT_TRUE(near_.app->waitForLine(kEndDragLine)) << "press on pad " << p.pad;
  }
  const Gains near = nearGains();
  const Gains expected = expectedGains();
  for (int k = 0; k < JackProbe::kChannels; ++k) ASSERT_FLOAT_EQ(near[k], expected[k]) << "near channel " << k;
  expectFarGains(near, "first start");

  // The network gone and back: the sender keeps sending into nothing.
  stopReceiver();
  startReceiver();
  expectFarGains(near, "after the receiver's restart");
  EXPECT_TRUE(sender_->running()) << sender_->stderrText();

  stopReceiver();
  stopAndWait(*sender_, kSender);
  EXPECT_EQ(nearGains(), near) << "the program's outputs changed when the bridge stopped";
  window_->requestClose();
  const auto status = near_.app->waitForExit();
  ASSERT_TRUE(status) << "still running after the close";
  EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << near_.app->stderrText();
}

}  // namespace
