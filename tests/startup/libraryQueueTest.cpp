// The look into Xlib's queue that comes before every wait of the loop: it
// reports an event for the window that no look has seen, whoever read it
// from the socket and whatever stands before it in the queue, and never
// again one it has seen, which the library's poll, offered it since, left.
#include <gtest/gtest.h>
#include <poll.h>

// After the test library: Xlib's macros (None, Bool) clash with its names.
#include <X11/Xlib.h>

#include "inputWait.h"
#include "xServer.h"

namespace {

Display* libraryConnection = nullptr;

}  // namespace

// The loop finds the library's connection through GLX; here it is the test's.
extern "C" Display* glXGetCurrentDisplay() { return libraryConnection; }

namespace {

constexpr int kDeliveryMilliseconds = 5000;
constexpr int kMessageFormat = 32;
constexpr unsigned kSide = 10;

class LibraryQueue : public testing::Test {
 protected:
  void SetUp() override {
    libraryConnection = XOpenDisplay(x_.displayName().c_str());
    sender_ = XOpenDisplay(x_.displayName().c_str());
    ASSERT_NE(libraryConnection, nullptr);
    ASSERT_NE(sender_, nullptr);
    window_ = XCreateSimpleWindow(libraryConnection, DefaultRootWindow(libraryConnection), 0, 0, kSide, kSide, 0, 0, 0);
    XSync(libraryConnection, False);
  }

  void TearDown() override {
    if (sender_ != nullptr) XCloseDisplay(sender_);
    if (libraryConnection != nullptr) XCloseDisplay(libraryConnection);
    libraryConnection = nullptr;
  }

  // A client message for the window, sent from another connection: on the
  // library's socket, not yet read, once this returns. No request goes out
  // on the library's connection meanwhile, so all of them carry the same
  // protocol serial.
  void sendToWindow() const {
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window_;
    message.xclient.format = kMessageFormat;
    XSendEvent(sender_, window_, False, NoEventMask, &message);
    XSync(sender_, False);
    pollfd socket{ConnectionNumber(libraryConnection), POLLIN, 0};
    ASSERT_EQ(poll(&socket, 1, kDeliveryMilliseconds), 1) << "the message never came";
  }

  XServer x_;
  Display* sender_ = nullptr;
  Window window_ = 0;
};

TEST_F(LibraryQueue, EachEventForTheWindowIsReportedByOneLookOnly) {
  ASSERT_NO_FATAL_FAILURE(sendToWindow());
  EXPECT_TRUE(libraryEventQueued(window_)) << "read from the socket by the look itself";
  EXPECT_FALSE(libraryEventQueued(window_)) << "left in the queue, seen before";

  // Read by a check for another window on the same connection (as the
  // library's clipboard makes), behind the one left there.
  ASSERT_NO_FATAL_FAILURE(sendToWindow());
  XEvent none;
  EXPECT_FALSE(XCheckTypedWindowEvent(libraryConnection, DefaultRootWindow(libraryConnection), ClientMessage, &none));
  ASSERT_EQ(XQLength(libraryConnection), 2);
  EXPECT_TRUE(libraryEventQueued(window_)) << "queued behind one seen before";
  EXPECT_FALSE(libraryEventQueued(window_));

  XEvent taken;
  while (XCheckTypedWindowEvent(libraryConnection, window_, ClientMessage, &taken)) {
  }
  ASSERT_NO_FATAL_FAILURE(sendToWindow());
  EXPECT_TRUE(libraryEventQueued(window_)) << "after the queue was emptied";
  EXPECT_FALSE(libraryEventQueued(window_));
}

}  // namespace
