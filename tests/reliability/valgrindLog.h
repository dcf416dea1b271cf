// What memcheck wrote about a run: its error count, its leak summary and
// its loss records with their allocation stacks.
#ifndef ZELQUOR_TESTS_VALGRIND_LOG_H
#define ZELQUOR_TESTS_VALGRIND_LOG_H

#include <optional>
#include <string>
#include <vector>

struct LossRecord {
  std::string kind;     // "definitely lost", "indirectly lost", "possibly lost", "still reachable"
  std::string heading;  // "568 bytes in 1 blocks are still reachable"
  // "0x10B9C6: function (in /path/to/object)" or "...(/path/file.cpp:12)",
  // innermost first.
  std::vector<std::string> frames;
};

struct ValgrindLog {
  // Reads the log that --log-file wrote; throws when it cannot be read.
  explicit ValgrindLog(const std::string& path);

  std::optional<long> errors;          // from "ERROR SUMMARY: N errors"
  std::optional<long> definitelyLost;  // bytes, from the leak summary
  std::vector<std::string> summary;    // the leak and error summary lines
  std::vector<LossRecord> records;
};

// The frames at the address that called the allocator: one, or several
// where functions were inlined there.
std::vector<std::string> callerFrames(const LossRecord& record);

// Whether the record's memory was asked for by code of this project: a
// caller frame names one of the given paths, an object or a source file.
bool allocatedBy(const LossRecord& record, const std::vector<std::string>& ourPaths);

bool framesHold(const std::vector<std::string>& frames, const std::string& text);

#endif
