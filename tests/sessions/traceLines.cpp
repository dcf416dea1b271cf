#include "traceLines.h"

#include <sstream>

Lines operator+(Lines first, const Lines& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

Lines operator+(Lines first, const std::string& line) {
  first.push_back(line);
  return first;
}

Lines presses(int x, int y) {
  return {kLeftPressLine, kMouseXPrefix + std::to_string(x), kMouseYPrefix + std::to_string(y)};
}

Lines moves(int x, int y) { return {kMouseXPrefix + std::to_string(x), kMouseYPrefix + std::to_string(y)}; }

std::string released() { return kReleaseLine; }
std::string endDrag() { return kEndDragLine; }
std::string padLine(int pad) { return "pad=" + std::to_string(pad); }

std::string gainLine(int pad, int x, int y) {
  const float d = lawDistance(pad, x, y);
  std::ostringstream line;
  line << "pad=" << pad << "dtcentre= " << d << "gain=" << lawGain(d) << kPadAddressPrefix << pad;
  return line.str();
}

float gainAt(int pad, int x, int y) { return lawGain(lawDistance(pad, x, y)); }

std::string messageLine(int pad) { return kMessagePrefix + std::to_string(pad); }

std::string paletteLine(int band) {
  std::ostringstream line;
  line << "cy=" << static_cast<float>(band) << "bouton = " << band;
  return line.str();
}
