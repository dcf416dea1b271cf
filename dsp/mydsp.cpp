#include "mydsp.h"

namespace {

constexpr float kInitialGain = 0.0f;
constexpr float kMinGain = 0.0f;
constexpr float kMaxGain = 1.0f;
constexpr float kGainStep = 0.01f;

struct LabelTable {
  char text[kParameterCount][8];
};

constexpr LabelTable makeLabels() {
  LabelTable table{};
  for (int n = 0; n < kParameterCount; ++n) {
    const char prefix[] = "canal";
    int at = 0;
    for (; prefix[at] != '\0'; ++at) table.text[n][at] = prefix[at];
    if (n >= 10) table.text[n][at++] = static_cast<char>('0' + n / 10);
    table.text[n][at] = static_cast<char>('0' + n % 10);
  }
  return table;
}

constexpr LabelTable kLabels = makeLabels();

// Whole chunks of 32 frames first: a loop of constant length that the
// compiler vectorises and unrolls completely, as in the faust compiler's -vec
// code; a plain counted loop leaves one vector per iteration and a costly
// prologue and epilogue per channel. The same multiplications either way.
constexpr int kChunk = 32;

void scaleChannel(const FAUSTFLOAT* in, FAUSTFLOAT* out, int count, FAUSTFLOAT gain) {
  for (; count >= kChunk; count -= kChunk, in += kChunk, out += kChunk)
    for (int i = 0; i < kChunk; ++i) out[i] = in[i] * gain;
  for (int i = 0; i < count; ++i) out[i] = in[i] * gain;
}

// The loop is bound by its stores: where the processor has 256-bit vectors
// an AVX2 version runs instead (chosen once, when the library is loaded) and
// stores half as often. Each product is the same single multiplication.
// Not under the thread sanitizer: the version is chosen while the library is
// relocated, before that sanitizer's runtime can run the chooser's hooks.
#if defined(__SANITIZE_THREAD__)
#define ZELQUOR_WIDE_VECTORS
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZELQUOR_WIDE_VECTORS
#endif
#endif
#ifndef ZELQUOR_WIDE_VECTORS
#define ZELQUOR_WIDE_VECTORS [[gnu::target_clones("avx2", "default")]]
#endif

ZELQUOR_WIDE_VECTORS void scaleChannels(FAUSTFLOAT** inputs, FAUSTFLOAT** outputs, const FAUSTFLOAT* gains, int count) {
  for (int k = 0; k < kChannelCount; ++k) scaleChannel(inputs[k], outputs[k], count, gains[k]);
}

// One frame per frame on every channel; -1 says there is no such channel.
int channelRate(int channel) {
  return static_cast<unsigned>(channel) <= static_cast<unsigned>(kChannelCount - 1) ? 1 : -1;
}

}  // namespace

const char* parameterLabel(int number) { return kLabels.text[number]; }

mydsp::mydsp() : fCanal(), fSampleRate(0) {}

void mydsp::metadata(Meta* m) {
  m->declare("filename", "zelquors");
  m->declare("name", "zelquors");
}

int mydsp::getNumInputs() { return kChannelCount; }
int mydsp::getNumOutputs() { return kChannelCount; }

void mydsp::buildUserInterface(UI* ui) {
  ui->openHorizontalBox("Canaux0");
  for (int n : kDeclarationOrder)
    ui->addVerticalSlider(parameterLabel(n), &fCanal[n], kInitialGain, kMinGain, kMaxGain, kGainStep);
  ui->closeBox();
}

int mydsp::getSampleRate() { return fSampleRate; }

void mydsp::classInit(int) {}

void mydsp::init(int sampleRate) {
  classInit(sampleRate);
  instanceInit(sampleRate);
}

void mydsp::instanceInit(int sampleRate) {
  instanceConstants(sampleRate);
  instanceResetUserInterface();
  instanceClear();
}

void mydsp::instanceConstants(int sampleRate) { fSampleRate = sampleRate; }

void mydsp::instanceResetUserInterface() {
  for (FAUSTFLOAT& cell : fCanal) cell = kInitialGain;
}

void mydsp::instanceClear() {}

mydsp* mydsp::clone() { return new mydsp(); }

// Each output sample is one multiplication of its input sample, so running
// channel by channel gives the same bits as frame by frame while streaming
// through memory once per channel.
void mydsp::compute(int count, FAUSTFLOAT** inputs, FAUSTFLOAT** outputs) {
  FAUSTFLOAT gains[kChannelCount];
  for (int k = 0; k < kSharingChannel; ++k) gains[k] = fCanal[k];
  gains[kSharingChannel] = fCanal[kSharingChannel] * fCanal[kSharingChannel + 1];
  for (int k = kSharingChannel + 1; k < kChannelCount; ++k) gains[k] = fCanal[k + 1];
  scaleChannels(inputs, outputs, gains, count);
}

int mydsp::getInputRate(int channel) { return channelRate(channel); }
int mydsp::getOutputRate(int channel) { return channelRate(channel); }
