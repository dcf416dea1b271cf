// One pointer move while a drag runs, through the real handler onMouseMove,
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
// Names: "event/<mode>Step/<sink>". The facade is created without a server:
// "JACK server not running ?" on stderr is expected.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>

#include "boardModel.h"
#include "dragging.h"
#include "engineFacade.h"
#include "keyboard.h"
#include "pointerInput.h"

DspFaust* dspFaust = nullptr;

namespace {

constexpr int kKeyT = 19;  // all mode
constexpr int kKeyS = 18;  // single mode
constexpr int kPadCentreOffset = 59;
constexpr int kBoardColumns = 8;
constexpr int kAnchorPad = 27;  // the token the drag is anchored on

// Where the trace file goes; set from the command line or beside the binary.
std::string traceFile = "eventBenchTrace.txt";

int padCentreX(int p) {
  static constexpr int kColumnX[kBoardColumns] = {8, 126, 242, 358, 476, 592, 708, 826};
  return kColumnX[p % kBoardColumns] + kPadCentreOffset;
}

int padCentreY(int p) {
  static constexpr int kRowY[kBoardColumns] = {14, 132, 250, 368, 486, 602, 718, 836};
  return kRowY[p / kBoardColumns] + kPadCentreOffset;
}

sf::Event buttonEvent(sf::Event::EventType type, int x, int y) {
  sf::Event event;
  event.type = type;
  event.mouseButton.button = sf::Mouse::Left;
  event.mouseButton.x = x;
  event.mouseButton.y = y;
  return event;
}

sf::Event moveEvent(int x, int y) {
  sf::Event event;
  event.type = sf::Event::MouseMoved;
  event.mouseMove.x = x;
  event.mouseMove.y = y;
  return event;
}

sf::Event keyEvent(int code) {
  sf::Event event;
  event.type = sf::Event::KeyPressed;
  event.key = {static_cast<sf::Keyboard::Key>(code), false, false, false, false};
  return event;
}

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
  setUpBoard();
  resetInteraction();
  for (int p = 0; p < kPadCount; ++p) {
    onClick(buttonEvent(sf::Event::MouseButtonPressed, padCentreX(p), padCentreY(p)));
    onMouseUp(buttonEvent(sf::Event::MouseButtonReleased, padCentreX(p), padCentreY(p)));
  }
  onKeyPressed(keyEvent(modeKey));
  onClick(buttonEvent(sf::Event::MouseButtonPressed, padCentreX(kAnchorPad), padCentreY(kAnchorPad)));
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
    onMouseMove(moveEvent(x + offset, y));
  }
  if (!allOnBoard()) state.SkipWithError("a token left the board");
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
    benchmark::RegisterBenchmark((std::string("event/") + mode + "Step/" + s.name).c_str(),
                                 [modeKey, where = s.where](benchmark::State& st) { stepInto(st, modeKey, where); })
        ->Unit(benchmark::kMicrosecond);
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

  setenv("JACK_NO_START_SERVER", "1", 1);
  setenv("JACK_DEFAULT_SERVER", "zelquorNoSuchServer", 1);
  dspFaust = new DspFaust(false);  // prints "JACK server not running ?" on stderr

  registerSteps("all", kKeyT);
  registerSteps("single", kKeyS);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(traceFile.c_str());
  return 0;
}
