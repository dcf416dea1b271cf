#include "startupLines.h"

#include <sstream>
#include <thread>

namespace {
constexpr auto kPollStep = std::chrono::milliseconds(20);
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> found;
  for (const auto& line : lines)
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  return found;
}

bool holdsLine(const std::vector<std::string>& lines, const std::string& line) {
  for (const auto& candidate : lines)
    if (candidate == line) return true;
  return false;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string lastLineOf(const std::string& text) {
  const auto lines = splitLines(text);
  return lines.empty() ? "" : lines.back();
}

bool waitForLineAnywhere(const AppProcess& app, const std::string& line, Timeout timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!holdsLine(app.stdoutLines(), line)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
  return true;
}
