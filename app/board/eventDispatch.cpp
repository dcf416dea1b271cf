#include "eventDispatch.h"

#include "keyboard.h"
#include "pointerInput.h"

void dispatchBoardEvent(const boardEvent& event) {
  switch (event.type) {
    case boardEventType::keyPressed: onKeyPressed(event); break;
    case boardEventType::wheelScrolled: mouseWheel(event); break;
    case boardEventType::buttonPressed: onClick(event); break;
    case boardEventType::buttonReleased: onMouseUp(event); break;
    case boardEventType::pointerMoved: onMouseMove(event); break;
    case boardEventType::other:
    case boardEventType::closed: break;
  }
}
