// The real program beside its floor programs, under a private Xvfb and a
// private dummy jackd (48 kHz, 256 frames per period), one server of each
// for the whole run:
//   frames    frame time with 0 and 64 tokens, program vs frameFloor, both
//             timed by the preloaded frame counter; rounds interleaved;
//             the program built to draw after every pass (as fast as the
//             moves come), so that the interval is the frame's own cost; and
//             the program on a 1366x768 screen ("scaled"), whose window
//             shows the scene scaled down, and on a 3840x2160 screen at
//             192 dpi ("doubled"), whose window is 2188x1940, against its
//             full-size runs
//   drag      8 tokens dragged together at 1,000 moves a second: frames a
//             second and the whole process's CPU, the program vs its build
//             that draws after every pass, full size and doubled
//   memory    peak resident memory (VmHWM) at the end of each 64-token run
//   startup   from the start of the process to its "it runs" line, program
//             vs startupFloor, runs interleaved; and the program whose
//             ports' names the server refuses (a preloaded library)
//   dspLoad   the server's DSP load with a probe feeding all 63 inputs and
//             reading all 63 outputs of the program, of the bare copy
//             client (alone, and beside frameFloor drawing without a JACK
//             client, which keeps the processors as busy as the program's
//             own drawing does), and with the probe alone
//   idle      the program with 8 tokens placed, left alone for 10 s: CPU of
//             its main thread and of its whole process (the JACK thread
//             included) and the main thread's wake-ups, beside the bare copy
//             client's process, runs interleaved
//   menu      the start from the menu (the installed command) vs the
//             installed program started directly, on jackd, on a private
//             PipeWire and with no server (see menuStartup.h); needs
//             --installed=PREFIX, where the build was installed
// The program draws only when something changes: while frames are timed,
// the pointer moves over every subject's window at 1 kHz (as a fast drag
// does, pointerDrive.h), and the frame rows are those of a drag.
// Each series keeps its runs in order, so that run i of the program and run
// i of its floor, made one after the other, can be taken as a pair.
// Writes everything as JSON for printRatios.py; progress goes to stderr.
//
// Usage: systemBench --out=FILE [--frame-rounds=N] [--frame-windows=N]
//                    [--startups=N] [--load-rounds=N] [--load-seconds=S]
//                    [--idle-rounds=N] [--idle-seconds=S]
//                    [--sections=frames,drag,startup,dspLoad,idle,menu]
//                    [--drag-rounds=N]
//                    [--installed=PREFIX] [--menu-startups=N]
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "benchRun.h"
#include "boardFacts.h"
#include "fakePointer.h"
#include "jackProbe.h"
#include "menuStartup.h"
#include "pointerDrive.h"
#include "systemMeasures.h"

