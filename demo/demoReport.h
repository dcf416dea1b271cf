// The files that the demo leaves for its user: the program's trace, the
// levels recorded over time, the events, and a summary in words.
#ifndef ZELQUOR_DEMO_DEMO_REPORT_H
#define ZELQUOR_DEMO_DEMO_REPORT_H

#include <optional>
#include <string>
#include <vector>

#include "appProcess.h"
#include "checkpoint.h"
#include "sessionPlayer.h"

// File names inside the output folder.
extern const char* const kTraceFile;
extern const char* const kMessagesFile;
extern const char* const kLevelsFile;
extern const char* const kEventsFile;
extern const char* const kSummaryFile;
extern const char* const kPlotFile;

// levels.csv holds one row every this many cycles.
constexpr int kCyclesPerLevelRow = 4;

struct DemoOutcome {
  std::vector<Checkpoint> checkpoints;
  std::optional<ExitStatus> exit;
  // Cycles recorded before the window was closed.
  long recordedCycles = 0;
  std::string projectRoot;
};

void writeReport(const SessionPlayer& player, const DemoOutcome& outcome, const std::string& folder);

#endif
