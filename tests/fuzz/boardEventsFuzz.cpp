// Turns the fuzzer's bytes into a stream of window events, hands each to the
// board's handler for its type as the event loop does, and checks the board
// model's invariants after every event. A broken invariant aborts with a
// description of it, so the fuzzer keeps the input that led there.

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "boardInvariants.h"
#include "boardModel.h"
#include "boardReset.h"
#include "engineFacade.h"
#include "eventDispatch.h"
#include "facadeWithoutServer.h"
#include "gainLaw.h"
#include "documentationPage.h"
#include "pointerInput.h"
#include "sceneLayout.h"
#include "windowEvents.h"

DspFaust* dspFaust = nullptr;

namespace {

// ---- Decoding: one kind byte, then the event's own bytes.

enum eventKind { pressKind, releaseKind, moveKind, wheelKind, keyKind, kindCount };

constexpr int kMaxEvents = 4096;
// Words from kFarWords on pick a coordinate far outside the window.
constexpr unsigned kFarWords = 0xF000;
// The scene's edges, in ints.
constexpr int kWidth = static_cast<int>(kSceneWidth), kHeight = static_cast<int>(kSceneHeight);
constexpr int kFarCoordinates[] = {INT_MIN, INT_MIN + 1, -1000000, -4096,       -61,     -1,      0,           kWidth - 1,
                                   kWidth,  kHeight - 1, kHeight,  4096,        65535,   1000000, INT_MAX - 1, INT_MAX};
constexpr int kFarCount = sizeof kFarCoordinates / sizeof kFarCoordinates[0];
// Other words cover the window and a margin around it.
constexpr int kMargin = 60;
constexpr int kSpanX = kWidth + 2 * kMargin;
constexpr int kSpanY = kHeight + 2 * kMargin;
// Every value of these enumerations' ranges, beyond the named ones too.
constexpr int kButtonValues = 8;
constexpr int kKeyValues = 129;  // -1 (unknown) to 127
constexpr int kWheelValues = 2;

class byteReader {
 public:
  byteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  unsigned byte() { return at_ < size_ ? data_[at_++] : 0; }
  unsigned word() {
    const unsigned high = byte();
    return high << 8 | byte();
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

int coordinate(byteReader& in, int span) {
  const unsigned w = in.word();
  if (w >= kFarWords) return kFarCoordinates[w % kFarCount];
  return static_cast<int>(w % static_cast<unsigned>(span)) - kMargin;
}

// The events are made in the library's own form and translated by the
// program, as the window's would be. The bytes are read in the order the
// arguments are listed.
boardEvent readButton(bool pressed, byteReader& in) {
  const int button = static_cast<int>(in.byte() % kButtonValues);
  const int x = coordinate(in, kSpanX);
  const int y = coordinate(in, kSpanY);
  return pressed ? pressEvent(x, y, button) : releaseEvent(x, y, button);
}

boardEvent readMove(byteReader& in) {
  const int x = coordinate(in, kSpanX);
  const int y = coordinate(in, kSpanY);
  return moveEvent(x, y);
}

boardEvent readWheel(byteReader& in) {
  const int wheel = static_cast<int>(in.byte() % kWheelValues);
  const float step = static_cast<float>(static_cast<std::int8_t>(in.byte()));
  const int x = coordinate(in, kSpanX);
  const int y = coordinate(in, kSpanY);
  return wheelEvent(wheel, step, x, y);
}

boardEvent readKey(byteReader& in) {
  const int code = static_cast<int>(in.byte() % kKeyValues) - 1;
  const unsigned held = in.byte();
  Modifiers modifiers;
  modifiers.alt = held & 1;
  modifiers.control = held & 2;
  modifiers.shift = held & 4;
  modifiers.system = held & 8;
  return keyEvent(code, modifiers);
}

// ---- The documentation command: counted instead of starting a browser.

int documentationOpenings = 0;

// ---- The board model's invariants, after every event.

boardHistory before;
int eventNumber = 0;

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "board invariant broken after event %d: %s\n", eventNumber, what.c_str());
  std::abort();
}

constexpr area kLogo = {991, 1065, 15, 47};

void checkAfter(const boardEvent& event) {
  const bool pressOnLogo = event.type == boardEventType::buttonPressed && kLogo.holds(event.x, event.y);
  const std::string problem = boardProblem(event, before);
  if (!problem.empty()) broken(problem);
  if (documentationOpenings != (pressOnLogo ? 1 : 0)) broken("only a press on the logo opens the documentation");
  remember(before);
}

// ---- Driving.

void resetBoard() {
  resetBoardModel();
  char address[kAddressSize];
  for (int p = 0; p < kPadCount; ++p) {
    formatAddress(address, p);
    dspFaust->setParamValue(address, 0.0f);
  }
  before = freshHistory();
  eventNumber = 0;
}

boardEvent nextEvent(byteReader& in) {
  switch (in.byte() % kindCount) {
    case pressKind: return readButton(true, in);
    case releaseKind: return readButton(false, in);
    case moveKind: return readMove(in);
    case wheelKind: return readWheel(in);
    default: return readKey(in);
  }
}

}  // namespace

// Stands in for the program's own: the linker takes this one, so a press on
// the logo is counted and starts no browser.
void openDocumentation() { ++documentationOpenings; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The real facade, with no server to answer: parameter writes still land.
  dspFaust = newFacadeWithoutServer();
  // Trace lines go nowhere: a stream without a buffer writes nothing.
  std::cout.rdbuf(nullptr);
  // Each type's sprite gets an origin of its own, so copies can be told apart.
  for (int t = 0; t < kTypeCount; ++t) genSprite[t].setOrigin({float(t), float(t)});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  resetBoard();
  byteReader in(data, size);
  while (!in.empty() && eventNumber < kMaxEvents) {
    const boardEvent event = nextEvent(in);
    ++eventNumber;
    documentationOpenings = 0;
    dispatchBoardEvent(event);
    checkAfter(event);
  }
  // Reading all 64 gains after every event would slow the fuzzer down.
  const std::string problem = gainProblem();
  if (!problem.empty()) broken(problem);
  return 0;
}
