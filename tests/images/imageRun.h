// Runs of the program on a copy of its images with one file damaged or
// replaced, and how such a run must end.
#ifndef ZELQUOR_TESTS_IMAGE_RUN_H
#define ZELQUOR_TESTS_IMAGE_RUN_H

#include <string>

#include "appProcess.h"
#include "imagesCopy.h"
#include "xServer.h"

// Reasons that the report gives.
const std::string kUnableToOpen = "Unable to open file";
const std::string kNotPng = "Not a PNG file";
const std::string kTooLarge = "larger than the 4096x4096 accepted";

// Beyond the largest texture of any GL implementation at hand (16384 for
// the software renderer under Xvfb): 1.6 GB of pixels once decoded.
constexpr unsigned kHugeBlankSide = 20000;

// Blank PNGs in a scratch folder, each written once.
class BlankPictures {
 public:
  std::string of(unsigned side);

 private:
  ImagesCopy scratch_{ImagesCopy::empty};
};

// What the program may hold at most in memory while it loads images, the
// largest accepted ones included (more under the sanitizers).
unsigned long long memoryBoundBytes();

// A run in the copy's folder on the private X server and no JACK server,
// under an address-space limit, so that a decoder that asks for memory by
// the gigabyte ends the run in a crash rather than in the report. A
// sanitized program reserves terabytes of shadow memory and runs without it.
AppOptions runOnImages(const ImagesCopy& copy, const XServer& x);

// Status 1 without a signal and within a time bound, before the engine
// starts, with exactly one report on standard error, in the graphics
// library's form, for that file; its reason holds reasonPart.
void expectRefused(AppProcess& app, const std::string& file, const std::string& reasonPart);

// The largest resident size of any program that the test has run and
// waited for stays within the bound.
void expectWithinMemoryBound();

#endif
