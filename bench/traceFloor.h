// The floor of a drag step's trace: the lines a step writes, recorded once
// from the program's own handlers, then written again the way the program
// writes them (one write of the whole line to std::cout, synchronised with
// stdio, then its flush) with nothing else to do. What a step costs above
// this is the program's own work; what this costs follows the machine's
// file writes.
#ifndef ZELQUOR_BENCH_TRACE_FLOOR_H
#define ZELQUOR_BENCH_TRACE_FLOOR_H

#include <functional>
#include <string>
#include <vector>

using traceLines = std::vector<std::string>;

// The lines written to std::cout while the action runs, each with its line
// end; nothing reaches the real standard output meanwhile.
traceLines recordTrace(const std::function<void()>& action);

// Writes each line as the program's trace does: std::cout.write of the
// whole line, then flush.
void writeTrace(const traceLines& lines);

#endif
