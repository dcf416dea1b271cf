// A run on a private JACK server: what the program writes first, the client
// and ports it leaves on the server, and how closing the window ends it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackPorts.h"
#include "jackServer.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

constexpr int kSampleRate = 48000;
constexpr int kFramesPerPeriod = 256;
constexpr int kChannels = 63;
const std::string kClient = kProgramClientName;
const std::string kAudioType = "32 bit float mono audio";

// The engine lists the server's physical capture ports as its inputs, then
// its physical playback ports as its outputs, in the server's order.
std::vector<std::string> physicalPortLines(const std::vector<JackPort>& serverPorts) {
  std::vector<std::string> lines;
  for (const auto& port : serverPorts)
    if (port.has("physical") && port.has("output")) lines.push_back(kPhysicalPrefix + "input " + port.name);
  for (const auto& port : serverPorts)
    if (port.has("physical") && port.has("input")) lines.push_back(kPhysicalPrefix + "output " + port.name);
  return lines;
}

std::vector<std::string> expectedPortNames(const std::string& client) {
  std::vector<std::string> names;
  for (const char* direction : {"in_", "out_"})
    for (int k = 0; k < kChannels; ++k) names.push_back(client + ":" + direction + std::to_string(k));
  return names;
}

class StartUp : public testing::Test {
 protected:
  void start() {
    AppOptions options;
    options.environment = environmentOn(x_, jack_);
    app_ = std::make_unique<AppProcess>(options);
  }

  XServer x_;
  JackServer jack_{kSampleRate, kFramesPerPeriod};
  std::unique_ptr<AppProcess> app_;
};

TEST_F(StartUp, ListsPhysicalPortsThenRunningAndRegistersUnconnectedPorts) {
  const std::vector<std::string> physicalLines = physicalPortLines(listPorts(jack_));
  ASSERT_FALSE(physicalLines.empty()) << "the dummy server should have physical ports";
  start();

  ASSERT_TRUE(app_->waitForLine(kRunningLine)) << app_->stderrText();
  std::vector<std::string> expected = physicalLines;
  expected.push_back(kRunningLine);
  EXPECT_EQ(app_->stdoutTraceLines(), expected);
  EXPECT_TRUE(waitForLineAnywhere(*app_, "The sample rate is now " + std::to_string(kSampleRate) + "/sec"));
  EXPECT_TRUE(waitForLineAnywhere(*app_, "The buffer size is now " + std::to_string(kFramesPerPeriod) + "/sec"));
  EXPECT_EQ(app_->stderrText().find(kNoServerMessage), std::string::npos) << app_->stderrText();
  const bool namesSet = app_->stderrText().find(kNamesNotSetMessage) == std::string::npos;
  EXPECT_EQ(namesSet, jackProperties(jack_).has_value()) << app_->stderrText();

  const auto ports = portsOfClient(listPorts(jack_), kClient);
  EXPECT_EQ(namesOf(ports), expectedPortNames(kClient));
  for (size_t i = 0; i < ports.size(); ++i) {
    const bool isInput = i < size_t(kChannels);
    EXPECT_TRUE(ports[i].has(isInput ? "input" : "output")) << ports[i].name << ": " << ports[i].properties;
    EXPECT_FALSE(ports[i].has("physical")) << ports[i].name;
    EXPECT_EQ(ports[i].type, kAudioType) << ports[i].name;
    EXPECT_TRUE(ports[i].connections.empty()) << ports[i].name << " is connected to " << ports[i].connections.front();
  }
  EXPECT_TRUE(app_->running());
}

TEST_F(StartUp, CloseRequestStopsTheEngineTwiceExitsZeroAndLeavesTheServer) {
  start();
  ASSERT_TRUE(app_->waitForLine(kRunningLine)) << app_->stderrText();
  const auto window = XWindow::awaitTitled(x_.displayName(), kWindowTitle);
  ASSERT_TRUE(window);
  ASSERT_FALSE(portsOfClient(listPorts(jack_), kClient).empty());

  window->requestClose();
  const auto status = app_->waitForExit();
  ASSERT_TRUE(status) << "still running after the close request";
  EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app_->stderrText();
  const auto trace = app_->stdoutTraceLines();
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(trace.end() - 2, trace.end()),
            std::vector<std::string>({kStoppedLine, kStoppedLine}));
  EXPECT_EQ(linesStartingWith(trace, kRunningPrefix),
            std::vector<std::string>({kRunningLine, kStoppedLine, kStoppedLine}));
  EXPECT_TRUE(window->waitUntilGone());
  EXPECT_TRUE(portsOfClient(listPorts(jack_), kClient).empty()) << "the client outlived the program";
  EXPECT_EQ(jackProperties(jack_).value_or(std::vector<std::string>()), std::vector<std::string>())
      << "properties outlived the program";
}

// A server that takes no metadata: one line says so, and the program runs.
TEST_F(StartUp, RunsWithoutPortNamesWhereTheServerRefusesThem) {
  AppOptions options;
  options.environment = environmentOn(x_, jack_);
  for (const std::string& entry : preloadEntries(ZELQUOR_REFUSING_METADATA)) options.environment.push_back(entry);
  app_ = std::make_unique<AppProcess>(options);

  ASSERT_TRUE(app_->waitForLine(kRunningLine)) << app_->stderrText();
  EXPECT_EQ(portsOfClient(listPorts(jack_), kClient).size(), 2u * kChannels);
  const auto errors = splitLines(app_->stderrText());
  EXPECT_EQ(linesStartingWith(errors, kNamesNotSetMessage).size(), 1u) << app_->stderrText();
}

}  // namespace
