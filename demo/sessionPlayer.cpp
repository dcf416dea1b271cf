#include "sessionPlayer.h"

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "boardFacts.h"

namespace {

const std::string kMeterName = "zelquorDemoMeter";

constexpr Timeout kStartTimeout = std::chrono::seconds(30);
constexpr Timeout kLineTimeout = std::chrono::seconds(15);
constexpr auto kQuietTime = std::chrono::milliseconds(120);
constexpr auto kPollStep = std::chrono::milliseconds(10);
// A gain written before a cycle is heard in it; more cycles cover the
// meter's one-cycle lag through the graph.
constexpr int kSettleCycles = 6;
constexpr auto kGlidePause = std::chrono::milliseconds(40);
constexpr auto kFrameWait = std::chrono::milliseconds(250);

std::string yLine(int y) { return kMouseYPrefix + std::to_string(y); }

}  // namespace

SessionPlayer::SessionPlayer(const PlayerSetting& setting) {
  const std::string failure = retryStart([&] { return tryToStart(setting); });
  if (!failure.empty()) throw std::runtime_error("the program did not start with its audio engine running: " + failure);
}

SessionPlayer::~SessionPlayer() {
  meter_.reset();
  window_.reset();
  program_.app.reset();
}

std::string SessionPlayer::tryToStart(const PlayerSetting& setting) {
  meter_.reset();
  window_.reset();
  AppOptions options;
  options.program = setting.program;
  options.workingDirectory = setting.projectRoot;
  const std::string failure = startOnce(program_, x_, options, kStartTimeout);
  if (!failure.empty()) return failure;
  try {
    window_ = XWindow::awaitTitled(x_.displayName(), kProgramWindowTitle, kStartTimeout);
    if (!window_) return "no window titled " + kProgramWindowTitle;
    program_.jack->useInThisProcess();
    meter_ = std::make_unique<ToneMeter>(kMeterName, setting.maxRecordingSeconds);
    meter_->connectTo(kProgramClientName);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

void SessionPlayer::expectLine(const std::string& line, const std::string& after) {
  if (!program_.app->waitForLine(line, LineMatch::exact, kLineTimeout))
    throw std::runtime_error("the program did not write \"" + line + "\" after " + after);
}

void SessionPlayer::moveTo(int x, int y) {
  if (x == pointerX_ && y == pointerY_) return;
  window_->moveMouse(x, y);
  pointerX_ = x;
  pointerY_ = y;
  expectLine(yLine(y), "a move to (" + std::to_string(x) + ", " + std::to_string(y) + ")");
}

void SessionPlayer::glideTo(int x, int y, int moves) {
  const int fromX = pointerX_;
  const int fromY = pointerY_;
  for (int i = 1; i <= moves; ++i) {
    const double share = double(i) / moves;
    moveTo(static_cast<int>(std::lround(fromX + (x - fromX) * share)),
           static_cast<int>(std::lround(fromY + (y - fromY) * share)));
    std::this_thread::sleep_for(kGlidePause);
  }
}

void SessionPlayer::press() {
  window_->mouseDown(XWindow::kLeftButton);
  expectLine(kLeftPressLine, "a press");
  expectLine(yLine(pointerY_), "a press");
}

void SessionPlayer::release() {
  window_->mouseUp(XWindow::kLeftButton);
  expectLine(kReleaseLine, "a release");
}

void SessionPlayer::clickAt(int x, int y) {
  moveTo(x, y);
  press();
  release();
}

void SessionPlayer::key(const std::string& name, int code) {
  window_->key(name);
  expectLine("key:" + std::to_string(code) + " c", "the key " + name);
}

void SessionPlayer::settle() {
  size_t count = program_.app->stdoutLines().size();
  auto quietSince = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - quietSince < kQuietTime) {
    std::this_thread::sleep_for(kPollStep);
    const size_t now = program_.app->stdoutLines().size();
    if (now != count) {
      count = now;
      quietSince = std::chrono::steady_clock::now();
    }
  }
  if (!meter_->waitCycles(kSettleCycles)) throw std::runtime_error("the tone meter stopped recording");
}

void SessionPlayer::pause(double seconds) const { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

void SessionPlayer::screenshot(const std::string& pngPath) const {
  std::this_thread::sleep_for(kFrameWait);
  if (!window_->screenshot().save(pngPath)) throw std::runtime_error("cannot write " + pngPath);
}

std::optional<ExitStatus> SessionPlayer::close() {
  window_->requestClose();
  return program_.app->waitForExit(kLineTimeout);
}
