// What the system bench measures on one running subject.
#ifndef ZELQUOR_BENCH_SYSTEM_MEASURES_H
#define ZELQUOR_BENCH_SYSTEM_MEASURES_H

#include <jack/jack.h>

#include "benchSubject.h"

struct FrameTimes {
  double medianMs = 0;  // median frame interval, median over the windows
  double meanMs = 0;    // window length over frames, median over the windows
  double cpuMs = 0;     // process CPU time per frame, median over the windows
};

// The preloaded frame counter's entries for a subject's environment.
std::vector<std::string> frameCounterEnvironment();

// Skips the window under way and the next one (a warm-up), then reads the
// frame counter's next windows.
FrameTimes measureFrames(SubjectRun& run, int windows);
// The frame counter's windows written so far, and the figures of those
// written after the first given one (zeros when there are none).
std::size_t frameWindowsSoFar(const SubjectRun& run);
FrameTimes framesSince(const SubjectRun& run, std::size_t firstWindow);

// Places a token on each of the 64 pads (or on the first count pads)
// through the window, as a user does: the row's type in the palette, then a
// click at each pad's centre; checks the program's trace for the placements.
void placeTokensOnEveryPad(SubjectRun& run, int count = 64);

// A subject left alone for the given time: its main thread's and its whole
// process's CPU time in percent of a core, and its main thread's wake-ups
// (voluntary context switches) a second.
struct IdleFigures {
  double threadPercent = 0;
  double processPercent = 0;
  double wakeUpsPerSecond = 0;
};
IdleFigures measureIdle(const SubjectRun& run, double seconds);

// The server's DSP load in percent, averaged over samples taken every
// 100 ms for the given time, after a second of warm-up.
double averageDspLoad(jack_client_t* client, double seconds);

#endif
