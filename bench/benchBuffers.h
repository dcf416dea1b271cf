// Channel buffers and gains for the compute benchmarks: 63 input and 63
// output buffers, each its own allocation as a JACK client gets one buffer
// per port, filled with random samples; random nonzero gains written into
// a block through its own parameter declarations.
#ifndef ZELQUOR_BENCH_BENCH_BUFFERS_H
#define ZELQUOR_BENCH_BENCH_BUFFERS_H

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <faust/dsp/dsp.h>
#include <faust/gui/DecoratorUI.h>

#include "gainLaw.h"
#include "mydsp.h"

class ChannelBuffers {
 public:
  explicit ChannelBuffers(int frames, unsigned seed = 2024) {
    // 64-byte aligned, rounded up to whole cache lines, one block per buffer.
    const std::size_t bytes = (static_cast<std::size_t>(frames) * sizeof(float) + 63) / 64 * 64;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (int k = 0; k < kChannelCount; ++k) {
      float* in = static_cast<float*>(std::aligned_alloc(64, bytes));
      float* out = static_cast<float*>(std::aligned_alloc(64, bytes));
      for (int i = 0; i < frames; ++i) {
        in[i] = sample(rng);
        out[i] = 0.0f;
      }
      inputs_.push_back(in);
      outputs_.push_back(out);
    }
  }
  ~ChannelBuffers() {
    for (float* p : inputs_) std::free(p);
    for (float* p : outputs_) std::free(p);
  }
  ChannelBuffers(const ChannelBuffers&) = delete;
  ChannelBuffers& operator=(const ChannelBuffers&) = delete;

  float** inputs() { return inputs_.data(); }
  float** outputs() { return outputs_.data(); }

 private:
  std::vector<float*> inputs_, outputs_;
};

// Writes random gains between the gain law's least and most into every
// parameter, by label, so that every block gets the same gains.
class RandomGains : public GenericUI {
 public:
  explicit RandomGains(unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> gain(lowestGain(), highestGain());
    for (float& g : gains_) g = gain(rng);
  }
  void addVerticalSlider(const char* label, FAUSTFLOAT* zone, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT) override {
    *zone = gains_[std::stoi(std::string(label).substr(5))];  // "canalN"
  }

 private:
  float gains_[kParameterCount];
};

#endif
