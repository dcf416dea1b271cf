// One parameter write by address: through the engine facade (our look-up,
// then the engine's store), beside one plain store into a float and beside
// the packaged parameter table's own look-up (APIUI over a mydsp, a linear
// search comparing std::strings).
//
// Names: "write/<path>/<case>", the address in the label:
//   write/store/plain           one store into a float
//   write/facade/<case>         DspFaust::setParamValue(address, v)
//   write/facadeById/last       DspFaust::setParamValue(63, v): the engine's part alone
//   write/apiui/<case>          APIUI::setParamValue(address, v); for an address
//                               it does not know it prints a line on stderr
//                               each call, sent to /dev/null while it runs
//   lookup/apiui/<case>         APIUI::getParamIndex(address) alone
// The facade is created without a server: "JACK server not running ?" on
// stderr is expected.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>  // APIUI.h uses strcmp without including it
#include <string>

#include <faust/gui/APIUI.h>

#include "DspFaust.h"
#include "facadeWithoutServer.h"
#include "mydsp.h"

namespace {

struct Case {
  const char* name;
  const char* address;
};

// "first" and "last" in the engine's table (indices 0 and 63); the others
// name no parameter for the facade. "canal5" is a bare label, which APIUI
// does resolve (it matches labels and short names too).
constexpr Case kCases[] = {
    {"first", "/Canaux0/canal0"},        {"last", "/Canaux0/canal9"}, {"unknown64", "/Canaux0/canal64"},
    {"unknown255", "/Canaux0/canal255"}, {"label", "canal5"},
};

DspFaust* facade = nullptr;
mydsp* block = nullptr;
APIUI* table = nullptr;

// Sends stderr to /dev/null while alive.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDERR_FILENO);
    close(null);
  }
  ~QuietStderr() {
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

void plainStore(benchmark::State& state) {
  float cell = 0.0f;
  float* volatile where = &cell;  // one store through a pointer the compiler cannot see through
  float v = 0.25f;
  for (auto _ : state) {
    *where = v;
    v = 1.0f - v;
  }
  benchmark::DoNotOptimize(cell);
}

// Writes 0.25 and 0.75 in turn through write(key, value), the key hidden
// from the compiler at each call so that no look-up leaves the loop.
template <class Key, class Write>
void alternatingWrites(benchmark::State& state, Key key, Write write) {
  float v = 0.25f;
  for (auto _ : state) {
    Key k = key;
    benchmark::DoNotOptimize(k);
    write(k, v);
    v = 1.0f - v;
  }
}

void facadeWrite(benchmark::State& state, const char* address) {
  alternatingWrites(state, address, [](const char* a, float v) { facade->setParamValue(a, v); });
  state.SetLabel(address);
}

void facadeWriteById(benchmark::State& state) {
  alternatingWrites(state, kParameterCount - 1, [](int id, float v) { facade->setParamValue(id, v); });
  state.SetLabel("index 63");
}

void apiuiWrite(benchmark::State& state, const char* address) {
  const bool known = table->getParamIndex(address) >= 0;
  QuietStderr* quiet = known ? nullptr : new QuietStderr();
  alternatingWrites(state, address, [](const char* a, float v) { table->setParamValue(a, v); });
  delete quiet;
  state.SetLabel(address);
}

void apiuiLookup(benchmark::State& state, const char* address) {
  for (auto _ : state) {
    const char* a = address;
    benchmark::DoNotOptimize(a);
    int index = table->getParamIndex(a);
    benchmark::DoNotOptimize(index);
  }
  state.SetLabel(address);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  // No server: the facade opens no client and keeps its parameter table.
  facade = newFacadeWithoutServer();
  block = new mydsp();
  table = new APIUI();
  block->buildUserInterface(table);
  if (facade->getParamsCount() != kParameterCount || table->getParamsCount() != kParameterCount ||
      table->getParamIndex("/Canaux0/canal9") != kParameterCount - 1) {
    std::fprintf(stderr, "paramBench: unexpected parameter tables\n");
    return 1;
  }

  benchmark::RegisterBenchmark("write/store/plain", plainStore);
  for (const Case& c : kCases)
    benchmark::RegisterBenchmark((std::string("write/facade/") + c.name).c_str(), facadeWrite, c.address);
  benchmark::RegisterBenchmark("write/facadeById/last", facadeWriteById);
  for (const Case& c : kCases)
    benchmark::RegisterBenchmark((std::string("write/apiui/") + c.name).c_str(), apiuiWrite, c.address);
  for (const Case& c : kCases)
    benchmark::RegisterBenchmark((std::string("lookup/apiui/") + c.name).c_str(), apiuiLookup, c.address);

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
