// A plain white PNG of any size, written row by row so that even a picture
// far larger than memory takes only a moment and a small file.
#ifndef ZELQUOR_TESTS_BLANK_PNG_H
#define ZELQUOR_TESTS_BLANK_PNG_H

#include <string>

// Writes an 8-bit grey PNG (what an image tool makes of a blank white
// canvas); throws when the file cannot be written.
void writeBlankPng(const std::string& path, unsigned width, unsigned height);

#endif
