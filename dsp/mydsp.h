// The channel gain block: 63 channels, each multiplied by a gain that the
// board sets through 64 parameters "canal0" .. "canal63" in the "Canaux0" box.
#ifndef ZELQUOR_MYDSP_H
#define ZELQUOR_MYDSP_H

#include <faust/dsp/dsp.h>
#include <faust/gui/UI.h>
#include <faust/gui/meta.h>

constexpr int kChannelCount = 63;
constexpr int kParameterCount = 64;

// Channels 0..38 take their own pad; channel 39 takes pads 39 and 40
// together; channel k from 40 on takes pad k + 1.
constexpr int kSharingChannel = 39;
// The pad, or the first of the two pads, whose gain the channel takes.
constexpr int firstPadOf(int channel) { return channel <= kSharingChannel ? channel : channel + 1; }

// Pad numbers in the order their labels sort as byte strings; the engine
// numbers parameters in declaration order, so this fixes their indices.
inline constexpr int kDeclarationOrder[kParameterCount] = {
    0,  1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2, 20, 21, 22, 23, 24, 25, 26, 27, 28,
    29, 3, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 4, 40, 41, 42, 43, 44, 45, 46, 47, 48,
    49, 5, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 6, 60, 61, 62, 63, 7,  8,  9};

// "canal0" .. "canal63", indexed by pad number; static storage because
// user interfaces may keep the label pointers.
const char* parameterLabel(int number);

class mydsp : public dsp {
 private:
  FAUSTFLOAT fCanal[kParameterCount];  // gain cells, indexed by pad number
  int fSampleRate;

 public:
  mydsp();
  void metadata(Meta* m) override;
  int getNumInputs() override;
  int getNumOutputs() override;
  void buildUserInterface(UI* ui) override;
  int getSampleRate() override;
  static void classInit(int sampleRate);
  void init(int sampleRate) override;
  void instanceInit(int sampleRate) override;
  void instanceConstants(int sampleRate) override;
  void instanceResetUserInterface() override;
  void instanceClear() override;
  mydsp* clone() override;
  void compute(int count, FAUSTFLOAT** inputs, FAUSTFLOAT** outputs) override;
  using dsp::compute;
  virtual int getInputRate(int channel);
  virtual int getOutputRate(int channel);
};

#endif
