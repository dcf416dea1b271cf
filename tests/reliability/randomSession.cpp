#include "randomSession.h"

const std::string kBatchEndKey = "F12";
const std::string kBatchEndLine = "key:96 c";  // the graphics library's code of F12

namespace {

// Whole window, and both rows of buttons with the gaps between them.
constexpr zone kWindowZone = {0, static_cast<int>(kSceneWidth) - 1, 0, static_cast<int>(kSceneHeight) - 1};
constexpr zone kButtonsZone = {kMoveOneZone.left, kMuteAllZone.right, kMoveOneZone.top, kMuteAllZone.bottom};

enum Action { move, press, release, key, wheel };
const std::vector<int> kActionWeights = {45, 12, 13, 22, 8};

// Where a press lands: the board, the buttons, the palette, the logo
// (which runs the browser command) or anywhere.
const std::vector<int> kPressTargetWeights = {65, 15, 12, 2, 6};
// Moves mostly cross the board, where they step drags.
const std::vector<int> kMoveTargetWeights = {80, 20};

// Buttons 1 (left), 2 (middle) and 3 (right).
const std::vector<int> kButtonWeights = {70, 10, 20};

const std::vector<std::string> kProgramKeys = {"d", "g", "s", "t"};
const std::vector<std::string> kOtherKeys = {"a",   "x",  "Delete",  "space",  "Return",  "Escape",
                                             "Tab", "F1", "shift+g", "ctrl+d", "shift+t", "5"};
const std::vector<int> kKeyWeights = {30, 15, 15, 15, 25};  // d, g, s, t, another

}  // namespace

RandomSession::RandomSession(unsigned seed, unsigned long windowId)
    : random_(seed), windowId_(std::to_string(windowId)) {}

int RandomSession::between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

int RandomSession::pick(const std::vector<int>& weights) {
  return std::discrete_distribution<int>(weights.begin(), weights.end())(random_);
}

const RandomSession::Area& RandomSession::pressTarget() {
  static const Area kAreas[] = {kBoardZone, kButtonsZone, kPaletteZone, kLogoZone, kWindowZone};
  return kAreas[pick(kPressTargetWeights)];
}

void RandomSession::addMove(Batch& batch, const Area& area) {
  batch.arguments.insert(batch.arguments.end(),
                         {"mousemove", "--window", windowId_, std::to_string(between(area.left, area.right)),
                          std::to_string(between(area.top, area.bottom))});
  ++batch.events;
}

void RandomSession::addPress(Batch& batch) {
  addMove(batch, pressTarget());
  batch.arguments.insert(batch.arguments.end(), {"mousedown", std::to_string(1 + pick(kButtonWeights))});
  ++batch.events;
}

void RandomSession::addKey(Batch& batch) {
  const int choice = pick(kKeyWeights);
  const std::string& name =
      choice < int(kProgramKeys.size()) ? kProgramKeys[choice] : kOtherKeys[between(0, int(kOtherKeys.size()) - 1)];
  batch.arguments.insert(batch.arguments.end(), {"key", "--delay", "0", name});
  ++batch.events;
}

RandomSession::Batch RandomSession::nextEvents(int count) {
  static const Area kMoveAreas[] = {kBoardZone, kWindowZone};
  Batch batch;
  while (batch.events < count) {
    switch (pick(kActionWeights)) {
      case move: addMove(batch, kMoveAreas[pick(kMoveTargetWeights)]); break;
      case press: addPress(batch); break;
      case release:
        batch.arguments.insert(batch.arguments.end(), {"mouseup", std::to_string(1 + pick(kButtonWeights))});
        ++batch.events;
        break;
      case key: addKey(batch); break;
      case wheel:
        batch.arguments.insert(batch.arguments.end(), {"click", std::to_string(4 + between(0, 1))});
        ++batch.events;
        break;
    }
  }
  return batch;
}
