// The faust compiler's code for the channel gain block, built in a
// translation unit of its own (as mydsp is in the block library) and handed
// out behind the dsp interface.
#ifndef ZELQUOR_BENCH_COMPILED_BLOCKS_H
#define ZELQUOR_BENCH_COMPILED_BLOCKS_H

#include <faust/dsp/dsp.h>

dsp* newFaustScalar();
dsp* newFaustVec();

#endif
