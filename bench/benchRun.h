// What the whole-program benches (systemBench, latencyBench) share about a
// run: the form of their options and of their figures, and the machine's
// load while they ran.
#ifndef ZELQUOR_BENCH_RUN_H
#define ZELQUOR_BENCH_RUN_H

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// What one option does with its value: "3" for "--rounds=3", empty for a
// flag without "=".
using optionSetter = std::function<void(const std::string& value)>;

// Hands each argument to its option's setter. Every bench writes its
// figures to the file that --out=FILE names: that option is read here and
// its value returned. Throws on an unknown option, an unreadable number, or
// no --out.
std::string parseOptions(int argc, char** argv, const std::map<std::string, optionSetter>& setters);

// Setters for the kinds of value the benches take; a list is separated by
// commas ("64,256,1024").
optionSetter setsNumber(int& target);
optionSetter setsNumber(double& target);
optionSetter setsText(std::string& target);
optionSetter setsFlag(bool& target);
optionSetter setsNumbers(std::vector<int>& target);
optionSetter setsTexts(std::vector<std::string>& target);

// Named series of values, one value a round.
using Series = std::map<std::string, std::vector<double>>;

// Writes the series as a member of the JSON object that a bench writes:
// "name": {"key": [v, ...], ...}, followed by a comma unless it is the last.
void writeSeries(std::ostream& out, const std::string& name, const Series& series, bool last = false);

// The load averages over 1, 5 and 15 minutes, as "1.2, 0.8, 0.5".
std::string loadAverage();

#endif