namespace {

constexpr int kSampleRate = 48000;
constexpr int kFramesPerPeriod = 256;
constexpr int kBoardTokens = 64;
constexpr auto kSettleTime = std::chrono::milliseconds(500);
// A laptop's screen, too small for the full-size window.
constexpr int kLaptopWidth = 1366, kLaptopHeight = 768;
constexpr int kIdleTokens = 8;
constexpr int kSceneFullWidth = 1094, kSceneFullHeight = 970;
// Where the driven pointer moves: from pad 27's centre 40 px to the right.
constexpr int kDriveX = 417, kDriveY = 427;
// A high-density screen at 200 %.
constexpr int kDenseWidth = 3840, kDenseHeight = 2160;
const std::string kDenseResources = "Xft.dpi:\t192\n";

struct Options {
  std::string out;
  int frameRounds = 5;
  int frameWindows = 4;
  int startups = 10;
  int loadRounds = 3;
  double loadSeconds = 4;
  int idleRounds = 3;
  double idleSeconds = 10;
  std::string sections = "frames,drag,startup,dspLoad,idle,menu";
  std::string installed;
  int menuStartups = 20;
  int dragRounds = 3;
  bool runs(const std::string& section) const {
    return ("," + sections + ",").find("," + section + ",") != std::string::npos;
  }
};

Options parse(int argc, char** argv) {
  Options options;
  options.out = parseOptions(argc, argv,
                             {{"--frame-rounds", setsNumber(options.frameRounds)},
                              {"--frame-windows", setsNumber(options.frameWindows)},
                              {"--startups", setsNumber(options.startups)},
                              {"--load-rounds", setsNumber(options.loadRounds)},
                              {"--load-seconds", setsNumber(options.loadSeconds)},
                              {"--idle-rounds", setsNumber(options.idleRounds)},
                              {"--idle-seconds", setsNumber(options.idleSeconds)},
                              {"--sections", setsText(options.sections)},
                              {"--installed", setsText(options.installed)},
                              {"--menu-startups", setsNumber(options.menuStartups)},
                              {"--drag-rounds", setsNumber(options.dragRounds)}});
  return options;
}

void say(const std::string& text) { std::cerr << "systemBench: " << text << std::endl; }

// Who goes first alternates from one round to the next.
std::vector<Subject> inTurn(int round, const Subject& program, const Subject& floor) {
  return round % 2 == 0 ? std::vector<Subject>{program, floor} : std::vector<Subject>{floor, program};
}

void measureFrameRun(const Subject& subject, const std::string& name, const Servers& servers, int tokens,
                     const Options& options, int round, Series& frames, Series& memory) {
  const std::string key = name + "/" + std::to_string(tokens);
  const auto running = startRunning(subject, servers, frameCounterEnvironment());
  SubjectRun& run = *running;
  if (subject.name != "frameFloor" && tokens == kBoardTokens) placeTokensOnEveryPad(run);
  const FrameTimes times = [&] {
    const PointerDrive drive(servers.x.displayName(), run.window(), kDriveX, kDriveY);
    return measureFrames(run, options.frameWindows);
  }();
  frames[key + "/medianMs"].push_back(times.medianMs);
  frames[key + "/meanMs"].push_back(times.meanMs);
  frames[key + "/cpuMs"].push_back(times.cpuMs);
  memory[key + "/vmHWMKiB"].push_back(static_cast<double>(run.peakResidentKiB()));
  say("frames round " + std::to_string(round + 1) + " " + key + ": median " + std::to_string(times.medianMs) + " ms");
  run.close();
}

// The scaled and doubled runs follow the program's full-size run of the
// same round.
void runFrames(const Servers& servers, const Servers& laptop, const Servers& dense, const Options& options,
               Series& frames, Series& memory) {
  Subject program = drawingEveryPass();
  program.name = "program";  // its rows are the program's frame rows
  for (int round = 0; round < options.frameRounds; ++round)
    for (int tokens : {0, kBoardTokens}) {
      for (const Subject& subject : inTurn(round, program, frameFloor(tokens)))
        measureFrameRun(subject, subject.name, servers, tokens, options, round, frames, memory);
      measureFrameRun(program, "scaled", laptop, tokens, options, round, frames, memory);
      measureFrameRun(program, "doubled", dense, tokens, options, round, frames, memory);
    }
}

// Holds the token on pad 0 in all mode and drags the 8 tokens at 1 kHz
// while the frames are counted.
void measureDragRun(const Subject& subject, const std::string& key, const Servers& servers, const Options& options,
                    Series& drag) {
  const auto running = startRunning(subject, servers, frameCounterEnvironment());
  SubjectRun& run = *running;
  placeTokensOnEveryPad(run, kIdleTokens);
  run.window().key("t");
  const WindowGeometry at = run.window().geometry();
  const int x = padCentreX(0) * at.width / kSceneFullWidth, y = padCentreY(0) * at.height / kSceneFullHeight;
  FakePointer hand(servers.x.displayName());
  hand.moveUntimed(at.x + x, at.y + y);
  hand.leftButton(true);
  const FrameTimes times = [&] {
    const PointerDrive drive(servers.x.displayName(), run.window(), x, y);
    return measureFrames(run, options.frameWindows);
  }();
  hand.leftButton(false);
  drag[key + "/framesPerSecond"].push_back(1e3 / times.meanMs);
  drag[key + "/cpuPercent"].push_back(1e2 * times.cpuMs / times.meanMs);
  say("drag " + key + ": " + std::to_string(1e3 / times.meanMs) + " frames a second, CPU " +
      std::to_string(1e2 * times.cpuMs / times.meanMs) + " %");
  run.close();
}

void runDrags(const Servers& servers, const Servers& dense, const Options& options, Series& drag) {
  for (int round = 0; round < options.dragRounds; ++round)
    for (const auto& [size, on] : {std::pair<std::string, const Servers*>{"full", &servers}, {"doubled", &dense}})
      for (const Subject& subject : inTurn(round, zelquorProgram(), drawingEveryPass()))
        measureDragRun(subject, subject.name + "/" + size, *on, options, drag);
}

void measureStartup(const Subject& subject, const Servers& servers, Series& startup,
                    const std::vector<std::string>& environment = {}) {
  const auto run = startRunning(subject, servers, environment);
  startup[subject.name + "/ms"].push_back(run->startUpTime().count());
  run->close();
  // The server drops the client of a process that has ended on its own
  // time; the next start must not wait for that.
  std::this_thread::sleep_for(kSettleTime);
}

// The program again with every metadata property refused, as by a server
// that keeps none: beside the program, what naming its ports costs.
void measureStartupWithoutPortNames(const Servers& servers, Series& startup) {
  Subject program = zelquorProgram();
  program.name = "programWithoutPortNames";
  measureStartup(program, servers, startup, {std::string("LD_PRELOAD=") + ZELQUOR_REFUSING_METADATA});
}

void runStartups(const Servers& servers, const Options& options, Series& startup) {
  for (int i = 0; i < options.startups; ++i) {
    for (const Subject& subject : inTurn(i, zelquorProgram(), startupFloor()))
      measureStartup(subject, servers, startup);
    measureStartupWithoutPortNames(servers, startup);
  }
  say("start-up runs done");
}

void runIdle(const Servers& servers, const Options& options, Series& idle) {
  for (int round = 0; round < options.idleRounds; ++round)
    for (const Subject& subject : inTurn(round, zelquorProgram(), bareCopyClient())) {
      const auto run = startRunning(subject, servers);
      if (subject.hasWindow) placeTokensOnEveryPad(*run, kIdleTokens);
      const IdleFigures figures = measureIdle(*run, options.idleSeconds);
      idle[subject.name + "/threadPercent"].push_back(figures.threadPercent);
      idle[subject.name + "/processPercent"].push_back(figures.processPercent);
      idle[subject.name + "/wakeUpsPerSecond"].push_back(figures.wakeUpsPerSecond);
      run->close();
      std::this_thread::sleep_for(kSettleTime);
    }
  say("idle runs done");
}

double loadWith(const Subject* subject, const std::string& clientName, const Servers& servers, JackProbe& probe,
                double seconds, const Subject* beside = nullptr) {
  if (subject == nullptr) return averageDspLoad(probe.client(), seconds);
  std::unique_ptr<SubjectRun> busy;
  if (beside != nullptr) busy = startRunning(*beside, servers);
  const auto run = startRunning(*subject, servers);
  probe.connectTo(clientName);
  const double load = averageDspLoad(probe.client(), seconds);
  run->close();
  return load;
}

void runDspLoad(const Servers& servers, const Options& options, Series& dspLoad) {
  servers.jack->useInThisProcess();
  JackProbe probe("zelquorLoadProbe");
  const Subject program = zelquorProgram();
  const Subject bare = bareCopyClient();
  const Subject drawing = frameFloor(0, false);
  const double seconds = options.loadSeconds;
  for (int round = 0; round < options.loadRounds; ++round) {
    dspLoad["idle/percent"].push_back(loadWith(nullptr, "", servers, probe, seconds));
    dspLoad["program/percent"].push_back(loadWith(&program, kProgramClientName, servers, probe, seconds));
    dspLoad["bareCopyClient/percent"].push_back(loadWith(&bare, "zelquorBareCopy", servers, probe, seconds));
    dspLoad["bareBesideDrawing/percent"].push_back(
        loadWith(&bare, "zelquorBareCopy", servers, probe, seconds, &drawing));
  }
  say("DSP load runs done");
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = parse(argc, argv);
    const std::string loadAtStart = loadAverage();
    XServer x;
    XServer laptopX(kLaptopWidth, kLaptopHeight);
    XServer denseX(kDenseWidth, kDenseHeight);
    setRootResources(denseX.displayName(), kDenseResources);
    JackServer jack(kSampleRate, kFramesPerPeriod);
    const Servers servers{x, &jack};
    Series frames, memory, startup, dspLoad, idle, drag;
    if (options.runs("frames"))
      runFrames(servers, Servers{laptopX, &jack}, Servers{denseX, &jack}, options, frames, memory);
    if (options.runs("drag")) runDrags(servers, Servers{denseX, &jack}, options, drag);
    if (options.runs("startup")) runStartups(servers, options, startup);
    if (options.runs("dspLoad")) runDspLoad(servers, options, dspLoad);
    if (options.runs("idle")) runIdle(servers, options, idle);
    Series menu;
    if (options.runs("menu") && options.installed.empty()) say("no --installed=PREFIX: no start-up from the menu");
    else if (options.runs("menu")) runMenuStartups(x, jack, options.installed, options.menuStartups, menu);

    std::ofstream out(options.out);
    out << "{\n  \"loadAverageAtStart\": \"" << loadAtStart << "\",\n  \"loadAverageAtEnd\": \"" << loadAverage()
        << "\",\n  \"framesPerPeriod\": " << kFramesPerPeriod << ",\n  \"sampleRate\": " << kSampleRate << ",\n";
    writeSeries(out, "frames", frames);
    writeSeries(out, "memory", memory);
    writeSeries(out, "startup", startup);
    writeSeries(out, "dspLoad", dspLoad);
    writeSeries(out, "idle", idle);
    writeSeries(out, "drag", drag);
    writeSeries(out, "menuStartup", menu, true);
    out << "}\n";
    return out ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "systemBench: " << error.what() << std::endl;
    return 1;
  }
}
