// The latency from a pointer move to the changed gain in the audio: the
// program, with one token and with 64 tokens on the board, beside
// latencyFloor, under a private Xvfb and, for each case, a private dummy
// jackd at 48 kHz with a period of 64, 256 or 1024 frames, with real-time
// scheduling (-R -P 70, as users run JACK) and without (-r).
//
// The hand (FakePointer) holds a token on a pad and moves the pointer
// between the pad's centre and a point 40 px to its right, one move at a
// time, through XTest; each move's time is taken on the JACK clock right
// before its request is flushed. The ear (GainWatch) feeds the pad's
// channel and notes the start of the first cycle whose output carries the
// new gain. Between two moves the hand waits a random time of up to more
// than a period and a frame, so that moves fall anywhere in both.
// Subjects take turns within a case; the program's frames are timed by the
// preloaded frame counter during its moves. Writes, for each round, every
// case's figures as JSON for printRatios.py; progress goes to stderr.
//
// Usage: latencyBench --out=FILE [--rounds=N] [--moves=N] [--periods=64,256,1024]
//                     [--scheduling=realtime,none] [--tokens=1,64]
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "boardFacts.h"
#include "fakePointer.h"
#include "gainWatch.h"
#include "latencyFigures.h"
#include "systemMeasures.h"

namespace {

constexpr int kSampleRate = 48000;
// Row 3, column 3: a pad with a channel of its own.
constexpr int kPad = 27;
// From the centre (gain 1.003) to 40 px to the right (gain 0.323).
constexpr int kFarOffset = 40;
constexpr auto kResponseTimeout = std::chrono::milliseconds(1000);
// The pause between moves: at least this, plus up to a period and this.
constexpr double kMinPauseMs = 1.0;
constexpr double kPauseSpreadMs = 20.0;
constexpr unsigned kSeed = 20;

struct Options {
  std::string out;
  int rounds = 1;
  int moves = 300;
  std::vector<int> periods = {64, 256, 1024};
  std::vector<std::string> scheduling = {"realtime", "none"};
  std::vector<int> tokens = {1, kPadTotal};
};

std::vector<std::string> listOf(const std::string& text) {
  std::vector<std::string> items;
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');) items.push_back(item);
  return items;
}

std::vector<int> numbersOf(const std::string& text) {
  std::vector<int> numbers;
  for (const std::string& item : listOf(text)) numbers.push_back(std::stoi(item));
  return numbers;
}

Options parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto equals = arg.find('=');
    const std::string key = arg.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : arg.substr(equals + 1);
    if (key == "--out") options.out = value;
    else if (key == "--rounds") options.rounds = std::stoi(value);
    else if (key == "--moves") options.moves = std::stoi(value);
    else if (key == "--periods") options.periods = numbersOf(value);
    else if (key == "--scheduling") options.scheduling = listOf(value);
    else if (key == "--tokens") options.tokens = numbersOf(value);
    else throw std::runtime_error("unknown option " + arg);
  }
  if (options.out.empty()) throw std::runtime_error("--out=FILE is needed");
  return options;
}

std::vector<std::string> serverOptions(const std::string& scheduling) {
  if (scheduling == "realtime") return {"-R", "-P", "70"};
  if (scheduling == "none") return {"-r"};
  throw std::runtime_error("scheduling is realtime or none, not " + scheduling);
}

std::string loadAverage() {
  std::ifstream file("/proc/loadavg");
  double one = 0, five = 0, fifteen = 0;
  file >> one >> five >> fifteen;
  std::ostringstream text;
  text << one << ", " << five << ", " << fifteen;
  return text.str();
}

void say(const std::string& text) { std::cerr << "latencyBench: " << text << std::endl; }

// One run of a subject in a case: who, with how many tokens (0 for the floor).
struct Player {
  Subject subject;
  std::string client;
  int tokens = 0;
  std::string key() const { return tokens == 0 ? "floor" : "program" + std::to_string(tokens); }
};

Subject latencyFloor() { return {"latencyFloor", ZELQUOR_LATENCY_FLOOR, {}, "floor running =", true}; }

std::vector<Player> players(const Options& options) {
  std::vector<Player> all = {{latencyFloor(), "zelquorLatencyFloor", 0}};
  for (int tokens : options.tokens) all.push_back({zelquorProgram(), kProgramClientName, tokens});
  return all;
}

struct Played {
  std::vector<MoveTimes> moves;
  std::vector<double> callbackLateMs;  // the listener's callback after its cycle's start
  int lost = 0;                        // never heard within the time-out
};

