#include "benchRun.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> listOf(const std::string& text) {
  std::vector<std::string> items;
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');) items.push_back(item);
  return items;
}

}  // namespace

std::string parseOptions(int argc, char** argv, const std::map<std::string, optionSetter>& setters) {
  std::string out;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const auto equals = argument.find('=');
    const std::string key = argument.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
    const auto setter = setters.find(key);
    if (key == "--out") out = value;
    else if (setter != setters.end()) setter->second(value);
    else throw std::runtime_error("unknown option " + argument);
  }
  if (out.empty()) throw std::runtime_error("--out=FILE is needed");
  return out;
}

optionSetter setsNumber(int& target) {
  return [&target](const std::string& value) { target = std::stoi(value); };
}
optionSetter setsNumber(double& target) {
  return [&target](const std::string& value) { target = std::stod(value); };
}
optionSetter setsText(std::string& target) {
  return [&target](const std::string& value) { target = value; };
}
optionSetter setsFlag(bool& target) {
  return [&target](const std::string&) { target = true; };
}
optionSetter setsNumbers(std::vector<int>& target) {
  return [&target](const std::string& value) {
    target.clear();
    for (const std::string& item : listOf(value)) target.push_back(std::stoi(item));
  };
}
optionSetter setsTexts(std::vector<std::string>& target) {
  return [&target](const std::string& value) { target = listOf(value); };
}

std::string loadAverage() {
  std::ifstream file("/proc/loadavg");
  double one = 0, five = 0, fifteen = 0;
  file >> one >> five >> fifteen;
  std::ostringstream text;
  text << one << ", " << five << ", " << fifteen;
  return text.str();
}

void writeSeries(std::ostream& out, const std::string& name, const Series& series, bool last) {
  out << "  \"" << name << "\": {";
  bool first = true;
  for (const auto& [key, values] : series) {
    out << (first ? "" : ",") << "\n    \"" << key << "\": [";
    for (std::size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
    out << "]";
    first = false;
  }
  out << "\n  }" << (last ? "" : ",") << "\n";
}
