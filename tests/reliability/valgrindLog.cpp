#include "valgrindLog.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace {

const std::regex kRecordHeading(
    R"(==\d+== ([\d,]+ (?:\([\d,]+ direct, [\d,]+ indirect\) )?bytes in [\d,]+ blocks are )"
    R"((definitely lost|indirectly lost|possibly lost|still reachable)) in loss record .*)");
const std::regex kFrame(R"(==\d+==    (?:at|by) (0x[0-9A-F]+: .*))");
const std::regex kErrorSummary(R"(==\d+== ERROR SUMMARY: ([\d,]+) errors.*)");
const std::regex kDefinitelyLost(R"(==\d+==    definitely lost: ([\d,]+) bytes.*)");
const std::regex kSummaryLine(
    R"(==\d+==    (definitely|indirectly|possibly) lost: .*|==\d+==    still reachable: .*|==\d+==         suppressed: .*)");

// The allocator and the library functions that only pass its memory on;
// the record belongs to whoever called them.
const std::regex kAllocator(
    R"(0x[0-9A-F]+: (malloc|calloc|realloc|reallocarray|memalign|posix_memalign|aligned_alloc|valloc|)"
    R"(operator new\[\]|operator new|strdup|strndup)[ (].*)");

long number(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  return std::stol(text);
}

std::string addressOf(const std::string& frame) { return frame.substr(0, frame.find(':')); }

}  // namespace

ValgrindLog::ValgrindLog(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  LossRecord* current = nullptr;
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (std::regex_match(line, match, kRecordHeading)) {
      records.push_back({match[2], match[1], {}});
      current = &records.back();
      continue;
    }
    if (current != nullptr && std::regex_match(line, match, kFrame)) {
      current->frames.push_back(match[1]);
      continue;
    }
    current = nullptr;
    if (std::regex_match(line, match, kErrorSummary)) {
      errors = number(match[1]);
      summary.push_back(line);
    } else if (std::regex_match(line, match, kDefinitelyLost)) {
      definitelyLost = number(match[1]);
      summary.push_back(line);
    } else if (std::regex_match(line, kSummaryLine)) {
      summary.push_back(line);
    }
  }
}

std::vector<std::string> callerFrames(const LossRecord& record) {
  size_t caller = 0;
  while (caller < record.frames.size() && std::regex_match(record.frames[caller], kAllocator)) ++caller;
  std::vector<std::string> frames;
  for (size_t i = caller; i < record.frames.size() && addressOf(record.frames[i]) == addressOf(record.frames[caller]);
       ++i)
    frames.push_back(record.frames[i]);
  return frames;
}

bool framesHold(const std::vector<std::string>& frames, const std::string& text) {
  for (const auto& frame : frames)
    if (frame.find(text) != std::string::npos) return true;
  return false;
}

bool allocatedBy(const LossRecord& record, const std::vector<std::string>& ourPaths) {
  const auto frames = callerFrames(record);
  for (const auto& path : ourPaths)
    if (framesHold(frames, path)) return true;
  return false;
}
