// The hand-written channel gain block against the faust compiler's code for
// the same signal, and the block's declarations to the engine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <faust/gui/DecoratorUI.h>

#include "compiledReference.h"
#include "mydsp.h"

namespace {

constexpr int kMaxFrames = 4096;

// Channel buffers for one compute call, filled with random samples.
struct Buffers {
  std::vector<std::vector<float>> in, out;
  std::vector<float*> inPtr, outPtr;
  explicit Buffers(int frames, float outFill = 0.0f)
      : in(kChannelCount, std::vector<float>(frames)), out(kChannelCount, std::vector<float>(frames, outFill)) {
    for (int k = 0; k < kChannelCount; ++k) {
      inPtr.push_back(in[k].data());
      outPtr.push_back(out[k].data());
    }
  }
};

// Writes values into every parameter through the block's own declarations.
class GainSetter : public GenericUI {
 public:
  explicit GainSetter(const std::vector<float>& values) : values_(values) {}
  void addVerticalSlider(const char* label, FAUSTFLOAT* zone, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT) override {
    *zone = values_[std::stoi(std::string(label).substr(5))];
  }

 private:
  const std::vector<float>& values_;
};

// Records every declaration, in order, as text.
class DeclarationRecorder : public UI {
 public:
  std::vector<std::string> lines;
  std::vector<FAUSTFLOAT*> zones;
  void openTabBox(const char* l) override { lines.push_back(std::string("tab ") + l); }
  void openHorizontalBox(const char* l) override { lines.push_back(std::string("hbox ") + l); }
  void openVerticalBox(const char* l) override { lines.push_back(std::string("vbox ") + l); }
  void closeBox() override { lines.push_back("close"); }
  void addButton(const char* l, FAUSTFLOAT*) override { lines.push_back(std::string("button ") + l); }
  void addCheckButton(const char* l, FAUSTFLOAT*) override { lines.push_back(std::string("check ") + l); }
  void addVerticalSlider(const char* l, FAUSTFLOAT* z, FAUSTFLOAT i, FAUSTFLOAT mn, FAUSTFLOAT mx,
                         FAUSTFLOAT st) override {
    lines.push_back(std::string("vslider ") + l + " " + std::to_string(i) + " " + std::to_string(mn) + " " +
                    std::to_string(mx) + " " + std::to_string(st) + (st == 0.01f ? " step-ok" : " step-off"));
    zones.push_back(z);
  }
  void addHorizontalSlider(const char* l, FAUSTFLOAT*, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT) override {
    lines.push_back(std::string("hslider ") + l);
  }
  void addNumEntry(const char* l, FAUSTFLOAT*, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT, FAUSTFLOAT) override {
    lines.push_back(std::string("numentry ") + l);
  }
  void addHorizontalBargraph(const char* l, FAUSTFLOAT*, FAUSTFLOAT, FAUSTFLOAT) override {
    lines.push_back(std::string("hbar ") + l);
  }
  void addVerticalBargraph(const char* l, FAUSTFLOAT*, FAUSTFLOAT, FAUSTFLOAT) override {
    lines.push_back(std::string("vbar ") + l);
  }
  void addSoundfile(const char* l, const char*, Soundfile**) override { lines.push_back(std::string("sound ") + l); }
  void declare(FAUSTFLOAT*, const char* k, const char* v) override {
    lines.push_back(std::string("declare ") + k + "=" + v);
  }
};

struct MetaRecorder : Meta {
  std::vector<std::string> entries;
  void declare(const char* key, const char* value) override { entries.push_back(std::string(key) + "=" + value); }
};

std::vector<float> randomGains(std::mt19937& rng) {
  std::uniform_real_distribution<float> wide(-2.0f, 2.0f);
  std::vector<float> gains(kParameterCount);
  for (float& g : gains) g = wide(rng);
  // The values a board sends and the awkward ones nobody should round.
  gains[0] = 1.003f;
  gains[1] = 0.017f;
  gains[2] = 0.0f;
  gains[3] = -0.0f;
  gains[4] = std::numeric_limits<float>::denorm_min();
  gains[5] = 3.0e-39f;
  gains[39] = 1.5e-20f;
  gains[40] = 1.5e-20f;  // their product is subnormal
  gains[63] = -7.25f;
  return gains;
}

void fillRandom(Buffers& b, std::mt19937& rng) {
  std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
  for (auto& channel : b.in)
    for (float& s : channel) s = sample(rng);
  b.in[7][0] = std::numeric_limits<float>::denorm_min();
  b.in[8][0] = 1.0e30f;
}

template <class Reference>
void expectSameOutputs(const char* name) {
  std::mt19937 rng(1234);
  for (int frames : {0, 1, 7, 64, 256, kMaxFrames}) {
    SCOPED_TRACE(std::string(name) + " frames " + std::to_string(frames));
    const std::vector<float> gains = randomGains(rng);
    mydsp ours;
    Reference theirs;
    ours.init(48000);
    theirs.init(48000);
    GainSetter setter(gains);
    ours.buildUserInterface(&setter);
    theirs.buildUserInterface(&setter);
    Buffers a(std::max(frames, 1), 9.0f), b(std::max(frames, 1), 9.0f);
    fillRandom(a, rng);
    b.in = a.in;
    ours.compute(frames, a.inPtr.data(), a.outPtr.data());
    theirs.compute(frames, b.inPtr.data(), b.outPtr.data());
    for (int k = 0; k < kChannelCount; ++k)
      ASSERT_EQ(0, std::memcmp(a.out[k].data(), b.out[k].data(), a.out[k].size() * sizeof(float))) << "channel " << k;
  }
}

}  // namespace

