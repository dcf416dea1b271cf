// A long random session with the sanitized program: ten thousand seeded
// pointer, button, key and wheel events over the whole window, with a probe
// feeding all 63 channels. After every batch the program must still run
// with no sanitizer report, the audio must never have stopped or wavered,
// and every channel must carry what the trace says its parameters were last
// sent (or 0, where an untraced mute or push-off may have reached it). A
// known ending, every token muted and a few placed again, leaves every
// channel's gain known exactly; closing the window then ends the run
// normally.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackProbe.h"
#include "jackServer.h"
#include "programOnServer.h"
#include "randomSession.h"
#include "scratchFolder.h"
#include "sentGains.h"
#include "startupLines.h"
#include "xServer.h"
#include "xWindow.h"

namespace {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

constexpr unsigned kSeed = 20240607;
constexpr int kEvents = 10000;
constexpr int kBatchEvents = 250;
constexpr auto kBatchTimeout = std::chrono::seconds(180);
// Gains written before a cycle starts are heard in it; a few more cover the
// probe's own lag through the graph.
constexpr int kSettleCycles = 4;
// The private server's cycles: 48000 frames a second in periods of 256. The
// audio counts as interrupted when fewer than a quarter of them ran between
// two checks, far below what any load makes of a running server.
constexpr double kCyclesPerSecond = 48000.0 / 256;
constexpr double kLeastCycleShare = 0.25;
const std::string kClientName = kProgramClientName;

// The leak checker cannot name the GL driver's frames at exit, when the
// driver is already unloaded: leaks are the valgrind session's business.
const std::string kSanitizerOptions = "ASAN_OPTIONS=detect_leaks=0";
const std::string kUndefinedOptions = "UBSAN_OPTIONS=print_stacktrace=1";
// "ERROR: AddressSanitizer", "AddressSanitizer:DEADLYSIGNAL", and so on.
const std::vector<std::string> kSanitizerReports = {"Sanitizer", "runtime error:"};

// The ending: every token muted in all mode, then tokens placed in single
// mode at these points, on pads 0, 21, 39, 40 and 63.
struct Point {
  int x, y;
};
const std::vector<Point> kFinalPlacements = {{67, 73}, {630, 320}, {890, 540}, {80, 670}, {870, 900}};
const std::set<int> kFinalChannels = {0, 21, 39, 62};
constexpr Point kBoardMiddle = {500, 500};

Lines operator+(Lines first, const Lines& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// A stand-in "firefox" that ends at once, so that presses on the logo cost
// a shell and nothing more.
std::string quickBrowser(const ScratchFolder& folder) {
  folder.addCommand("firefox", "exit 0\n");
  return folder.pathEntry();
}

class Soak : public testing::Test {
 protected:
  void SetUp() override {
    AppOptions options;
    options.environment = {quickBrowser(browser_), kSanitizerOptions, kUndefinedOptions};
    ProgramOnServer started = startOnServer(x_, options);
    ASSERT_TRUE(started.failure.empty()) << started.failure;
    jack_ = std::move(started.jack);
    app_ = std::move(started.app);
    window_ = XWindow::awaitTitled(x_.displayName(), kWindowTitle);
    ASSERT_TRUE(window_);
    jack_->useInThisProcess();
    probe_ = std::make_unique<JackProbe>();
    probe_->connectTo(kClientName);
    ASSERT_TRUE(probe_->waitCycles(kSettleCycles));
    cyclesSoFar_ = probe_->cycles();
    checkedAt_ = Clock::now();
    // Keys go to the window that has the focus; with no window manager
    // this takes it, and the batch end key shows that it arrives.
    window_->key(kBatchEndKey);
    ASSERT_TRUE(app_->waitForLine(kBatchEndLine)) << app_->stderrText();
  }

  // Runs the batch's events and the end key in one xdotool run, then waits
  // until the program has written the end key's line.
  void play(Lines arguments) {
    arguments.insert(arguments.end(), {"key", "--delay", "0", kBatchEndKey});
    AppOptions options;
    options.program = "xdotool";
    options.arguments = arguments;
    options.environment = {x_.displayEntry()};
    AppProcess tool(options);
    const auto status = tool.waitForExit(kBatchTimeout);
    ASSERT_TRUE(status && status->exitedWith(0)) << "xdotool: " << tool.stderrText();
    ASSERT_TRUE(app_->waitForLine(kBatchEndLine, LineMatch::exact, kBatchTimeout))
        << "the program did not keep up; standard error:\n"
        << app_->stderrText();
  }

  // After a batch: the program runs and reports nothing, the probe has
  // gone on running steadily, and every channel carries what was sent.
  void checkpoint(const std::string& when) {
    ASSERT_TRUE(app_->running()) << when << ": the program ended:\n" << app_->stderrText();
    expectNoSanitizerReport(when);
    ASSERT_TRUE(probe_->waitCycles(kSettleCycles)) << when << ": the probe stopped";
    ASSERT_NO_FATAL_FAILURE(expectCyclesRanThroughout(when));
    ASSERT_EQ(probe_->unsteadyCycles(), 0) << when;
    readNewTraceLines();
    const auto comparison = sent_.compare(probe_->gains());
    exactChecks_ += comparison.exact;
    eitherOrZeroChecks_ += comparison.eitherOrZero;
    std::string wrong;
    for (const auto& line : comparison.mismatches) wrong += "\n  " + line;
    ASSERT_TRUE(wrong.empty()) << when << ":" << wrong;
  }

  void expectCyclesRanThroughout(const std::string& when) {
    const auto now = Clock::now();
    const long cycles = probe_->cycles();
    const double share =
        (cycles - cyclesSoFar_) / (std::chrono::duration<double>(now - checkedAt_).count() * kCyclesPerSecond);
    leastCycleShare_ = std::min(leastCycleShare_, share);
    ASSERT_GE(share, kLeastCycleShare) << when << ": the audio stalled, " << cycles - cyclesSoFar_ << " cycles ran";
    cyclesSoFar_ = cycles;
    checkedAt_ = now;
  }

  void expectNoSanitizerReport(const std::string& when) {
    const std::string errors = app_->stderrText();
    for (const auto& report : kSanitizerReports)
      ASSERT_EQ(errors.find(report), std::string::npos) << when << ":\n" << errors;
  }

  void readNewTraceLines() {
    const Lines all = app_->stdoutTraceLines();
    const auto running = std::find(all.begin(), all.end(), kRunningLine);
    if (running == all.end()) return;
    const size_t first = (running - all.begin()) + 1 + traceLinesRead_;
    if (first > all.size()) return;
    sent_.read(Lines(all.begin() + first, all.end()));
    traceLinesRead_ += all.size() - first;
  }

  Lines endingArguments() const {
    const std::string id = std::to_string(window_->id());
    const auto moveTo = [&](Point p) {
      return Lines{"mousemove", "--window", id, std::to_string(p.x), std::to_string(p.y)};
    };
    const auto key = [](const std::string& name) { return Lines{"key", "--delay", "0", name}; };
    const Lines click = {"mousedown", "1", "mouseup", "1"};
    // Buttons still held are let go, and a click on the board ends any
    // drag; T then D mutes everything, S goes back to single moves.
    Lines arguments = key("s") + moveTo(kBoardMiddle) + Lines{"mouseup", "1", "mouseup", "2", "mouseup", "3"} + click +
                      key("t") + key("d") + key("s");
    for (const auto& point : kFinalPlacements) arguments = arguments + moveTo(point) + click;
    return arguments;
  }

  XServer x_;
  ScratchFolder browser_{"zelquorSoakBrowser"};
  std::unique_ptr<JackServer> jack_;
  std::unique_ptr<AppProcess> app_;
  std::unique_ptr<XWindow> window_;
  std::unique_ptr<JackProbe> probe_;
  SentGains sent_;
  size_t traceLinesRead_ = 0;
  long cyclesSoFar_ = 0;
  Clock::time_point checkedAt_;
  double leastCycleShare_ = 1e9;
  long exactChecks_ = 0;
  long eitherOrZeroChecks_ = 0;
};

TEST_F(Soak, TenThousandRandomEventsLeaveItRunningCleanAndEveryGainAsTraced) {
  RandomSession session(kSeed, window_->id());
  int sent = 0, batches = 0;
  const auto started = Clock::now();
  while (sent < kEvents) {
    auto batch = session.nextEvents(std::min(kBatchEvents, kEvents - sent));
    ASSERT_NO_FATAL_FAILURE(play(batch.arguments));
    sent += batch.events;
    ++batches;
    ASSERT_NO_FATAL_FAILURE(checkpoint("after " + std::to_string(sent) + " events"));
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

  ASSERT_NO_FATAL_FAILURE(play(endingArguments()));
  ASSERT_NO_FATAL_FAILURE(checkpoint("after the ending"));
  EXPECT_TRUE(sent_.certain()) << "the ending should leave every gain known";
  for (int k = 0; k < SentGains::kChannels; ++k)
    EXPECT_EQ(sent_.silent(k), kFinalChannels.count(k) == 0) << "channel " << k << " after the ending";

  std::cout << "soak: seed " << kSeed << ", " << sent << " events in " << batches << " batches, " << seconds << " s, "
            << traceLinesRead_ << " trace lines, " << probe_->cycles()
            << " probe cycles; channel checks: " << exactChecks_ << " exact, " << eitherOrZeroChecks_
            << " exact or 0; least share of the server's cycles "
            << "between checks " << leastCycleShare_ << std::endl;
  RecordProperty("events", sent);
  RecordProperty("seconds", std::to_string(seconds));

  window_->requestClose();
  const auto status = app_->waitForExit(kBatchTimeout);
  ASSERT_TRUE(status) << "still running after the close request";
  EXPECT_TRUE(status->exitedWith(0)) << *status << "\n" << app_->stderrText();
  const Lines trace = app_->stdoutTraceLines();
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(Lines(trace.end() - 2, trace.end()), (Lines{kStoppedLine, kStoppedLine}));
  expectNoSanitizerReport("at the end");
}

}  // namespace
