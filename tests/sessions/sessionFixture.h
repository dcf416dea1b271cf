// A scripted session with the real program: a private X server and JACK
// server, the program's window driven with xdotool, a probe client routed
// through all 63 channels, and the program's whole standard output compared
// with what each event should write.
#ifndef ZELQUOR_TESTS_SESSION_FIXTURE_H
#define ZELQUOR_TESTS_SESSION_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackProbe.h"
#include "jackServer.h"
#include "programOnServer.h"
#include "traceLines.h"
#include "xServer.h"
#include "xWindow.h"

// One thing the user does to the window.
struct Action {
  std::string what;
  std::function<void(const XWindow&)> run;
};

Action moveTo(int x, int y);
Action leftDown();
Action leftUp();
Action rightDown();
Action rightUp();
Action wheelUp();
// A key by its X name, e.g. "g".
Action typeKey(const std::string& name);

// Channel -> the gain heard on it; every channel not listed must be silent.
using Heard = std::map<int, float>;

// One event and the lines it writes, or (with heard set) a pause in which
// the probe listens to all 63 channels.
struct Step {
  Action action;
  Lines expected;
  std::optional<Heard> heard = std::nullopt;
};

using Steps = std::vector<Step>;
Steps operator+(Steps first, const Steps& second);

Step hear(Heard heard);
// Move there, left press and release, with no drag under way: the press
// writes its three lines and then these; on the board the release ends the
// drag that the press started, beside it the release writes its line alone.
Steps clickOnBoard(int x, int y, const Lines& afterPressLines);
Steps clickBesideBoard(int x, int y, const Lines& afterPressLines);

class SessionTest : public testing::Test {
 protected:
  // Starts the program, plays the steps, then closes it and checks its
  // whole output: the usual shape of a session.
  void playWholeSession(const Steps& steps);

  // Starts the servers, the program (with these extra environment entries),
  // finds its window and routes the probe through it.
  void startProgram(const std::vector<std::string>& environment = {});
  // Runs the steps in order. After each event its lines must have come, and
  // be exactly the expected ones; a failure stops the session.
  void play(const Steps& steps);
  // Closes the window as a window manager would: the program must end with
  // code 0 after the two stop lines, and its whole output since start-up
  // must be exactly everything the played steps expected.
  void closeAndCheckWholeOutput();

  const XWindow& window() const { return *window_; }
  pid_t programPid() const { return program_.app->pid(); }
  bool waitForStderr(const std::string& text) const { return program_.app->waitForStderr(text, kDefaultTimeout); }
  std::string programErrors() const { return program_.app->stderrText(); }

 private:
  std::string tryToStart(const std::vector<std::string>& environment);
  // The program's trace lines after "Faust is Running =1".
  Lines traceSinceStart() const;
  void perform(const Step& step, size_t number);
  void listen(const Heard& heard, size_t number);
  bool waitForTraceLines(size_t count) const;

  XServer x_;
  ProgramOnServer program_;
  std::unique_ptr<XWindow> window_;
  std::unique_ptr<JackProbe> probe_;
  Lines expectedSoFar_;
};

#endif
