#include "eventDispatch.h"

#include "keyboard.h"
#include "pointerInput.h"

namespace {

using handler = void (*)(boardEvent);

constexpr int kTypeCount = static_cast<int>(boardEventType::count);

int indexOf(boardEventType type) { return static_cast<int>(type); }

struct dispatchTable {
  handler of[kTypeCount] = {};
  dispatchTable() {
    of[indexOf(boardEventType::keyPressed)] = onKeyPressed;
    of[indexOf(boardEventType::wheelScrolled)] = mouseWheel;
    of[indexOf(boardEventType::buttonPressed)] = onClick;
    of[indexOf(boardEventType::buttonReleased)] = onMouseUp;
    of[indexOf(boardEventType::pointerMoved)] = onMouseMove;
  }
};

const dispatchTable kDispatch;

}  // namespace

void dispatchBoardEvent(const boardEvent& event) {
  const int type = indexOf(event.type);
  if (type < 0 || type >= kTypeCount) return;
  if (handler h = kDispatch.of[type]) h(event);
}
