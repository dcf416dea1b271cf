// The seam between the window library and the board: each kind of event, in
// the form of the library generation this build uses, is translated into the
// board's own event and reaches the handler for it (or none), which acts as
// the board's tests expect. Every other board test also drives the handlers
// through this translation; this one checks each field of it.
#include <gtest/gtest.h>

#include <string>

#include "boardFixture.h"
#include "eventDispatch.h"
#include "sfmlSeam.h"

namespace {

class SfmlSeamTest : public BoardFixture {};

struct seamCase {
  const char* what;
  sf::Event library;
  boardEvent expected;
  std::string trace;
};

boardEvent pointerEvent(boardEventType type, int x, int y, int button = kLeftButton) {
  boardEvent event;
  event.type = type;
  event.x = x;
  event.y = y;
  event.button = button;
  return event;
}

boardEvent keyPress(int code) {
  boardEvent event;
  event.type = boardEventType::keyPressed;
  event.key = code;
  return event;
}

boardEvent ofType(boardEventType type) {
  boardEvent event;
  event.type = type;
  return event;
}

void expectSame(const boardEvent& got, const boardEvent& wanted) {
  EXPECT_EQ(got.type, wanted.type);
  EXPECT_EQ(got.x, wanted.x);
  EXPECT_EQ(got.y, wanted.y);
  EXPECT_EQ(got.button, wanted.button);
  EXPECT_EQ(got.key, wanted.key);
}

}  // namespace

TEST_F(SfmlSeamTest, EachKindOfEventReachesItsHandlerWithItsValues) {
  const Modifiers all = {true, true, true, true};
  constexpr int kHorizontalWheel = 1;
  const seamCase cases[] = {
      {"move", libraryMoveEvent(300, 400), pointerEvent(boardEventType::pointerMoved, 300, 400), moveLines(300, 400)},
      {"left press on palette band 2", libraryButtonEvent(true, 1020, 208, kLeftButton),
       pointerEvent(boardEventType::buttonPressed, 1020, 208), leftPressLines(1020, 208) + "cy=2bouton = 2\n"},
      {"right press on palette band 0", libraryButtonEvent(true, 1020, 140, kRightButton),
       pointerEvent(boardEventType::buttonPressed, 1020, 140, kRightButton), "cy=0bouton = 0\n"},
      {"middle release above the board", libraryButtonEvent(false, 500, 20, kMiddleButton),
       pointerEvent(boardEventType::buttonReleased, 500, 20, kMiddleButton), releaseLine()},
      {"G with every modifier", libraryKeyEvent(true, kKeyG, all), keyPress(kKeyG), "key:6 c\n"},
      {"a key the library does not know", libraryKeyEvent(true, -1, Modifiers()), keyPress(-1), "key:-1 c\n"},
      {"release of D", libraryKeyEvent(false, kKeyD, Modifiers()), ofType(boardEventType::other), ""},
      {"vertical wheel down", libraryWheelEvent(kVerticalWheel, -1.0f, 67, 73),
       pointerEvent(boardEventType::wheelScrolled, 67, 73), ""},
      {"horizontal wheel by a fraction", libraryWheelEvent(kHorizontalWheel, 0.25f, 5, 6),
       pointerEvent(boardEventType::wheelScrolled, 5, 6), ""},
      {"close request", libraryClosedEvent(), ofType(boardEventType::closed), ""},
  };
  for (const seamCase& c : cases) {
    SCOPED_TRACE(c.what);
    const boardEvent own = translateEvent(c.library);
    expectSame(own, c.expected);
    EXPECT_EQ(traceOf([&] { dispatchBoardEvent(own); }), c.trace);
  }
  // What the handlers did besides their lines: the palette presses chose
  // type 2 and then 0, G chose group moves; nothing was placed.
  EXPECT_EQ(genType, 0);
  EXPECT_EQ(mvType, kMoveGroup);
  EXPECT_EQ(genActif, kNone);
}
