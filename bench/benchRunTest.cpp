// The whole-program benches' options and the form of the figures that the
// table's script reads.
#include "benchRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

struct Options {
  int rounds = 1;
  double seconds = 0;
  std::vector<int> periods = {64};
  std::vector<std::string> scheduling = {"none"};
  std::string server;
  bool breakdown = false;
};

std::string parse(std::vector<std::string> words, Options& options) {
  std::vector<char*> argv = {const_cast<char*>("bench")};
  for (std::string& word : words) argv.push_back(word.data());
  return parseOptions(static_cast<int>(argv.size()), argv.data(),
                      {{"--rounds", setsNumber(options.rounds)},
                       {"--seconds", setsNumber(options.seconds)},
                       {"--periods", setsNumbers(options.periods)},
                       {"--scheduling", setsTexts(options.scheduling)},
                       {"--server", setsText(options.server)},
                       {"--breakdown", setsFlag(options.breakdown)}});
}

TEST(BenchRun, eachOptionSetsItsValueAndAListReplacesTheDefault) {
  Options options;
  EXPECT_EQ(parse({"--rounds=3", "--out=/tmp/figures.json", "--seconds=2.5", "--periods=256,1024",
                   "--scheduling=realtime,none", "--server=pipewire", "--breakdown"},
                  options),
            "/tmp/figures.json");
  EXPECT_EQ(options.rounds, 3);
  EXPECT_EQ(options.seconds, 2.5);
  EXPECT_EQ(options.periods, (std::vector<int>{256, 1024}));
  EXPECT_EQ(options.scheduling, (std::vector<std::string>{"realtime", "none"}));
  EXPECT_EQ(options.server, "pipewire");
  EXPECT_TRUE(options.breakdown);
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"--rounds=3"}, {"--out=x", "--round=3"}, {"--out=x", "--rounds=many"}})
    EXPECT_THROW(parse(wrong, options), std::exception) << wrong.back();
}

TEST(BenchRun, seriesAreMembersOfOneJsonObjectEachRoundAValue) {
  std::ostringstream out;
  writeSeries(out, "startup", {{"program/ms", {180.5, 175}}, {"floor/ms", {}}});
  writeSeries(out, "idle", {}, true);
  EXPECT_EQ(out.str(),
            "  \"startup\": {\n    \"floor/ms\": [],\n    \"program/ms\": [180.5, 175]\n  },\n"
            "  \"idle\": {\n  }\n");
}

}  // namespace
