// One pointer move while a drag runs, through the program's event dispatch,
// with 64 tokens on the board: in all mode (64 gain applications, 64
// parameter writes, 64 trace lines) and in single mode (one of each).
//
// Where the trace goes decides much of the cost, so each step is measured
// three ways:
//   file      standard output is a file (the usual "zelquor > log")
//   devnull   standard output is /dev/null: the same stream work and one
//             write(2) per line, but a write that costs almost nothing
//   nullbuf   std::cout writes into a streambuf that drops everything: the
//             numbers are still formatted, nothing reaches stdio or the kernel
// file minus nullbuf is what handing the lines to the file costs, the
// flush after each line included.
//
// Beside them, each mode's floor (traceFloor.h): the same lines, recorded
// from the same two alternating steps, written to the same file the same
// way, one line at a time, with nothing else done. The all-mode step is
// judged against it, measured in the same run: what the file costs varies
// from machine to machine far more than the program's own work does.
//
// Names: "event/<mode>Step/<sink>" and "event/<mode>Floor/file". The facade is created without a server:
// "JACK server not running ?" on stderr is expected.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "boardFacts.h"
#include "boardModel.h"
#include "boardReset.h"
#include "dragging.h"
#include "engineFacade.h"
#include "eventDispatch.h"
#include "facadeWithoutServer.h"
#include "traceFloor.h"
#include "windowEvents.h"

DspFaust* dspFaust = nullptr;

namespace {

constexpr int kAnchorPad = 27;  // the token the drag is anchored on

// Where the trace file goes; set from the command line or beside the binary.
std::string traceFile = "eventBenchTrace.txt";

// Drops everything written to it.
class nullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Sends this process's standard output to a file or /dev/null while alive.
class stdoutTo {
 public:
  explicit stdoutTo(const std::string& path) {
    std::cout.flush();
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, STDOUT_FILENO);
    close(fd);
  }
  ~stdoutTo() {
    std::cout.flush();
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

class coutDropped {
 public:
  coutDropped() : saved_(std::cout.rdbuf(&drop_)) {}
  ~coutDropped() { std::cout.rdbuf(saved_); }

 private:
  nullBuffer drop_;
  std::streambuf* saved_;
};

// A board with a token on each of the 64 pads, placed by presses and
// releases at the pads' centres, the drag anchored on one of them in the
// given mode (set by its key, as a user would).
void setUpDrag(int modeKey) {
  coutDropped quiet;
  resetBoardModel();
  for (int p = 0; p < kPadCount; ++p) {
    dispatchBoardEvent(pressEvent(padCentreX(p), padCentreY(p)));
    dispatchBoardEvent(releaseEvent(padCentreX(p), padCentreY(p)));
  }
  dispatchBoardEvent(keyEvent(modeKey));
  dispatchBoardEvent(pressEvent(padCentreX(kAnchorPad), padCentreY(kAnchorPad)));
}

bool allOnBoard() {
  for (const gen& token : tabgen)
    if (token.active != 1 || token.padIndex == kNone) return false;
  return true;
}

// Moves the pointer one pixel right and back: every corner stays on its
// pad, so each step moves every token and displaces none.
void dragSteps(benchmark::State& state, int modeKey) {
  setUpDrag(modeKey);
  const int x = padCentreX(kAnchorPad);
  const int y = padCentreY(kAnchorPad);
  int offset = 0;
  for (auto _ : state) {
    offset ^= 1;
    dispatchBoardEvent(moveEvent(x + offset, y));
  }
  if (!allOnBoard()) state.SkipWithError("a token left the board");
}

// The lines of the two steps dragSteps alternates, right then back.
std::vector<traceLines> stepLines(int modeKey) {
  setUpDrag(modeKey);
  const int x = padCentreX(kAnchorPad);
  const int y = padCentreY(kAnchorPad);
  std::vector<traceLines> steps;
  for (int offset : {1, 0}) steps.push_back(recordTrace([&] { dispatchBoardEvent(moveEvent(x + offset, y)); }));
  return steps;
}

void floorSteps(benchmark::State& state, int modeKey) {
  const std::vector<traceLines> steps = stepLines(modeKey);
  stdoutTo redirect(traceFile);
  std::size_t next = 0;
  for (auto _ : state) {
    writeTrace(steps[next]);
    next ^= 1;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["lines"] = static_cast<double>(steps[0].size());
}

enum class sink { file, devNull, nullBuf };

void stepInto(benchmark::State& state, int modeKey, sink where) {
  if (where == sink::nullBuf) {
    coutDropped drop;
    dragSteps(state, modeKey);
  } else {
    stdoutTo redirect(where == sink::file ? traceFile : "/dev/null");
    dragSteps(state, modeKey);
  }
  state.SetItemsProcessed(state.iterations());
}

void registerSteps(const char* mode, int modeKey) {
  const struct {
    const char* name;
    sink where;
  } sinks[] = {{"file", sink::file}, {"devnull", sink::devNull}, {"nullbuf", sink::nullBuf}};
  for (const auto& s : sinks)
    benchmark::RegisterBenchmark((std::string("event/") + mode + "Step/" + s.name).c_str(), [modeKey, where = s.where](
                                                                                                benchmark::State& st) {
      stepInto(st, modeKey, where);
    })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark((std::string("event/") + mode + "Floor/file").c_str(), [modeKey](benchmark::State& st) {
    floorSteps(st, modeKey);
  })->Unit(benchmark::kMicrosecond);
}

}  // namespace

// Usage: eventBench [--trace_file=PATH] [benchmark options]
int main(int argc, char** argv) {
  const std::string traceOption = "--trace_file=";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind(traceOption, 0) == 0) traceFile = arg.substr(traceOption.size());
    else argv[kept++] = argv[i];
  }
  argc = kept;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  dspFaust = newFacadeWithoutServer();

  registerSteps("all", kKeyT);
  registerSteps("single", kKeyS);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(traceFile.c_str());
  return 0;
}
