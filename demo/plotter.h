// Draws the pictures of a demo run from its files: the plot of the levels
// and the captions under the board screenshots.
#ifndef ZELQUOR_DEMO_PLOTTER_H
#define ZELQUOR_DEMO_PLOTTER_H

#include <string>

// Runs the drawing script on the folder; throws with its messages on failure.
void drawPictures(const std::string& folder);

#endif
