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
// new gain. Between two moves the hand waits a random time spanning whole
// periods and more than a frame, so that moves fall anywhere in both.
// Subjects take turns within a case; the program's frames are timed by the
// preloaded frame counter during its moves. Writes, for each round, every
// case's figures as JSON for printRatios.py; progress goes to stderr.
//
// With --server=pipewire, each case runs instead on a private PipeWire
// daemon with its session manager (PipewireServer), its quantum forced to
// the period, scheduled as the daemon schedules itself; the subjects start
// through pw-jack, and the bench runs its own clients through pw-jack too
// (it starts itself again under pw-jack when PipeWire's JACK layer is not
// the libjack it runs with). Its cases are named "pipewire" where the
// jackd ones name their scheduling.
//
// Each of the program's moves comes while it is idle: after the pause, the
// hand waits until the program's loop sleeps in its wait for input, having
// drawn the last move's frame, as a move that follows a pause at a hand's
// pace finds it. With --anywhere the moves come without that wait, during a
// frame too, as the moves of a drag faster than the frames do: such a move
// waits for the frame under way, up to one frame time.
//
// With --breakdown, the preloaded trace clock (traceClock.cpp) also times
// each of the program's moves from the move to its handler (event pickup:
// to the end of the frame under way, then from there to the handler), from
// there to the gain in the engine (handler and trace lines), the flush of
// the gain's trace line, and from the gain to the cycle that carried it.
//
// Usage: latencyBench --out=FILE [--rounds=N] [--moves=N] [--periods=64,256,1024]
//                     [--scheduling=realtime,none] [--tokens=1,64] [--breakdown]
//                     [--server=jackd|pipewire] [--anywhere] [--doubled]
//                     [--draw-every-pass]
//
// --doubled runs on a 3840x2160 screen at 200 %; --draw-every-pass plays
// the program built to draw after every pass that handled an event.
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "benchRun.h"
#include "boardFacts.h"
#include "fakePointer.h"
#include "gainWatch.h"
#include "latencyFigures.h"
#include "pipewireServer.h"
#include "systemMeasures.h"
#include "threadState.h"

