// Turns the fuzzer's bytes into a stream of window events, hands each to the
// board's handler for its type as the event loop does, and checks the board
// model's invariants after every event. A broken invariant aborts with a
// description of it, so the fuzzer keeps the input that led there.
#include <dlfcn.h>

#include <SFML/Window/Event.hpp>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "boardModel.h"
#include "engineFacade.h"
#include "eventDispatch.h"
#include "facadeWithoutServer.h"
#include "gainLaw.h"
#include "pointerInput.h"

DspFaust* dspFaust = nullptr;

namespace {

// ---- Decoding: one kind byte, then the event's own bytes.

enum eventKind { pressKind, releaseKind, moveKind, wheelKind, keyKind, kindCount };

constexpr int kMaxEvents = 4096;
// Words from kFarWords on pick a coordinate far outside the window.
constexpr unsigned kFarWords = 0xF000;
constexpr int kFarCoordinates[] = {INT_MIN, INT_MIN + 1, -1000000, -4096, -61, -1, 0, 1093,
                                   1094, 969, 970, 4096, 65535, 1000000, INT_MAX - 1, INT_MAX};
constexpr int kFarCount = sizeof kFarCoordinates / sizeof kFarCoordinates[0];
// Other words cover the window and a margin around it.
constexpr int kMargin = 60;
constexpr int kSpanX = 1094 + 2 * kMargin;
constexpr int kSpanY = 970 + 2 * kMargin;
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

sf::Event buttonEvent(sf::Event::EventType type, byteReader& in) {
  sf::Event event;
  event.type = type;
  event.mouseButton.button = static_cast<sf::Mouse::Button>(in.byte() % kButtonValues);
  event.mouseButton.x = coordinate(in, kSpanX);
  event.mouseButton.y = coordinate(in, kSpanY);
  return event;
}

sf::Event moveEvent(byteReader& in) {
  sf::Event event;
  event.type = sf::Event::MouseMoved;
  event.mouseMove.x = coordinate(in, kSpanX);
  event.mouseMove.y = coordinate(in, kSpanY);
  return event;
}

sf::Event wheelEvent(byteReader& in) {
  sf::Event event;
  event.type = sf::Event::MouseWheelScrolled;
  event.mouseWheelScroll.wheel = static_cast<sf::Mouse::Wheel>(in.byte() % kWheelValues);
  event.mouseWheelScroll.delta = static_cast<float>(static_cast<std::int8_t>(in.byte()));
  event.mouseWheelScroll.x = coordinate(in, kSpanX);
  event.mouseWheelScroll.y = coordinate(in, kSpanY);
  return event;
}

sf::Event keyEvent(byteReader& in) {
  sf::Event event;
  event.type = sf::Event::KeyPressed;
  event.key.code = static_cast<sf::Keyboard::Key>(static_cast<int>(in.byte() % kKeyValues) - 1);
  const unsigned held = in.byte();
  event.key.alt = held & 1;
  event.key.control = held & 2;
  event.key.shift = held & 4;
  event.key.system = held & 8;
  return event;
}

// ---- The documentation command: counted instead of starting a browser.

int documentationOpenings = 0;

// ---- Invariants of the board model.

struct tokenState {
  int active, type, padIndex;
  float x, y;
  sf::IntRect spriteRect;
  sf::Vector2f spritePosition;
  const sf::Texture* spriteTexture;
};

struct boardState {
  tokenState tokens[kGenCount];
  int genActif;
};

bool everPlaced[kGenCount];
boardState before;
int eventNumber = 0;

boardState capture() {
  boardState state;
  for (int g = 0; g < kGenCount; ++g) {
    const gen& t = tabgen[g];
    state.tokens[g] = {t.active, t.type, t.padIndex, t.x, t.y,
                       t.sprite.getTextureRect(), t.sprite.getPosition(), t.sprite.getTexture()};
  }
  state.genActif = genActif;
  return state;
}

[[noreturn]] void broken(const char* what, int index) {
  std::fprintf(stderr, "board invariant broken after event %d: %s (index %d)\n", eventNumber, what, index);
  std::abort();
}

void require(bool holds, const char* what, int index = -1) {
  if (!holds) broken(what, index);
}

bool isIndex(int value) { return value >= 0 && value < kGenCount; }

void checkMirror() {
  for (int g = 0; g < kGenCount; ++g) {
    const gen& t = tabgen[g];
    require(t.active == 0 || t.active == 1, "active is 0 or 1", g);
    if (t.active == 1) {
      require(isIndex(t.padIndex), "a token on the board names a pad", g);
      require(tabPad[t.padIndex].genIndex == g, "the pad of a token on the board names it back", g);
    } else {
      require(t.padIndex == kNone, "a token off the board has no pad", g);
    }
  }
  for (int p = 0; p < kPadCount; ++p) {
    const int g = tabPad[p].genIndex;
    if (g == kNone) continue;
    require(isIndex(g), "a pad names a token or none", p);
    require(tabgen[g].active == 1, "a pad names a token on the board", p);
    require(tabgen[g].padIndex == p, "the token that a pad names sits on it", p);
  }
}

void checkTokensOffTheBoard(const boardState& after) {
  for (int g = 0; g < kGenCount; ++g) {
    const tokenState& was = before.tokens[g];
    const tokenState& is = after.tokens[g];
    if (is.active == 1) everPlaced[g] = true;
    require(is.spriteRect == genSprite[is.type].getTextureRect(), "a token's sprite is its type's", g);
    if (!everPlaced[g])
      require(is.type == 0 && is.x == 0.0f && is.y == 0.0f, "a token never placed has type 0 at (0, 0)", g);
    if (was.active == 0 && is.active == 0) {
      require(is.type == was.type, "a token off the board keeps its type", g);
      require(is.x == was.x && is.y == was.y, "a token off the board keeps its place", g);
      require(is.spriteRect == was.spriteRect && is.spritePosition == was.spritePosition &&
                  is.spriteTexture == was.spriteTexture,
              "a token off the board keeps its sprite", g);
    }
  }
}

void checkState(const boardState& after, bool pressOnBoard) {
  require(genType >= 0 && genType < kTypeCount, "genType is 0 to 7", genType);
  require(mvType == kMoveSingle || mvType == kMoveGroup || mvType == kMoveAll, "mvType is 0, 1 or 2", mvType);
  require(genActif == kNone || isIndex(genActif), "genActif is 255 or a token", genActif);
  require(before.genActif == kNone || genActif != kNone, "genActif stays set once set", genActif);
  require(pressOnBoard || genActif == before.genActif, "only a press on the board selects a token", genActif);
  require(dragged == kNone || isIndex(dragged), "dragged is 255 or a token", dragged);
}

bool holds(int x, int y, int left, int right, int top, int bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}

void checkAfter(const sf::Event& event) {
  const bool press = event.type == sf::Event::MouseButtonPressed;
  const int x = press ? event.mouseButton.x : -1;
  const int y = press ? event.mouseButton.y : -1;
  const bool pressOnBoard = holds(x, y, 9, 941, 15, 949);
  const bool pressOnLogo = holds(x, y, 991, 1065, 15, 47);
  const boardState after = capture();
  checkMirror();
  checkTokensOffTheBoard(after);
  checkState(after, pressOnBoard);
  require(documentationOpenings == (pressOnLogo ? 1 : 0), "only a press on the logo opens the documentation");
  before = after;
}

// Gains come from the gain law (0.017 to 1.003) or from silencing (0).
void checkGains() {
  constexpr float kLeast = 0.017f, kMost = 1.003f, kSlack = 1e-6f;
  for (int p = 0; p < kPadCount; ++p) {
    char address[kAddressSize];
    formatAddress(address, p);
    const float g = dspFaust->getParamValue(address);
    require(g == 0.0f || (g >= kLeast - kSlack && g <= kMost + kSlack), "a gain is 0 or from the gain law", p);
  }
}

// ---- Driving.

void resetBoard() {
  resetInteraction();
  setUpBoard();
  char address[kAddressSize];
  for (int p = 0; p < kPadCount; ++p) {
    formatAddress(address, p);
    dspFaust->setParamValue(address, 0.0f);
  }
  for (bool& placed : everPlaced) placed = false;
  before = capture();
  eventNumber = 0;
}

sf::Event nextEvent(byteReader& in) {
  switch (in.byte() % kindCount) {
    case pressKind: return buttonEvent(sf::Event::MouseButtonPressed, in);
    case releaseKind: return buttonEvent(sf::Event::MouseButtonReleased, in);
    case moveKind: return moveEvent(in);
    case wheelKind: return wheelEvent(in);
    default: return keyEvent(in);
  }
}

}  // namespace

// Any other command still runs: the fuzzer's own tools may use system().
extern "C" int system(const char* command) {
  if (command != nullptr && std::strcmp(command, kDocumentationCommand) == 0) {
    ++documentationOpenings;
    return 0;
  }
  using systemFunction = int (*)(const char*);
  static const auto libcSystem = reinterpret_cast<systemFunction>(dlsym(RTLD_NEXT, "system"));
  return libcSystem == nullptr ? -1 : libcSystem(command);
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The real facade, with no server to answer: parameter writes still land.
  dspFaust = newFacadeWithoutServer();
  // Trace lines go nowhere: a stream without a buffer writes nothing.
  std::cout.rdbuf(nullptr);
  // Each type's sprite gets a rectangle of its own, so copies can be told apart.
  for (int t = 0; t < kTypeCount; ++t) genSprite[t].setTextureRect(sf::IntRect(t, t, 1, 1));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  resetBoard();
  byteReader in(data, size);
  while (!in.empty() && eventNumber < kMaxEvents) {
    const sf::Event event = nextEvent(in);
    ++eventNumber;
    documentationOpenings = 0;
    dispatchBoardEvent(event);
    checkAfter(event);
  }
  checkGains();
  return 0;
}
