#include "compiledBlocks.h"

#include "compiledReference.h"

dsp* newFaustScalar() { return new faustScalar(); }
dsp* newFaustVec() { return new faustVec(); }
