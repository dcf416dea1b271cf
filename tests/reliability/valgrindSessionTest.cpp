// A short session of the real program under valgrind's memcheck, on private
// X and JACK servers: tokens placed, dragged alone and by group, muted one,
// by group and all, then the window closed. Memcheck must find no error
// (what it reports of the system's GL driver, X and JACK libraries and
// dynamic loader is suppressed, each entry with its reason, in
// valgrind.supp), no memory lost, and nothing of this project's still held
// at exit but the engine facade, which is kept for the whole run on purpose.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "appProcess.h"
#include "programOnServer.h"
#include "startupLines.h"
#include "valgrindLog.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

// Everything runs many times slower under memcheck.
constexpr auto kStartTimeout = std::chrono::minutes(5);
constexpr auto kStepTimeout = std::chrono::minutes(2);
constexpr auto kEndTimeout = std::chrono::minutes(5);
constexpr int kErrorStatus = 99;

const std::string kLog = ZELQUOR_VALGRIND_LOG;
const std::vector<std::string> kValgrindArguments = {
    "--tool=memcheck",
    "--leak-check=full",
    "--show-leak-kinds=all",
    "--error-exitcode=" + std::to_string(kErrorStatus),
    "--num-callers=40",
    // The GL driver is unloaded before the leak check; its frames keep
    // their names only so.
    "--keep-debuginfo=yes",
    // Source files by their whole path, to tell this project's from others.
    "--fullpath-after=",
    "--suppressions=" + std::string(ZELQUOR_VALGRIND_SUPPRESSIONS),
    "--log-file=" + kLog,
};

// This project's code: the program, its engine library and their sources.
const std::vector<std::string> kOurPaths = {ZELQUOR_EXECUTABLE_PATH, ZELQUOR_ENGINE_PATH, ZELQUOR_SOURCE_ROOT "/app/",
                                            ZELQUOR_SOURCE_ROOT "/dsp/", ZELQUOR_BINARY_ROOT "/dsp/"};

// One user action and a line that shows it was handled.
struct Step {
  std::string what;
  std::function<void(const XWindow&)> act;
  std::string line;
  LineMatch match = LineMatch::exact;
};

const std::vector<Step> kSession = {
    {"press on pad 0",
     [](const XWindow& w) {
       w.moveMouse(67, 73);
       w.mouseDown();
     },
     "pad=0dtcentre= 0gain=1.003/Canaux0/canal0"},
    {"drag to pad 17", [](const XWindow& w) { w.moveMouse(200, 300); },
     "pad=17dtcentre= 17.4929gain=0.705621/Canaux0/canal17"},
    {"release", [](const XWindow& w) { w.mouseUp(); }, "end drag"},
    {"palette type 3",
     [](const XWindow& w) {
       w.moveMouse(1020, 250);
       w.click();
     },
     "cy=3bouton = 3"},
    {"place on pad 21",
     [](const XWindow& w) {
       w.moveMouse(630, 320);
       w.mouseDown();
       w.mouseUp();
     },
     "end drag"},
    {"group mode", [](const XWindow& w) { w.key("g"); }, "key:6 c"},
    {"group drag",
     [](const XWindow& w) {
       w.moveMouse(630, 320);
       w.mouseDown();
       w.moveMouse(700, 420);
       w.mouseUp();
     },
     "end drag"},
    {"single mode", [](const XWindow& w) { w.key("s"); }, "key:18 c"},
    {"mute the selected token", [](const XWindow& w) { w.key("d"); }, "message=/Canaux0/canal", LineMatch::prefix},
    {"mute group button",
     [](const XWindow& w) {
       w.moveMouse(1028, 90);
       w.click();
     },
     "bouton: mute groupe "},
    {"place on pad 0 again",
     [](const XWindow& w) {
       w.moveMouse(67, 73);
       w.mouseDown();
       w.mouseUp();
     },
     "end drag"},
    {"mute all button",
     [](const XWindow& w) {
       w.moveMouse(1060, 90);
       w.click();
     },
     "bouton: tout muter"},
};

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string listed(const std::vector<LossRecord>& records) {
  std::string text;
  for (const auto& record : records) {
    text += "\n" + record.heading;
    for (const auto& frame : record.frames) text += "\n    " + frame;
  }
  return text;
}

TEST(ValgrindSession, NoErrorNoLeakAndOnlyTheFacadeKept) {
  XServer x;
  AppOptions options;
  options.program = "valgrind";
  options.arguments = kValgrindArguments;
  options.arguments.push_back(zelquorExecutable());
  const auto started = Clock::now();
  ProgramOnServer run = startOnServer(x, options, kStartTimeout);
  ASSERT_TRUE(run.failure.empty()) << run.failure;
  AppProcess& app = *run.app;
  const double startSeconds = secondsSince(started);
  const auto window = XWindow::awaitTitled(x.displayName(), kWindowTitle, kStepTimeout);
  ASSERT_TRUE(window);
  for (const auto& step : kSession) {
    step.act(*window);
    ASSERT_TRUE(app.waitForLine(step.line, step.match, kStepTimeout)) << step.what << "\n" << app.stderrText();
  }
  window->requestClose();
  const auto status = app.waitForExit(kEndTimeout);
  ASSERT_TRUE(status) << "still running after the close request";
  const double seconds = secondsSince(started);
  const auto trace = app.stdoutTraceLines();
  EXPECT_EQ(linesStartingWith(trace, kRunningPrefix),
            (std::vector<std::string>{kRunningLine, kStoppedLine, kStoppedLine}));

  const ValgrindLog log(kLog);
  std::cout << "valgrind session: started in " << startSeconds << " s, ended after " << seconds << " s; log " << kLog;
  for (const auto& line : log.summary) std::cout << "\n  " << line;
  std::cout << std::endl;
  EXPECT_TRUE(status->exitedWith(0)) << *status << " (memcheck ends with " << kErrorStatus << " on errors)";
  ASSERT_TRUE(log.errors && log.definitelyLost) << "no summary in " << kLog;
  EXPECT_EQ(*log.errors, 0) << "see " << kLog;
  EXPECT_EQ(*log.definitelyLost, 0) << "see " << kLog;

  std::vector<LossRecord> keptByUs;
  int facadeRecords = 0;
  for (const auto& record : log.records) {
    if (!allocatedBy(record, kOurPaths)) continue;
    // The facade, made with new by the static objects' initialisation and
    // never deleted, and what its construction builds.
    const auto callers = callerFrames(record);
    const bool facade = framesHold(record.frames, "DspFaust::") || framesHold(callers, "_GLOBAL__sub_I_window") ||
                        framesHold(callers, "/app/loop/staticObjects.cpp");
    if (record.kind != "still reachable" || !facade) keptByUs.push_back(record);
    else ++facadeRecords;
  }
  std::cout << "valgrind session: " << facadeRecords << " loss records of ours, all still reachable from the facade"
            << std::endl;
  EXPECT_GT(facadeRecords, 0) << "the facade's memory should be found as ours";
  EXPECT_TRUE(keptByUs.empty()) << "memory of ours held at exit besides the facade:" << listed(keptByUs);
}

}  // namespace
