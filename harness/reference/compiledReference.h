// The faust compiler's own code for the channel gain block: scalar and
// vectorised, as classes faustScalar and faustVec.
#ifndef ZELQUOR_HARNESS_COMPILED_REFERENCE_H
#define ZELQUOR_HARNESS_COMPILED_REFERENCE_H

#include <faust/dsp/dsp.h>
#include <faust/gui/UI.h>
#include <faust/gui/meta.h>

#include "faustScalar.h"
#include "faustVec.h"

#endif
