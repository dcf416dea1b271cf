// The engine facade hosted on a private JACK server, with a probe client of
// our own feeding every input and measuring every output.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <jack/metadata.h>
#include <jack/uuid.h>

#include "DspFaust.h"
#include "boardFacts.h"
#include "jackProbe.h"
#include "jackServer.h"

namespace {

constexpr int kSettleCycles = 3;

std::string addressOf(int n) { return kPadAddressPrefix + std::to_string(n); }

// The program's port as JACK names it: "client:port".
std::string ourPort(const std::string& port) { return kProgramClientName + ":" + port; }

// What jack_lsp prints for the server, one line per line.
std::vector<std::string> jackLsp(const JackServer& server, const char* options) {
  const std::string command = "JACK_NO_START_SERVER=1 jack_lsp -s " + server.name() + " " + options;
  std::vector<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  char line[512];
  while (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string text(line);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    lines.push_back(text);
  }
  if (pipe != nullptr) pclose(pipe);
  return lines;
}

class EngineWithServer : public ::testing::Test {
 protected:
  void SetUp() override {
    server = std::make_unique<JackServer>();
    server->useInThisProcess();
    facade = new DspFaust(false);
  }
  void TearDown() override {
    probe.reset();
    delete facade;
    server.reset();
  }
  // Starts the engine and routes the probe through it.
  void startAndProbe() {
    ASSERT_TRUE(facade->start());
    probe = std::make_unique<JackProbe>();
    probe->connectTo(kProgramClientName);
    settle();
  }
  void settle() { ASSERT_TRUE(probe->waitCycles(kSettleCycles)); }

  std::unique_ptr<JackServer> server;
  DspFaust* facade = nullptr;
  std::unique_ptr<JackProbe> probe;
};

}  // namespace

TEST_F(EngineWithServer, ListsTheClientWith126UnconnectedPorts) {
  ASSERT_TRUE(facade->start());
  std::vector<std::string> expected;
  for (int k = 0; k < 63; ++k) expected.push_back(ourPort("in_" + std::to_string(k)));
  for (int k = 0; k < 63; ++k) expected.push_back(ourPort("out_" + std::to_string(k)));

  std::vector<std::string> listed;
  bool anyConnection = false;
  bool inOurs = false;
  const std::string ourPrefix = ourPort("");
  for (const std::string& line : jackLsp(*server, "-c")) {
    const bool isPort = line.rfind("   ", 0) != 0;
    if (isPort) inOurs = line.rfind(ourPrefix, 0) == 0;
    if (isPort && inOurs) listed.push_back(line);
    if (!isPort && inOurs) anyConnection = true;
  }
  EXPECT_EQ(listed, expected);
  EXPECT_FALSE(anyConnection);

  // Input ports are inputs and output ports outputs, of the audio type.
  std::map<std::string, std::string> properties;
  std::string port;
  for (const std::string& line : jackLsp(*server, "-p -t")) {
    if (line.rfind("\t", 0) != 0) port = line;
    else properties[port] += line;
  }
  EXPECT_NE(properties[ourPort("in_0")].find("input"), std::string::npos);
  EXPECT_NE(properties[ourPort("out_62")].find("output"), std::string::npos);
  EXPECT_NE(properties[ourPort("out_62")].find("32 bit float mono audio"), std::string::npos);
}

TEST_F(EngineWithServer, GainsComeOutOnTheirChannels) {
  ASSERT_NO_FATAL_FAILURE(startAndProbe());
  for (int k = 0; k < 63; ++k) EXPECT_EQ(probe->gain(k), 0.0f) << "silent until a gain is sent, channel " << k;

  facade->setParamValue(addressOf(0).c_str(), 1.003f);
  facade->setParamValue(addressOf(5).c_str(), 0.5f);
  facade->setParamValue(addressOf(38).c_str(), 0.017f);
  settle();
  EXPECT_EQ(probe->gain(0), 1.003f);
  EXPECT_EQ(probe->gain(5), 0.5f);
  EXPECT_EQ(probe->gain(38), 0.017f);
  EXPECT_EQ(probe->gain(1), 0.0f);

  facade->setParamValue(addressOf(0).c_str(), 0.0f);
  settle();
  EXPECT_EQ(probe->gain(0), 0.0f);
}

TEST_F(EngineWithServer, PadsThirtyNineToSixtyThreeDriveTheLastChannels) {
  ASSERT_NO_FATAL_FAILURE(startAndProbe());
  facade->setParamValue(addressOf(39).c_str(), 0.5f);
  settle();
  EXPECT_EQ(probe->gain(39), 0.0f) << "channel 39 needs pads 39 and 40 both";
  facade->setParamValue(addressOf(40).c_str(), 0.25f);
  facade->setParamValue(addressOf(41).c_str(), 0.75f);
  facade->setParamValue(addressOf(63).c_str(), 0.3f);
  settle();
  EXPECT_EQ(probe->gain(39), 0.125f);
  EXPECT_EQ(probe->gain(40), 0.75f);
  EXPECT_EQ(probe->gain(62), 0.3f);
  EXPECT_EQ(probe->gain(41), 0.0f);
}

