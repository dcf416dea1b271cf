// One processing call of the channel gain block at JACK-like period sizes,
// beside the floor (a memcpy of the 63 input buffers into the 63 output
// buffers) and the faust compiler's scalar and -vec code for the same
// signal. Every block is reached through the dsp
// interface and lives in another translation unit, all built with the
// project's flags.
//
// Names: "compute/<variant>/<frames>". Bytes processed count what a call
// moves: 63 channels read and 63 written, frames floats each.
#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "benchBuffers.h"
#include "compiledBlocks.h"
#include "engineFacade.h"
#include "mydsp.h"

// The board library's handlers hand gains to this facade; the benchmarks
// take only the gain law's range from the library and run no handler.
DspFaust* dspFaust = nullptr;

namespace {

constexpr int kFrameCounts[] = {32, 64, 256, 1024, 4096};

void setBytes(benchmark::State& state, int frames) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 2 * kChannelCount * frames *
                          static_cast<int64_t>(sizeof(float)));
}

void copyChannels(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  ChannelBuffers buffers(frames);
  float** in = buffers.inputs();
  float** out = buffers.outputs();
  const std::size_t bytes = static_cast<std::size_t>(frames) * sizeof(float);
  for (auto _ : state) {
    for (int k = 0; k < kChannelCount; ++k) std::memcpy(out[k], in[k], bytes);
    benchmark::ClobberMemory();
  }
  setBytes(state, frames);
}

void computeBlock(benchmark::State& state, const std::function<dsp*()>& make) {
  const int frames = static_cast<int>(state.range(0));
  ChannelBuffers buffers(frames);
  std::unique_ptr<dsp> block(make());
  block->init(48000);
  RandomGains gains;
  block->buildUserInterface(&gains);
  dsp* target = block.get();
  benchmark::DoNotOptimize(target);  // keep the call virtual, as the engine makes it
  for (auto _ : state) {
    target->compute(frames, buffers.inputs(), buffers.outputs());
    benchmark::ClobberMemory();
  }
  setBytes(state, frames);
}

void registerCompute(const std::string& variant, std::function<void(benchmark::State&)> run) {
  benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(("compute/" + variant).c_str(), run);
  for (int frames : kFrameCounts) b->Arg(frames);
}

}  // namespace

int main(int argc, char** argv) {
  registerCompute("memcpy", copyChannels);
  registerCompute("mydsp", [](benchmark::State& s) { computeBlock(s, [] { return new mydsp(); }); });
  registerCompute("faustScalar", [](benchmark::State& s) { computeBlock(s, newFaustScalar); });
  registerCompute("faustVec", [](benchmark::State& s) { computeBlock(s, newFaustVec); });
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
