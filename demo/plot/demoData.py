"""What a demo run wrote: its events, its recorded levels, read back."""

import csv
import math
import os

toneRms = 0.5 / math.sqrt(2.0)   # the demo's tone: a sine of amplitude 0.5
channelCount = 63


class Event:
    def __init__(self, row):
        self.number = int(row["number"])
        self.start = float(row["start_s"])
        self.end = float(row["end_s"])
        self.screenshot = row["screenshot"]
        self.label = row["label"]
        self.caption = row["caption"]


class Levels:
    """Output RMS of every channel over time, and the gains they mean."""

    def __init__(self, times, rows):
        self.times = times
        self.rows = rows

    def duration(self):
        return self.times[-1] if self.times else 0.0

    def rowIndexAt(self, seconds):
        for index, time in enumerate(self.times):
            if time >= seconds - 0.0005:
                return index
        return len(self.times) - 1

    def gainsAt(self, seconds):
        return [level / toneRms for level in self.rows[self.rowIndexAt(seconds)]]


def readEvents(folder):
    with open(os.path.join(folder, "events.csv"), newline="", encoding="utf-8") as file:
        return [Event(row) for row in csv.DictReader(file)]


def readLevels(folder):
    times, rows = [], []
    with open(os.path.join(folder, "levels.csv"), newline="") as file:
        reader = csv.reader(file)
        next(reader)
        for row in reader:
            times.append(float(row[0]))
            rows.append([float(value) for value in row[1:]])
    return Levels(times, rows)


def padsOfChannel(channel):
    """Channel k < 39 is pad k, channel 39 is pads 39 and 40, k > 39 is pad k + 1."""
    if channel < 39:
        return [channel]
    if channel == 39:
        return [39, 40]
    return [channel + 1]


def channelName(channel):
    pads = " x ".join(str(pad) for pad in padsOfChannel(channel))
    return f"ch {channel} (pad {pads})"


def gainText(gain):
    return f"{gain:.3f}"
