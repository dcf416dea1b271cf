#include "traceFloor.h"

#include <iostream>
#include <sstream>

traceLines recordTrace(const std::function<void()>& action) {
  std::ostringstream recorded;
  std::streambuf* const saved = std::cout.rdbuf(recorded.rdbuf());
  action();
  std::cout.rdbuf(saved);
  traceLines lines;
  std::istringstream text(recorded.str());
  for (std::string line; std::getline(text, line);) lines.push_back(line + '\n');
  return lines;
}

void writeTrace(const traceLines& lines) {
  for (const std::string& line : lines) std::cout.write(line.data(), static_cast<std::streamsize>(line.size())).flush();
}
