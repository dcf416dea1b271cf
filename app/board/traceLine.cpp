#include "traceLine.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iostream>

namespace {

// The precision with which the standard stream writes a float by default.
constexpr int kStreamPrecision = 6;

// Room for everything but the line end.
char* roomEnd(traceText& line) { return line.text + kTraceLineSize - 1; }

}  // namespace

void traceAppend(traceText& line, const char* text) {
  const std::size_t room = static_cast<std::size_t>(roomEnd(line) - line.at);
  const std::size_t length = std::min(std::strlen(text), room);
  std::memcpy(line.at, text, length);
  line.at += length;
}

void traceAppend(traceText& line, int number) {
  const auto written = std::to_chars(line.at, roomEnd(line), number);
  if (written.ec == std::errc()) line.at = written.ptr;
}

// The stream formats each number through the locale and printf, which took
// most of the time of an all-mode drag step's 64 gain lines.
void traceAppend(traceText& line, float number) {
  const auto written =
      std::to_chars(line.at, roomEnd(line), static_cast<double>(number), std::chars_format::general, kStreamPrecision);
  if (written.ec == std::errc()) line.at = written.ptr;
}

void traceAppend(traceText& line, bool value) { traceAppend(line, value ? "1" : "0"); }

// One write of the whole line: see the header on keeping the streams
// synchronised with stdio.
void traceEnd(traceText& line) {
  *line.at++ = '\n';
  std::cout.write(line.text, line.at - line.text).flush();
}