TEST(Block, MatchesCompiledScalarCodeBitForBit) { expectSameOutputs<faustScalar>("scalar"); }
TEST(Block, MatchesCompiledVectorCodeBitForBit) { expectSameOutputs<faustVec>("vec"); }

TEST(Block, ChannelsTakeTheirPadsGains) {
  mydsp block;
  block.init(44100);
  std::vector<float> gains(kParameterCount);
  for (int n = 0; n < kParameterCount; ++n) gains[n] = 1.0f + n;  // distinct, exact
  GainSetter setter(gains);
  block.buildUserInterface(&setter);
  Buffers b(4);
  for (auto& c : b.in) std::fill(c.begin(), c.end(), 1.0f);
  block.compute(4, b.inPtr.data(), b.outPtr.data());
  for (int k = 0; k < 39; ++k) EXPECT_EQ(b.out[k][3], gains[k]) << k;
  EXPECT_EQ(b.out[39][3], gains[39] * gains[40]);
  for (int k = 40; k < kChannelCount; ++k) EXPECT_EQ(b.out[k][3], gains[k + 1]) << k;
}

TEST(Block, DeclaresSixtyFourSlidersInByteOrderInOneBox) {
  mydsp block;
  DeclarationRecorder ui;
  block.buildUserInterface(&ui);
  ASSERT_EQ(ui.lines.size(), 66u);
  EXPECT_EQ(ui.lines.front(), "hbox Canaux0");
  EXPECT_EQ(ui.lines.back(), "close");
  std::vector<std::string> labels;
  for (int n = 0; n < kParameterCount; ++n) labels.push_back("canal" + std::to_string(n));
  std::sort(labels.begin(), labels.end());
  for (int i = 0; i < kParameterCount; ++i)
    EXPECT_EQ(ui.lines[i + 1], "vslider " + labels[i] + " 0.000000 0.000000 1.000000 0.010000 step-ok");
  EXPECT_EQ(ui.lines[64], "vslider canal9 0.000000 0.000000 1.000000 0.010000 step-ok");

  // Declared again, the same cells come back: the engine builds several
  // user interfaces over one block.
  DeclarationRecorder again;
  block.buildUserInterface(&again);
  EXPECT_EQ(again.zones, ui.zones);
}

TEST(Block, MetadataNamesTheClient) {
  mydsp block;
  MetaRecorder meta;
  block.metadata(&meta);
  // Written out on purpose: the block's own declaration names the JACK
  // client, and a changed name there must fail here.
  EXPECT_EQ(meta.entries, (std::vector<std::string>{"filename=zelquors", "name=zelquors"}));
}

TEST(Block, ChannelCountsAndRates) {
  mydsp block;
  EXPECT_EQ(block.getNumInputs(), 63);
  EXPECT_EQ(block.getNumOutputs(), 63);
  EXPECT_EQ(block.getInputRate(0), 1);
  EXPECT_EQ(block.getOutputRate(62), 1);
  EXPECT_EQ(block.getInputRate(63), -1);
  EXPECT_EQ(block.getOutputRate(-1), -1);
  EXPECT_EQ(block.getInputRate(std::numeric_limits<int>::min()), -1);
}

TEST(Block, InitSilencesAndStoresTheRateWhileCloneStartsBlank) {
  mydsp block;
  std::vector<float> ones(kParameterCount, 1.0f);
  GainSetter setter(ones);
  block.buildUserInterface(&setter);
  block.init(96000);
  EXPECT_EQ(block.getSampleRate(), 96000);
  Buffers b(16, 5.0f);
  for (auto& c : b.in) std::fill(c.begin(), c.end(), 0.75f);
  block.compute(16, b.inPtr.data(), b.outPtr.data());
  for (auto& c : b.out)
    for (float s : c) ASSERT_EQ(s, 0.0f);

  block.buildUserInterface(&setter);
  std::unique_ptr<mydsp> copy(block.clone());
  EXPECT_EQ(copy->getSampleRate(), 0);
  DeclarationRecorder cells;
  copy->buildUserInterface(&cells);
  for (FAUSTFLOAT* cell : cells.zones) EXPECT_EQ(*cell, 0.0f);
}

TEST(Block, ZeroOrNegativeCountWritesNothing) {
  mydsp block;
  block.init(48000);
  Buffers b(8, 42.0f);
  block.compute(0, b.inPtr.data(), b.outPtr.data());
  block.compute(-5, b.inPtr.data(), b.outPtr.data());
  for (auto& c : b.out)
    for (float s : c) ASSERT_EQ(s, 42.0f);
}
