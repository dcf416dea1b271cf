// Reads back what a demo run wrote: its events, its recorded levels and the
// program's trace.
#ifndef ZELQUOR_DEMO_TESTS_DEMO_FILES_H
#define ZELQUOR_DEMO_TESTS_DEMO_FILES_H

#include <string>
#include <vector>

#include "toneMeter.h"

struct EventRow {
  int number = 0;
  double endSeconds = 0.0;
  size_t traceLines = 0;
  std::string screenshot;
};

struct LevelRow {
  double seconds = 0.0;
  ChannelLevels levels{};
};

std::vector<std::string> readLines(const std::string& path);
std::vector<EventRow> readEvents(const std::string& path);
std::vector<LevelRow> readLevels(const std::string& path);
// The first row recorded at or after the time.
const LevelRow& rowAt(const std::vector<LevelRow>& rows, double seconds);

#endif
