#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "systemMeasures.h"

namespace {

const std::string kCounterPrefix = "frameCounter ";
constexpr double kWindowSeconds = 1.0;
constexpr auto kPollStep = std::chrono::milliseconds(100);

double fieldOf(const std::string& line, const std::string& key) {
  const auto at = line.find(" " + key + "=");
  if (at == std::string::npos) throw std::runtime_error("frame counter line without " + key + ": " + line);
  return std::stod(line.substr(at + key.size() + 2));
}

std::vector<std::string> counterLines(const AppProcess& process) {
  std::vector<std::string> lines;
  std::istringstream text(process.stderrText());
  for (std::string line; std::getline(text, line);)
    if (line.rfind(kCounterPrefix, 0) == 0) lines.push_back(line);
  return lines;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The medians over the windows from the first one on.
FrameTimes timesOf(const std::vector<std::string>& lines, std::size_t first) {
  std::vector<double> medians, means, cpus;
  for (std::size_t i = first; i < lines.size(); ++i) {
    medians.push_back(fieldOf(lines[i], "medianMs"));
    means.push_back(fieldOf(lines[i], "meanMs"));
    cpus.push_back(fieldOf(lines[i], "cpuMsPerFrame"));
  }
  return {median(medians), median(means), median(cpus)};
}

}  // namespace

std::vector<std::string> frameCounterEnvironment() {
  return {std::string("LD_PRELOAD=") + ZELQUOR_FRAME_COUNTER, "FRAME_COUNTER_WINDOW=" + std::to_string(kWindowSeconds)};
}

FrameTimes measureFrames(SubjectRun& run, int windows) {
  const std::size_t skip = counterLines(run.process()).size() + 2;
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::seconds(static_cast<int>((windows + 2) * kWindowSeconds * 4 + 30));
  std::vector<std::string> lines;
  while ((lines = counterLines(run.process())).size() < skip + windows) {
    if (std::chrono::steady_clock::now() > deadline || !run.process().running())
      throw std::runtime_error("the frame counter did not report; stderr:\n" + run.process().stderrText());
    std::this_thread::sleep_for(kPollStep);
  }
  lines.resize(skip + windows);
  return timesOf(lines, skip);
}

std::size_t frameWindowsSoFar(const SubjectRun& run) { return counterLines(run.process()).size(); }

FrameTimes framesSince(const SubjectRun& run, std::size_t firstWindow) {
  const std::vector<std::string> lines = counterLines(run.process());
  return lines.size() > firstWindow ? timesOf(lines, firstWindow) : FrameTimes{};
}
