#include "demoFiles.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Times are written to the millisecond.
constexpr double kTimeRounding = 0.0005;

std::vector<std::string> fields(const std::string& line, size_t count) {
  std::vector<std::string> result;
  std::istringstream in(line);
  std::string field;
  while (result.size() < count && std::getline(in, field, ',')) result.push_back(field);
  if (result.size() < count) throw std::runtime_error("short line: " + line);
  return result;
}

std::vector<std::string> withoutHeader(const std::string& path) {
  auto lines = readLines(path);
  if (lines.empty()) throw std::runtime_error("empty file: " + path);
  lines.erase(lines.begin());
  return lines;
}

}  // namespace

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// number,start_s,end_s,trace_lines,screenshot,label,caption: the quoted
// texts come last and are not needed.
std::vector<EventRow> readEvents(const std::string& path) {
  std::vector<EventRow> events;
  for (const auto& line : withoutHeader(path)) {
    const auto f = fields(line, 5);
    events.push_back({std::stoi(f[0]), std::stod(f[2]), std::stoul(f[3]), f[4]});
  }
  return events;
}

std::vector<LevelRow> readLevels(const std::string& path) {
  std::vector<LevelRow> rows;
  for (const auto& line : withoutHeader(path)) {
    const auto f = fields(line, kChannelCount + 1);
    LevelRow row;
    row.seconds = std::stod(f[0]);
    for (int k = 0; k < kChannelCount; ++k) row.levels[k] = std::stof(f[k + 1]);
    rows.push_back(row);
  }
  return rows;
}

const LevelRow& rowAt(const std::vector<LevelRow>& rows, double seconds) {
  for (const auto& row : rows)
    if (row.seconds >= seconds - kTimeRounding) return row;
  throw std::runtime_error("no level recorded at " + std::to_string(seconds) + " s");
}