namespace {

constexpr int kSampleRate = 48000;
// Row 3, column 3: a pad with a channel of its own.
constexpr int kPad = 27;
// From the centre (gain 1.003) to 40 px to the right (gain 0.323).
constexpr int kFarOffset = 40;
constexpr auto kResponseTimeout = std::chrono::milliseconds(1000);
constexpr double kResponseTimeoutMs = std::chrono::duration<double, std::milli>(kResponseTimeout).count();
// The pause between moves: at least this, plus a uniform share of a whole
// number of periods that spans more than a frame (kPauseSpreadMs) and a
// period. As the pause starts when a cycle has carried the last move, a
// spread of whole periods puts the next move at a uniform place in the
// period; a spread of another length would favour some places, and the
// program's and the floor's latencies would differ by where they fall
// rather than by what they do.
constexpr double kMinPauseMs = 1.0;
constexpr double kPauseSpreadMs = 20.0;
constexpr unsigned kSeed = 20;
constexpr long long kClockAgreementUs = 1000;
constexpr int kPlayAttempts = 2;
// Slower moves than this are told one by one in the breakdown.
constexpr double kSlowMoveMs = 50.0;
constexpr char kJackd[] = "jackd";
constexpr char kPipewire[] = "pipewire";
// How long a forced quantum may take to reach the clients.
constexpr auto kQuantumTimeout = std::chrono::seconds(10);
constexpr auto kQuantumPoll = std::chrono::milliseconds(20);
// PipeWire's JACK layer keeps its time on the monotonic clock, jackd on the raw one.
constexpr char kPipewireTraceClock[] = "TRACE_CLOCK=monotonic";
constexpr int kSceneWidthPixels = 1094;
// A high-density screen at 200 %, for --doubled: the window is 2188x1940.
constexpr int kDenseWidth = 3840, kDenseHeight = 2160;
const std::string kDenseResources = "Xft.dpi:\t192\n";
// Set in the bench's environment when it starts itself again under pw-jack.
constexpr char kRestartedMark[] = "ZELQUOR_LATENCY_BENCH_ON_PW_JACK";

struct Options {
  std::string out;
  int rounds = 1;
  int moves = 300;
  std::vector<int> periods = {64, 256, 1024};
  std::vector<std::string> scheduling = {"realtime", "none"};
  std::vector<int> tokens = {1, kPadTotal};
  bool breakdown = false;
  bool anywhere = false;
  bool doubled = false;
  bool everyPass = false;
  std::string server = kJackd;
};

Options parse(int argc, char** argv) {
  Options options;
  options.out = parseOptions(argc, argv,
                             {{"--rounds", setsNumber(options.rounds)},
                              {"--moves", setsNumber(options.moves)},
                              {"--periods", setsNumbers(options.periods)},
                              {"--scheduling", setsTexts(options.scheduling)},
                              {"--tokens", setsNumbers(options.tokens)},
                              {"--breakdown", setsFlag(options.breakdown)},
                              {"--anywhere", setsFlag(options.anywhere)},
                              {"--doubled", setsFlag(options.doubled)},
                              {"--draw-every-pass", setsFlag(options.everyPass)},
                              {"--server", setsText(options.server)}});
  if (options.server == kPipewire) options.scheduling = {kPipewire};
  else if (options.server != kJackd) throw std::runtime_error("--server is jackd or pipewire, not " + options.server);
  return options;
}

std::vector<std::string> serverOptions(const std::string& scheduling) {
  if (scheduling == "realtime") return {"-R", "-P", "70"};
  if (scheduling == "none") return {"-r"};
  throw std::runtime_error("scheduling is realtime or none, not " + scheduling);
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
  const Subject program = options.everyPass ? drawingEveryPass() : zelquorProgram();
  for (int tokens : options.tokens) all.push_back({program, kProgramClientName, tokens});
  return all;
}

struct Played {
  std::vector<MoveTimes> moves;
  std::vector<double> callbackLateMs;  // the listener's callback after its cycle's start
  int lost = 0;                        // never heard within the time-out
};

// Holds the token on the pad and moves it back and forth; with
// waitForIdle, each move after the program's loop has gone back to its wait.
Played play(SubjectRun& run, GainWatch& watch, FakePointer& hand, int moves, int period, bool waitForIdle,
            std::mt19937& random) {
  const WindowGeometry window = run.window().geometry();
  const int xs[2] = {padCentreX(kPad), padCentreX(kPad) + kFarOffset};
  const int y = padCentreY(kPad);
  // The window's pixels per scene pixel: 2 on the doubled screen.
  const int scale = std::max(1, window.width / kSceneWidthPixels);
  const float gains[2] = {lawGain(lawDistance(kPad, xs[0], y)), lawGain(lawDistance(kPad, xs[1], y))};
  const double periodMs = 1e3 * period / kSampleRate;
  const double spreadMs = periodMs * std::ceil(kPauseSpreadMs / periodMs + 1);
  std::uniform_real_distribution<double> pauseMs(kMinPauseMs, kMinPauseMs + spreadMs);

  watch.await(gains[0]);
  hand.moveTo(window.x + xs[0] * scale, window.y + y * scale);
  hand.leftButton(true);
  if (!watch.heard(kResponseTimeout)) throw std::runtime_error("the pad's gain did not come at the first press");
  Played played;
  for (int i = 1; i <= moves; ++i) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(pauseMs(random)));
    if (waitForIdle && !waitUntilMainThreadWaitsInPoll(run.process().pid()))
      throw std::runtime_error("the program's loop did not go back to its wait");
    watch.await(gains[i % 2]);
    MoveTimes move;
    move.movedAt = hand.moveTo(window.x + xs[i % 2] * scale, window.y + y * scale);
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
  for (const MoveTimes& move : played.moves) series[key + "/everyMoveMs"].push_back(latencyMs(move));
  if (frames.medianMs > 0) series[key + "/frameMs"].push_back(frames.medianMs);
  say(key + ": median " + std::to_string(figures.medianMs) + " ms, p99 " + std::to_string(figures.p99Ms) + " ms, max " +
      std::to_string(figures.maxMs) + " ms, early " + std::to_string(figures.early) + ", lost " +
      std::to_string(played.lost) + (frames.medianMs > 0 ? ", frame " + std::to_string(frames.medianMs) + " ms" : ""));
}