// Holds the token on the pad and moves it back and forth.
Played play(SubjectRun& run, GainWatch& watch, FakePointer& hand, int moves, int period, std::mt19937& random) {
  const WindowGeometry window = run.window().geometry();
  const int xs[2] = {padCentreX(kPad), padCentreX(kPad) + kFarOffset};
  const int y = padCentreY(kPad);
  const float gains[2] = {lawGain(lawDistance(kPad, xs[0], y)), lawGain(lawDistance(kPad, xs[1], y))};
  const double periodMs = 1e3 * period / kSampleRate;
  std::uniform_real_distribution<double> pauseMs(kMinPauseMs, kMinPauseMs + periodMs + kPauseSpreadMs);

  watch.await(gains[0]);
  hand.moveTo(window.x + xs[0], window.y + y);
  hand.leftButton(true);
  if (!watch.heard(kResponseTimeout)) throw std::runtime_error("the pad's gain did not come at the first press");
  Played played;
  for (int i = 1; i <= moves; ++i) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(pauseMs(random)));
    watch.await(gains[i % 2]);
    MoveTimes move;
    move.movedAt = hand.moveTo(window.x + xs[i % 2], window.y + y);
    const auto heard = watch.heard(kResponseTimeout);
    if (heard) {
      move.heardCycleStart = heard->cycleStart;
      played.callbackLateMs.push_back(msBetween(heard->cycleStart, heard->callbackAt));
    } else {
      // Counted at the time-out, far above any goal.
      move.heardCycleStart = move.movedAt + std::chrono::microseconds(kResponseTimeout).count();
      ++played.lost;
      watch.await(gains[i % 2]);
      watch.heard(kResponseTimeout);
    }
    played.moves.push_back(move);
  }
  hand.leftButton(false);
  return played;
}

// Named series of values, one value a round: {"name": [v, ...], ...}.
using Series = std::map<std::string, std::vector<double>>;

void note(Series& series, const std::string& key, const Played& played, const FrameTimes& frames) {
  const LatencyFigures figures = figuresOf(played.moves);
  series[key + "/medianMs"].push_back(figures.medianMs);
  series[key + "/p90Ms"].push_back(figures.p90Ms);
  series[key + "/p99Ms"].push_back(figures.p99Ms);
  series[key + "/maxMs"].push_back(figures.maxMs);
  series[key + "/moves"].push_back(figures.moves);
  series[key + "/early"].push_back(figures.early);
  series[key + "/lost"].push_back(played.lost);
  series[key + "/callbackLateP99Ms"].push_back(percentile(played.callbackLateMs, 0.99));
  if (frames.medianMs > 0) series[key + "/frameMs"].push_back(frames.medianMs);
  say(key + ": median " + std::to_string(figures.medianMs) + " ms, p99 " + std::to_string(figures.p99Ms) + " ms, max " +
      std::to_string(figures.maxMs) + " ms, early " + std::to_string(figures.early) + ", lost " +
      std::to_string(played.lost) + (frames.medianMs > 0 ? ", frame " + std::to_string(frames.medianMs) + " ms" : ""));
}

void runCase(const XServer& x, const std::string& scheduling, int period, int turn, const Options& options,
             std::mt19937& random, Series& series) {
  JackServer jack(kSampleRate, period, serverOptions(scheduling));
  jack.useInThisProcess();
  const Servers servers{x, jack};
  FakePointer hand(x.displayName());
  std::vector<Player> order = players(options);
  std::rotate(order.begin(), order.begin() + turn % order.size(), order.end());
  for (const Player& player : order) {
    const bool program = player.tokens > 0;
    const auto run =
        startRunning(player.subject, servers, program ? frameCounterEnvironment() : std::vector<std::string>{});
    if (player.tokens == kPadTotal) placeTokensOnEveryPad(*run);
    GainWatch watch(player.client, channelOfPad(kPad));
    const std::size_t firstWindow = frameWindowsSoFar(*run);
    const Played played = play(*run, watch, hand, options.moves, period, random);
    const FrameTimes frames = program ? framesSince(*run, firstWindow) : FrameTimes{};
    note(series, scheduling + "/" + std::to_string(period) + "/" + player.key(), played, frames);
    run->close();
  }
}

void writeSeries(std::ostream& out, const Series& series) {
  out << "  \"latency\": {";
  bool first = true;
  for (const auto& [key, values] : series) {
    out << (first ? "" : ",") << "\n    \"" << key << "\": [";
    for (std::size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
    out << "]";
    first = false;
  }
  out << "\n  }\n";
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = parse(argc, argv);
    const std::string loadAtStart = loadAverage();
    XServer x;
    std::mt19937 random(kSeed);
    Series series;
    int turn = 0;
    for (int round = 0; round < options.rounds; ++round)
      for (const std::string& scheduling : options.scheduling)
        for (int period : options.periods) runCase(x, scheduling, period, turn++, options, random, series);

    std::ofstream out(options.out);
    out << "{\n  \"loadAverageAtStart\": \"" << loadAtStart << "\",\n  \"loadAverageAtEnd\": \"" << loadAverage()
        << "\",\n  \"sampleRate\": " << kSampleRate << ",\n  \"rounds\": " << options.rounds
        << ",\n  \"movesPerCase\": " << options.moves << ",\n";
    writeSeries(out, series);
    out << "}\n";
    return out ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "latencyBench: " << error.what() << std::endl;
    return 1;
  }
}
