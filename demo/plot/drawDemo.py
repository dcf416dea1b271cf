"""Draws the pictures of a demo run from the files in its folder: the plot
of the levels (levels.png) and the captions under the board screenshots.
Usage: drawDemo.py FOLDER"""

import os
import sys

import boardCaptions
import demoData
import heatMap


def main(arguments):
    if len(arguments) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    folder = arguments[0]
    events = demoData.readEvents(folder)
    levels = demoData.readLevels(folder)
    heatMap.drawHeatMap(events, levels, os.path.join(folder, "levels.png"))
    boardCaptions.addCaptions(folder, events, levels)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
