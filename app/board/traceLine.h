// Trace lines on standard output. Each line, its line end included, is
// handed to the stream in one write and then flushed: the audio server
// going away ends the process from the audio library's thread, which must
// only ever find whole lines in the stream.
//
// That holds only while the standard streams stay synchronised with stdio
// (the default): each write then goes to stdout in one locked call, and the
// shutdown path (dsp/serverShutdown.cpp) locks stdout before its last
// flush. std::ios::sync_with_stdio(false) would give std::cout a buffer of
// its own, outside that lock, and a shutdown could cut a line or lose it.
#ifndef ZELQUOR_TRACE_LINE_H
#define ZELQUOR_TRACE_LINE_H

#include <cstddef>

constexpr std::size_t kTraceLineSize = 128;

struct traceText {
  char text[kTraceLineSize];
  char* at = text;
};

// Texts as they stand, ints in decimal, floats and booleans as the standard
// stream writes them by default ("%.6g"; 1 or 0). A line is cut, never
// overrun, at kTraceLineSize less its line end.
void traceAppend(traceText& line, const char* text);
void traceAppend(traceText& line, int number);
void traceAppend(traceText& line, float number);
void traceAppend(traceText& line, bool value);
void traceEnd(traceText& line);

template <typename... parts>
void traceLine(const parts&... part) {
  traceText line;
  (traceAppend(line, part), ...);
  traceEnd(line);
}

#endif
