// What the program writes when it starts and ends, and how a test reads it.
#ifndef ZELQUOR_TESTS_STARTUP_LINES_H
#define ZELQUOR_TESTS_STARTUP_LINES_H

#include <string>
#include <vector>

#include "appProcess.h"
#include "boardFacts.h"

const std::string kNoServerMessage = "JACK server not running ?";
const std::string kNamesNotSetMessage = "zelquor: the ports' pad names were not set";
const std::string kServerClosedReason = "JACK server has been closed";
const std::string kPhysicalPrefix = "physical ";
const std::string kImageFailure = "Failed to load image";
const std::string kWindowTitle = kProgramWindowTitle;

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);
bool holdsLine(const std::vector<std::string>& lines, const std::string& line);
std::vector<std::string> splitLines(const std::string& text);
// The last line of the text, or "" when it has none.
std::string lastLineOf(const std::string& text);

// Waits until the line shows up anywhere in the program's standard output,
// whatever came before it (unlike AppProcess::waitForLine, which only looks
// past the last line it matched).
bool waitForLineAnywhere(const AppProcess& app, const std::string& line, Timeout timeout = kDefaultTimeout);

#endif
