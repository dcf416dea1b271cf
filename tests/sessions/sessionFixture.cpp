#include "sessionFixture.h"

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

namespace {

// A gain written before a cycle starts is heard in that cycle; a few cycles
// more cover the probe's own one-cycle lag through the graph.
constexpr int kSettleCycles = 4;
constexpr auto kLineTimeout = std::chrono::seconds(10);
constexpr auto kPollStep = std::chrono::milliseconds(10);

std::string point(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string describe(const Lines& lines) {
  std::ostringstream text;
  for (const auto& line : lines) text << "\n    \"" << line << "\"";
  return text.str();
}

}  // namespace

Action moveTo(int x, int y) {
  return {"move to " + point(x, y), [=](const XWindow& w) { w.moveMouse(x, y); }};
}
Action leftDown() {
  return {"left press", [](const XWindow& w) { w.mouseDown(XWindow::kLeftButton); }};
}
Action leftUp() {
  return {"left release", [](const XWindow& w) { w.mouseUp(XWindow::kLeftButton); }};
}
Action rightDown() {
  return {"right press", [](const XWindow& w) { w.mouseDown(XWindow::kRightButton); }};
}
Action rightUp() {
  return {"right release", [](const XWindow& w) { w.mouseUp(XWindow::kRightButton); }};
}
Action wheelUp() {
  return {"wheel up", [](const XWindow& w) { w.wheelUp(); }};
}
Action typeKey(const std::string& name) {
  return {"key " + name, [=](const XWindow& w) { w.key(name); }};
}

Steps operator+(Steps first, const Steps& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

Step hear(Heard heard) { return {{"listen", nullptr}, {}, std::move(heard)}; }

Steps clickOnBoard(int x, int y, const Lines& afterPressLines) {
  return {
      {moveTo(x, y), moves(x, y)},
      {leftDown(), presses(x, y) + afterPressLines},
      {leftUp(), {released(), endDrag()}},
  };
}

Steps clickBesideBoard(int x, int y, const Lines& afterPressLines) {
  return {
      {moveTo(x, y), moves(x, y)},
      {leftDown(), presses(x, y) + afterPressLines},
      {leftUp(), {released()}},
  };
}

void SessionTest::startProgram(const std::vector<std::string>& environment) {
  const std::string failure = retryStart([&] { return tryToStart(environment); });
  ASSERT_TRUE(failure.empty()) << failure;
}

// Empty when the program runs on the server with the probe routed through
// it, else what went wrong.
std::string SessionTest::tryToStart(const std::vector<std::string>& environment) {
  probe_.reset();
  window_.reset();
  AppOptions options;
  options.environment = environment;
  const std::string failure = startOnce(program_, x_, options, kDefaultTimeout);
  if (!failure.empty()) return failure;
  try {
    window_ = XWindow::awaitTitled(x_.displayName(), kProgramWindowTitle);
    if (!window_) return "no window titled " + kProgramWindowTitle;
    program_.jack->useInThisProcess();
    probe_ = std::make_unique<JackProbe>();
    probe_->connectTo(kProgramClientName);
    if (!probe_->waitCycles(kSettleCycles)) return "the probe does not run";
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

Lines SessionTest::traceSinceStart() const {
  const Lines all = program_.app->stdoutTraceLines();
  const auto running = std::find(all.begin(), all.end(), kRunningLine);
  if (running == all.end()) return {};
  return Lines(running + 1, all.end());
}

bool SessionTest::waitForTraceLines(size_t count) const {
  const auto deadline = std::chrono::steady_clock::now() + kLineTimeout;
  while (traceSinceStart().size() < count) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}

void SessionTest::playWholeSession(const Steps& steps) {
  ASSERT_NO_FATAL_FAILURE(startProgram());
  ASSERT_NO_FATAL_FAILURE(play(steps));
  closeAndCheckWholeOutput();
}

void SessionTest::play(const Steps& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].heard) listen(*steps[i].heard, i + 1);
    else perform(steps[i], i + 1);
    if (HasFatalFailure()) return;
  }
}

void SessionTest::perform(const Step& step, size_t number) {
  step.action.run(*window_);
  const size_t from = expectedSoFar_.size();
  expectedSoFar_.insert(expectedSoFar_.end(), step.expected.begin(), step.expected.end());
  const bool came = waitForTraceLines(expectedSoFar_.size());
  const Lines trace = traceSinceStart();
  const Lines got(trace.begin() + std::min(from, trace.size()),
                  trace.begin() + std::min(expectedSoFar_.size(), trace.size()));
  ASSERT_TRUE(came && got == step.expected)
      << "step " << number << ", " << step.action.what << ":\n  expected" << describe(step.expected) << "\n  written"
      << describe(got) << "\n  whole output so far" << describe(trace);
}

void SessionTest::listen(const Heard& heard, size_t number) {
  ASSERT_TRUE(probe_->waitCycles(kSettleCycles)) << "the probe stopped running";
  const auto gains = probe_->gains();
  std::ostringstream wrong;
  wrong.precision(9);
  for (int k = 0; k < JackProbe::kChannels; ++k) {
    const auto listed = heard.find(k);
    const float expected = listed == heard.end() ? 0.0f : listed->second;
    if (gains[k] != expected) wrong << "\n  channel " << k << ": heard " << gains[k] << ", expected " << expected;
  }
  ASSERT_TRUE(wrong.str().empty()) << "step " << number << ", listening:" << wrong.str();
}

void SessionTest::closeAndCheckWholeOutput() {
  window_->requestClose();
  const auto status = program_.app->waitForExit();
  ASSERT_TRUE(status) << "still running after the close request";
  EXPECT_TRUE(status->exitedWith(0)) << *status;
  const Lines whole = expectedSoFar_ + Lines{kStoppedLine, kStoppedLine};
  EXPECT_EQ(traceSinceStart(), whole);
}
