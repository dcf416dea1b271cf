// What the whole-program benches (systemBench, latencyBench) share about a
// run: the form of their options and the machine's load while they ran.
#ifndef ZELQUOR_BENCH_RUN_H
#define ZELQUOR_BENCH_RUN_H

#include <string>

struct benchOption {
  std::string key;    // "--rounds" for "--rounds=3"
  std::string value;  // "3"; empty for a flag without "="
};

benchOption splitOption(const std::string& argument);

// The load averages over 1, 5 and 15 minutes, as "1.2, 0.8, 0.5".
std::string loadAverage();

#endif