TEST_F(EngineWithServer, UnknownAddressesChangeNoChannel) {
  ASSERT_NO_FATAL_FAILURE(startAndProbe());
  for (int n = 0; n < 64; ++n) facade->setParamValue(addressOf(n).c_str(), 0.25f);
  settle();
  const auto before = probe->gains();
  for (const char* address : {"/Canaux0/canal64", "/Canaux0/canal255", "canal5", "/Canaux0/canal05"})
    facade->setParamValue(address, 1.0f);
  facade->setParamValue(nullptr, 1.0f);
  settle();
  EXPECT_EQ(probe->gains(), before);
}

TEST_F(EngineWithServer, EveryCycleUsesOneGainThroughout) {
  ASSERT_NO_FATAL_FAILURE(startAndProbe());
  const long unsteadyBefore = probe->unsteadyCycles();
  const long until = probe->cycles() + 40;
  for (int i = 0; probe->cycles() < until; ++i)
    for (int n = 0; n < 64; ++n) facade->setParamValue(addressOf(n).c_str(), (i % 2) ? 0.25f : 0.75f);
  EXPECT_EQ(probe->unsteadyCycles(), unsteadyBefore);
}

TEST_F(EngineWithServer, StartAndStopTwice) {
  EXPECT_TRUE(facade->start());
  EXPECT_TRUE(facade->start());
  EXPECT_TRUE(facade->isRunning());
  probe = std::make_unique<JackProbe>();
  probe->connectTo(kProgramClientName);
  facade->setParamValue(addressOf(3).c_str(), 0.5f);
  settle();
  EXPECT_EQ(probe->gain(3), 0.5f);

  facade->stop();
  EXPECT_FALSE(facade->isRunning());
  // Deactivated: the ports stay registered but lose their connections.
  EXPECT_TRUE(probe->connectionsOf(ourPort("in_3")).empty());
  facade->stop();
  EXPECT_FALSE(facade->isRunning());
  bool stillListed = false;
  for (const std::string& line : jackLsp(*server, "")) stillListed = stillListed || line == ourPort("out_62");
  EXPECT_TRUE(stillListed);
}

// A property of a subject as the metadata API reads it; "" when it has none.
std::string propertyOf(jack_uuid_t subject, const char* key) {
  char* value = nullptr;
  char* type = nullptr;
  if (jack_get_property(subject, key, &value, &type) != 0) return "";
  const std::string text = value;
  jack_free(value);
  jack_free(type);
  return text;
}

// How many properties the server holds; -1 where its JACK library keeps
// none (jackd2 built without metadata, as on Debian testing).
int propertyCount() {
  jack_description_t* all = nullptr;
  const int count = jack_get_all_properties(&all);
  for (int i = 0; i < count; ++i) jack_free_description(&all[i], 0);
  jack_free(all);
  return count;
}

// What a patchbay shows: every port's pads and place among its kind, as the
// metadata and the aliases tell them, and nothing of it once the engine
// stops. Without metadata the aliases alone name the pads.
TEST_F(EngineWithServer, PortsNameTheirPadsUntilTheEngineStops) {
  ASSERT_NO_FATAL_FAILURE(startAndProbe());
  const bool keepsMetadata = propertyCount() >= 0;
  jack_client_t* reader = probe->client();
  char* clientUuidText = jack_get_uuid_for_client_name(reader, kProgramClientName.c_str());
  jack_uuid_t clientUuid = 0;
  ASSERT_EQ(jack_uuid_parse(clientUuidText, &clientUuid), 0);
  jack_free(clientUuidText);
  EXPECT_EQ(propertyOf(clientUuid, JACK_METADATA_PRETTY_NAME), keepsMetadata ? "Zelquor" : "");

  // Each port's line, then its two aliases indented.
  const std::vector<std::string> listed = jackLsp(*server, "-A");
  for (const std::string direction : {"in", "out"}) {
    long lastOrder = -1;
    for (int k = 0; k < 63; ++k) {
      const std::string name = kProgramClientName + ":" + direction + "_" + std::to_string(k);
      const std::string shown = padsPortName(k, direction);
      const jack_uuid_t uuid = jack_port_uuid(jack_port_by_name(reader, name.c_str()));
      EXPECT_EQ(propertyOf(uuid, JACK_METADATA_PRETTY_NAME), keepsMetadata ? shown : "") << name;
      const long order = std::strtol(propertyOf(uuid, JACK_METADATA_ORDER).c_str(), nullptr, 10);
      EXPECT_TRUE(!keepsMetadata || order > lastOrder) << name << "'s order " << order;
      lastOrder = order;
      const auto at = std::find(listed.begin(), listed.end(), name);
      ASSERT_LT(at + 2, listed.end()) << name;
      EXPECT_EQ(*(at + 2), "   " + shown);
    }
  }

  // The server holds no other client's properties.
  facade->stop();
  EXPECT_EQ(propertyCount(), keepsMetadata ? 0 : -1) << "properties left";
}

// The facade runs the program's own driver: the server's loss ends the
// process at once with status 1 and the server's reason as its last word.
// The packaged driver ends it with exit(), which runs the exit handlers (and
// the static destructors) on the audio library's thread after that word.
TEST(OwnDriver, ServerLossEndsWithStatusOneRunningNoExitHandler) {
  JackServer server;
  server.useInThisProcess();
  EXPECT_EXIT(
      {
        std::atexit([] { std::fputs("exit handlers ran\n", stderr); });
        auto* facade = new DspFaust(false);
        if (!facade->start()) _exit(2);
        kill(server.pid(), SIGKILL);
        for (;;) pause();
      },
      ::testing::ExitedWithCode(1), "JACK server has been closed\n$");
}
