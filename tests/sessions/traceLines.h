// The lines that the program writes for each user action, and the gains that
// it hands to the engine, worked out independently of the program: the pad
// corners come from the board's table and the gain law is recomputed here.
#ifndef ZELQUOR_TESTS_TRACE_LINES_H
#define ZELQUOR_TESTS_TRACE_LINES_H

#include <string>
#include <vector>

#include "boardFacts.h"

using Lines = std::vector<std::string>;

Lines operator+(Lines first, const Lines& second);
Lines operator+(Lines first, const std::string& line);

// A left press writes these three lines before anything else.
Lines presses(int x, int y);
// Every pointer move writes these two, inside the board or not.
Lines moves(int x, int y);
// "Bouton relâché", written for every release.
std::string released();
std::string endDrag();

// "pad=N", written when a press lands on an empty pad.
std::string padLine(int pad);
// The gain law's line for the point (x, y) on the given pad: the pad is named
// by the test, the distance and the gain are computed from the pad's centre.
std::string gainLine(int pad, int x, int y);
// The gain that the law hands to the engine for that point.
float gainAt(int pad, int x, int y);

std::string messageLine(int pad);
// The palette's line for band q: "cy=" q "bouton = " q.
std::string paletteLine(int band);

constexpr int kKeyLeftShift = 38;
// The address number that muteGen builds for a token off the board.
constexpr int kNoPad = 255;

#endif
