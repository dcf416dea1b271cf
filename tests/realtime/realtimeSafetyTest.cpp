// The engine's processing cycle, hosted on a private JACK server with a
// probe feeding every input, makes no heap allocation and takes no lock
// while the main thread keeps writing gains.
#include <gtest/gtest.h>
#include <jack/jack.h>
#include <pthread.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DspFaust.h"
#include "boardFacts.h"
#include "jackProbe.h"
#include "jackServer.h"
#include "processCallbackWatch.h"

namespace {

constexpr int kSampleRate = 48000;
constexpr int kFramesPerCycle = 128;
constexpr long kWarmUpCycles = 50;
constexpr long kMeasuredCycles = 400;
constexpr auto kCycleTimeout = std::chrono::seconds(30);
constexpr auto kWritePause = std::chrono::microseconds(500);
constexpr float kFinalGain = 0.5f;

std::string addressOf(int n) { return kPadAddressPrefix + std::to_string(n); }

// Waits until the client has run this many more cycles; false on time-out.
bool waitCycles(const watchedClient& client, long count) {
  const long target = client.cycles.load() + count;
  const auto deadline = std::chrono::steady_clock::now() + kCycleTimeout;
  while (client.cycles.load() < target) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Each round gives every pad another gain, so that every cycle may see a
// change land.
void writeGainsUntil(DspFaust& facade, const std::vector<std::string>& addresses, const watchedClient& client,
                     long targetCycles) {
  const auto deadline = std::chrono::steady_clock::now() + kCycleTimeout;
  for (int round = 0; client.cycles.load() < targetCycles && std::chrono::steady_clock::now() < deadline; ++round) {
    for (int n = 0; n < kPadTotal; ++n)
      facade.setParamValue(addresses[n].c_str(), static_cast<float>((round + n) % 100) / 100.0f);
    std::this_thread::sleep_for(kWritePause);
  }
}

void expectNoCalls(const callTally::snapshot& before, const callTally::snapshot& after, const char* where) {
  EXPECT_EQ(after.allocations - before.allocations, 0) << "heap allocations " << where;
  EXPECT_EQ(after.frees - before.frees, 0) << "heap frees " << where;
  EXPECT_EQ(after.locks - before.locks, 0) << "mutex locks " << where;
}

class RealtimeSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    server = std::make_unique<JackServer>(kSampleRate, kFramesPerCycle);
    server->useInThisProcess();
  }
  std::unique_ptr<JackServer> server;
};

// A client whose callback allocates and locks, as a cycle must not.
class carelessClient {
 public:
  explicit carelessClient(const char* name) {
    client_ = jack_client_open(name, JackNoStartServer, nullptr);
    if (client_ == nullptr) return;
    jack_set_process_callback(client_, process, this);
    jack_activate(client_);
  }
  ~carelessClient() {
    if (client_ == nullptr) return;
    jack_deactivate(client_);
    jack_client_close(client_);
  }
  bool open() const { return client_ != nullptr; }

 private:
  static int process(jack_nframes_t frames, void* self) {
    // Through a volatile pointer, so that the pair is not optimised away.
    void* (*volatile allocate)(std::size_t) = std::malloc;
    std::free(allocate(frames));
    std::lock_guard<std::mutex> hold(static_cast<carelessClient*>(self)->mutex_);
    return 0;
  }
  jack_client_t* client_ = nullptr;
  std::mutex mutex_;
};

}  // namespace

TEST_F(RealtimeSafety, TheWatchSeesAllocationsAndLocksOnAProcessingThread) {
  carelessClient careless("zelquorCareless");
  ASSERT_TRUE(careless.open());
  watchedClient* watched = findWatchedClient("zelquorCareless");
  ASSERT_NE(watched, nullptr);
  ASSERT_TRUE(waitCycles(*watched, kWarmUpCycles));
  const callTally::snapshot before = watched->inCycle.read();
  ASSERT_TRUE(waitCycles(*watched, kWarmUpCycles));
  const callTally::snapshot after = watched->inCycle.read();
  EXPECT_GE(after.allocations - before.allocations, kWarmUpCycles);
  EXPECT_GE(after.frees - before.frees, kWarmUpCycles);
  EXPECT_GE(after.locks - before.locks, kWarmUpCycles);
  EXPECT_FALSE(pthread_equal(watched->thread.load(), pthread_self()));
}

TEST_F(RealtimeSafety, EngineCycleNeitherAllocatesNorLocksWhileGainsChange) {
  auto* facade = new DspFaust(false);
  ASSERT_TRUE(facade->start());
  JackProbe probe;
  probe.connectTo(kProgramClientName);
  watchedClient* engine = findWatchedClient(kProgramClientName);
  ASSERT_NE(engine, nullptr);
  std::vector<std::string> addresses;
  for (int n = 0; n < kPadTotal; ++n) addresses.push_back(addressOf(n));

  ASSERT_TRUE(waitCycles(*engine, kWarmUpCycles));
  const callTally::snapshot inCycleBefore = engine->inCycle.read();
  const callTally::snapshot betweenBefore = engine->betweenCycles.read();
  const long firstCycle = engine->cycles.load();
  writeGainsUntil(*facade, addresses, *engine, firstCycle + kMeasuredCycles);
  const callTally::snapshot inCycleAfter = engine->inCycle.read();
  const callTally::snapshot betweenAfter = engine->betweenCycles.read();
  const long measured = engine->cycles.load() - firstCycle;

  ASSERT_GE(measured, kMeasuredCycles);
  EXPECT_FALSE(pthread_equal(engine->thread.load(), pthread_self()));
  expectNoCalls(inCycleBefore, inCycleAfter, "inside the engine's processing cycle");
  expectNoCalls(betweenBefore, betweenAfter, "on the engine's processing thread between cycles");

  // The cycles really carried the probe's signal through the written gains.
  for (const std::string& address : addresses) facade->setParamValue(address.c_str(), kFinalGain);
  ASSERT_TRUE(probe.waitCycles(3));
  EXPECT_EQ(probe.gain(0), kFinalGain);
  EXPECT_EQ(probe.gain(62), kFinalGain);
  facade->stop();
  delete facade;
}