// The frame counter, and with a breakdown the trace clock writing to the file.
// The trace clock goes first: the frame counter's dlsym answers a lookup of
// the next definition (RTLD_NEXT) from where it stands, so a library after
// it would be handed its own function and call itself without end.
std::vector<std::string> programEnvironment(bool breakdown, const std::string& clockFile, bool onPipewire) {
  const std::string preload = "LD_PRELOAD=";
  std::vector<std::string> environment = frameCounterEnvironment();
  if (!breakdown) return environment;
  for (std::string& entry : environment)
    if (entry.rfind(preload, 0) == 0) entry.insert(preload.size(), std::string(ZELQUOR_TRACE_CLOCK) + " ");
  environment.push_back("TRACE_CLOCK_FILE=" + clockFile);
  if (onPipewire) environment.push_back(kPipewireTraceClock);
  return environment;
}

// The trace clock's notes, in order, and the file removed.
TraceNotes readTraceClock(const std::string& path) {
  TraceNotes notes;
  std::ifstream file(path);
  char kind = 0;
  jack_time_t us = 0;
  while (file >> kind >> us) notes.emplace_back(kind, us);
  std::remove(path.c_str());
  return notes;
}

double mean(const std::vector<double>& values) {
  double sum = 0;
  for (double value : values) sum += value;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

// Where the program's moves went, in ms, a value for each move whose gain's
// line was flushed.
struct Breakdown {
  std::vector<double> pickup, frameRest, poll, handler, flush, cycle;
};

void tellUnheard(const std::string& key, const MoveTimes& move, const MoveSteps& steps) {
  say(key + ": a move not heard; its handler " +
      (steps.handled ? "began " + std::to_string(msBetween(move.movedAt, steps.handled)) + " ms after it"
                     : "never ran") +
      (steps.gained
           ? ", its gain was in the engine after " + std::to_string(msBetween(move.movedAt, steps.gained)) + " ms"
           : ""));
}

void tellSlow(const std::string& key, const MoveTimes& move, const MoveSteps& steps) {
  say(key + ": a slow move, " + std::to_string(latencyMs(move)) + " ms: frame under way " +
      std::to_string(msBetween(move.movedAt, steps.frameEnd)) + " ms, poll " +
      std::to_string(msBetween(steps.frameEnd, steps.handled)) + " ms, handler " +
      std::to_string(msBetween(steps.handled, steps.gained)) + " ms, gain to cycle " +
      std::to_string(msBetween(steps.gained, move.heardCycleStart)) + " ms");
}

Breakdown breakdownOf(const std::string& key, const Played& played, const TraceNotes& notes) {
  Breakdown parts;
  for (std::size_t i = 0; i < played.moves.size(); ++i) {
    const MoveTimes& move = played.moves[i];
    const jack_time_t limit = i + 1 < played.moves.size() ? played.moves[i + 1].movedAt : ~jack_time_t(0);
    const MoveSteps steps = stepsOf(notes, move, limit);
    if (latencyMs(move) >= kResponseTimeoutMs) tellUnheard(key, move, steps);
    if (!steps.flushed) continue;
    if (latencyMs(move) > kSlowMoveMs) tellSlow(key, move, steps);
    parts.pickup.push_back(msBetween(move.movedAt, steps.handled));
    parts.frameRest.push_back(msBetween(move.movedAt, steps.frameEnd));
    parts.poll.push_back(msBetween(steps.frameEnd, steps.handled));
    parts.handler.push_back(msBetween(steps.handled, steps.gained));
    parts.flush.push_back(msBetween(steps.gained, steps.flushed));
    parts.cycle.push_back(msBetween(steps.gained, move.heardCycleStart));
  }
  return parts;
}

// What a move would wait for its frame's end if it fell independently of
// the frames, beside the measured mean.
void noteFrameRestExpected(Series& series, const std::string& key, const Played& played, const TraceNotes& notes,
                           const std::vector<double>& frameRest) {
  const jack_time_t from = played.moves.empty() ? 0 : played.moves.front().movedAt;
  const jack_time_t until = played.moves.empty() ? 0 : played.moves.back().heardCycleStart;
  const FrameGaps gaps = frameGaps(notes, from, until);
  if (gaps.sum <= 0) return;
  series[key + "/frameRestExpectedMs"].push_back(gaps.squares / (2 * gaps.sum));
  say(key + ": " + std::to_string(static_cast<int>(gaps.count)) + " frames, mean " +
      std::to_string(gaps.sum / gaps.count) + " ms; a move landing anywhere waits " +
      std::to_string(gaps.squares / (2 * gaps.sum)) +
      " ms on average for its frame's end if independent of them (measured mean " + std::to_string(mean(frameRest)) +
      " ms)");
}

void tellBreakdown(const std::string& key, const Breakdown& parts) {
  say(key + " breakdown of " + std::to_string(parts.pickup.size()) + " moves, medians: pickup " +
      std::to_string(percentile(parts.pickup, 0.5)) + " ms (frame under way " +
      std::to_string(percentile(parts.frameRest, 0.5)) + " ms, poll " + std::to_string(percentile(parts.poll, 0.5)) +
      " ms), handler " + std::to_string(percentile(parts.handler, 0.5)) + " ms, flush " +
      std::to_string(percentile(parts.flush, 0.5)) + " ms, gain to cycle " +
      std::to_string(percentile(parts.cycle, 0.5)) + " ms");
}

void noteBreakdown(Series& series, const std::string& key, const Played& played, const TraceNotes& notes,
                   double periodMs) {
  const Breakdown parts = breakdownOf(key, played, notes);
  const std::pair<const char*, const std::vector<double>*> named[] = {
      {"pickup", &parts.pickup},   {"frameRest", &parts.frameRest}, {"poll", &parts.poll},
      {"handler", &parts.handler}, {"flush", &parts.flush},         {"toCycle", &parts.cycle}};
  for (const auto& [name, values] : named) {
    series[key + "/" + name + "MedianMs"].push_back(percentile(*values, 0.5));
    series[key + "/" + name + "P99Ms"].push_back(percentile(*values, 0.99));
  }
  series[key + "/breakdownMoves"].push_back(static_cast<double>(parts.pickup.size()));
  // With a period far longer than a frame, the program's median over the
  // floor's follows the pickup's mean, not its median.
  series[key + "/pickupMeanMs"].push_back(mean(parts.pickup));
  series[key + "/pickupAboveMs"].push_back(medianAboveHalfPeriod(parts.pickup, periodMs));
  noteFrameRestExpected(series, key, played, notes, parts.frameRest);
  tellBreakdown(key, parts);
}

// The breakdown compares the trace clock's clock with the JACK clock (which
// a client of this process must have set up first).
bool jackClockIsTraceClock(bool onPipewire) {
  timespec now{};
  clock_gettime(onPipewire ? CLOCK_MONOTONIC : CLOCK_MONOTONIC_RAW, &now);
  const long long monotonicUs = static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
  const long long jackUs = static_cast<long long>(jack_get_time());
  return std::llabs(jackUs - monotonicUs) < kClockAgreementUs;
}

// A forced quantum reaches the clients at the daemon's next cycles.
void awaitQuantum(const GainWatch& watch, int period) {
  const auto deadline = std::chrono::steady_clock::now() + kQuantumTimeout;
  while (watch.periodFrames() != period) {
    if (std::chrono::steady_clock::now() > deadline)
      throw std::runtime_error("the quantum stayed " + std::to_string(watch.periodFrames()) + ", not " +
                               std::to_string(period));
    std::this_thread::sleep_for(kQuantumPoll);
  }
}

void playOne(const Player& player, const Servers& servers, FakePointer& hand, const std::string& key, int period,
             const Options& options, std::mt19937& random, Series& series) {
  const bool program = player.tokens > 0;
  const bool onPipewire = servers.pipewire != nullptr;
  const std::string clockFile = "/tmp/zelquorTraceClock" + std::to_string(getpid()) + ".txt";
  const auto run =
      startRunning(player.subject, servers,
                   program ? programEnvironment(options.breakdown, clockFile, onPipewire) : std::vector<std::string>{});
  if (player.tokens == kPadTotal) placeTokensOnEveryPad(*run);
  GainWatch watch(player.client, channelOfPad(kPad));
  if (onPipewire) awaitQuantum(watch, period);
  const std::size_t firstWindow = frameWindowsSoFar(*run);
  const Played played = play(*run, watch, hand, options.moves, period, program && !options.anywhere, random);
  const FrameTimes frames = program ? framesSince(*run, firstWindow) : FrameTimes{};
  note(series, key, played, frames);
  run->close();
  if (program && options.breakdown) {
    const auto notes = readTraceClock(clockFile);
    if (jackClockIsTraceClock(onPipewire)) noteBreakdown(series, key, played, notes, 1e3 * period / kSampleRate);
    else say("the JACK clock is not the trace clock's here: no breakdown");
  }
}

void runCase(const XServer& x, const std::string& scheduling, int period, int turn, const Options& options,
             std::mt19937& random, Series& series) {
  std::unique_ptr<JackServer> jack;
  std::unique_ptr<PipewireServer> pipewire;
  if (options.server == kPipewire) {
    pipewire = std::make_unique<PipewireServer>();
    pipewire->useInThisProcess();
    pipewire->forceQuantum(period);
  } else {
    jack = std::make_unique<JackServer>(kSampleRate, period, serverOptions(scheduling));
    jack->useInThisProcess();
  }
  const Servers servers{x, jack.get(), pipewire.get()};
  FakePointer hand(x.displayName());
  std::vector<Player> order = players(options);
  std::rotate(order.begin(), order.begin() + turn % order.size(), order.end());
  for (const Player& player : order) {
    const std::string key = scheduling + "/" + std::to_string(period) + "/" + player.key();
    for (int attempt = 1; attempt <= kPlayAttempts; ++attempt) {
      try {
        playOne(player, servers, hand, key, period, options, random, series);
        break;
      } catch (const std::exception& error) {
        // On a busy machine the program may take longer than the placing
        // allows: another attempt, then the case goes on without it.
        hand.leftButton(false);
        say(key + " attempt " + std::to_string(attempt) + " failed: " + error.what());
      }
    }
  }
}

// True when the libjack this process runs with is PipeWire's JACK layer.
bool onPipewireJackLayer() {
  Dl_info library{};
  void* open = dlsym(RTLD_DEFAULT, "jack_client_open");
  return open != nullptr && dladdr(open, &library) != 0 && library.dli_fname != nullptr &&
         std::string(library.dli_fname).find(kPipewire) != std::string::npos;
}

// Starts this bench again under pw-jack; throws when it cannot.
void restartOnPipewireJackLayer(char** argv) {
  if (std::getenv(kRestartedMark) != nullptr)
    throw std::runtime_error("pw-jack did not give PipeWire's JACK layer (is pipewire-jack installed?)");
  setenv(kRestartedMark, "1", 1);
  // Its own path: /proc/self/exe would name pw-jack's shell there.
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::vector<char*> arguments = {const_cast<char*>(kPipewireJackCommand), self.data()};
  for (char** argument = argv + 1; *argument != nullptr; ++argument) arguments.push_back(*argument);
  arguments.push_back(nullptr);
  execvp(kPipewireJackCommand, arguments.data());
  throw std::runtime_error(std::string("cannot start ") + kPipewireJackCommand + ": " + std::strerror(errno));
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = parse(argc, argv);
    if (options.server == kPipewire && !onPipewireJackLayer()) restartOnPipewireJackLayer(argv);
    const std::string loadAtStart = loadAverage();
    XServer x = options.doubled ? XServer(kDenseWidth, kDenseHeight) : XServer();
    if (options.doubled) setRootResources(x.displayName(), kDenseResources);
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
    writeSeries(out, "latency", series, true);
    out << "}\n";
    return out ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "latencyBench: " << error.what() << std::endl;
    return 1;
  }
}
