// Runs the headless demo once, as its user would, and checks what it left:
// the pictures can be read, and at every scripted event the levels recorded
// on the 63 outputs are the gains that the program's trace says it sent.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <SFML/Graphics/Image.hpp>
#include <cmath>
#include <filesystem>
#include <regex>

#include "appProcess.h"
#include "demoFiles.h"
#include "sceneLayout.h"
#include "sentGains.h"

namespace {

constexpr Timeout kDemoTimeout = std::chrono::minutes(6);
constexpr int kWindowWidth = static_cast<int>(kSceneWidth);
constexpr int kWindowHeight = static_cast<int>(kSceneHeight);
constexpr float kTolerance = 1e-4f;
// Fewer events would not cover placing, the three kinds of drag and muting.
constexpr size_t kFewestEvents = 20;

class DemoRun : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/zelquorDemoTestXXXXXX";
    folder_ = mkdtemp(pattern);
    AppOptions options;
    options.program = ZELQUOR_DEMO_EXECUTABLE;
    options.arguments = {folder_};
    demo_ = new AppProcess(options);
    status_ = demo_->waitForExit(kDemoTimeout);
  }
  static void TearDownTestSuite() {
    delete demo_;
    std::filesystem::remove_all(folder_);
  }
  static std::string file(const std::string& name) { return folder_ + "/" + name; }
  static std::string messages() { return demo_->stderrText(); }

  static std::string folder_;
  static AppProcess* demo_;
  static std::optional<ExitStatus> status_;
};

std::string DemoRun::folder_;
AppProcess* DemoRun::demo_ = nullptr;
std::optional<ExitStatus> DemoRun::status_;

float gainOf(float level) { return static_cast<float>(level / (ToneMeter::kAmplitude / std::sqrt(2.0))); }

TEST_F(DemoRun, EndsWellAndSaysWhereItsResultsAre) {
  ASSERT_TRUE(status_) << "the demo did not end in time:\n" << messages();
  EXPECT_TRUE(status_->exitedWith(0)) << *status_ << "\n" << messages();
  EXPECT_NE(messages().find("results in " + folder_), std::string::npos) << messages();
}

TEST_F(DemoRun, PicturesOfTheBoardShowTheWholeWindow) {
  const auto events = readEvents(file("events.csv"));
  int pictures = 0;
  for (const auto& event : events) {
    if (event.screenshot.empty()) continue;
    sf::Image picture;
    ASSERT_TRUE(picture.loadFromFile(file(event.screenshot))) << event.screenshot;
    EXPECT_EQ(picture.getSize().x, unsigned(kWindowWidth)) << event.screenshot;
    EXPECT_GT(picture.getSize().y, unsigned(kWindowHeight)) << event.screenshot << " has no caption";
    ++pictures;
  }
  EXPECT_GE(pictures, 3);
}

TEST_F(DemoRun, PlotOfTheLevelsIsThere) {
  sf::Image plot;
  ASSERT_TRUE(plot.loadFromFile(file("levels.png")));
  EXPECT_GE(plot.getSize().x, unsigned(kWindowWidth));
  EXPECT_GE(plot.getSize().y, unsigned(kChannelCount * 4));
}

TEST_F(DemoRun, LevelsHeardAreTheGainsTheTraceTells) {
  const auto trace = readLines(file("trace.txt"));
  const auto events = readEvents(file("events.csv"));
  const auto rows = readLevels(file("levels.csv"));
  ASSERT_GE(events.size(), kFewestEvents);
  bool sharedChannelHeard = false;
  for (const auto& event : events) {
    ASSERT_LE(event.traceLines, trace.size());
    SentGains told;
    told.read(std::vector<std::string>(trace.begin(), trace.begin() + long(event.traceLines)));
    const LevelRow& row = rowAt(rows, event.endSeconds);
    for (int k = 0; k < kChannelCount; ++k) {
      const float heard = gainOf(row.levels[k]);
      const bool silencedUntold = heard == 0.0f && told.maySilenceUntold(k);
      EXPECT_TRUE(std::fabs(heard - told.channelGain(k)) <= kTolerance || silencedUntold)
          << "event " << event.number << ", channel " << k << ": heard " << heard << ", the trace says "
          << told.channelGain(k);
    }
    sharedChannelHeard = sharedChannelHeard || gainOf(row.levels[kSharedChannel]) > 1.0f;
  }
  EXPECT_TRUE(sharedChannelHeard) << "pads 39 and 40 were never heard together on channel 39";
}

TEST_F(DemoRun, TheEndIsHeardAndTheSummaryAgrees) {
  const auto rows = readLevels(file("levels.csv"));
  const auto events = readEvents(file("events.csv"));
  ASSERT_FALSE(events.empty());
  const LevelRow& last = rowAt(rows, events.back().endSeconds);
  int sounding = 0;
  for (float level : last.levels) sounding += level > 0.0f ? 1 : 0;
  EXPECT_GT(sounding, 0) << "every channel is silent at the end";

  std::string summary;
  for (const auto& line : readLines(file("summary.txt"))) summary += line + "\n";
  std::smatch counts;
  ASSERT_TRUE(std::regex_search(summary, counts, std::regex("(\\d+) of (\\d+) events agree"))) << summary;
  EXPECT_EQ(counts[1], counts[2]) << summary;
  EXPECT_EQ(std::stoul(counts[2]), events.size());
}

}  // namespace
