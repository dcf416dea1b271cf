#include "benchRun.h"

#include <fstream>
#include <sstream>

benchOption splitOption(const std::string& argument) {
  const auto equals = argument.find('=');
  return {argument.substr(0, equals), equals == std::string::npos ? "" : argument.substr(equals + 1)};
}

std::string loadAverage() {
  std::ifstream file("/proc/loadavg");
  double one = 0, five = 0, fifteen = 0;
  file >> one >> five >> fifteen;
  std::ostringstream text;
  text << one << ", " << five << ", " << fifteen;
  return text.str();
}
