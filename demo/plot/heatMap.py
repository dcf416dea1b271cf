"""The plot of a demo run: the gain heard on each of the 63 channels over
time as a heat map, the scripted events marked on it and listed below."""

from PIL import Image, ImageDraw

import demoData
import plotTheme as theme
from plotTheme import windowLayout

width = 1600
margin = 24
labelWidth = 56          # channel labels left of the map
endWidth = 150           # gains at the end, right of the map
rowHeight = 12
plateauTolerance = 1e-4
labelledPlateau = 34     # pixels: plateaus at least this wide show their gain
tagHeight = 17
tagPadding = 4
tagRows = 2
tickSeconds = 5
colourBarWidth = 420
colourBarHeight = 14
legendLine = 18
legendColumns = 2
pictureLetters = "ABCDEFGHIJ"


class Layout:
    def __init__(self, eventCount, pictureCount):
        self.mapLeft = margin + labelWidth
        self.mapRight = width - margin - endWidth
        self.titleTop = margin
        self.tagsTop = self.titleTop + 62
        self.mapTop = self.tagsTop + tagRows * tagHeight + 4
        self.mapBottom = self.mapTop + demoData.channelCount * rowHeight
        self.axisTop = self.mapBottom + 4
        self.colourBarTop = self.axisTop + 58
        self.legendTop = self.colourBarTop + colourBarHeight + 40
        legendRows = -(-eventCount // legendColumns) + pictureCount + 2
        self.height = self.legendTop + legendRows * legendLine + margin

    def x(self, seconds, duration):
        return self.mapLeft + (self.mapRight - self.mapLeft) * seconds / max(duration, 1e-9)

    def rowTop(self, channel):
        return self.mapTop + channel * rowHeight


def drawTitle(draw, layout):
    draw.text((margin, layout.titleTop), "Zelquor headless demo: the gain heard on each of the 63 channels",
              font=theme.font(20, bold=True), fill=theme.text)
    draw.text((margin, layout.titleTop + 28),
              "The same tone went into every input; colour = output level / input level. "
              "Black = silent. Numbered lines = the events listed below.",
              font=theme.font(13), fill=theme.dimText)
    draw.text((margin, layout.titleTop + 45),
              "Channel k < 39 is pad k; channel 39 is pad 39 x pad 40; channel k > 39 is pad k + 1.",
              font=theme.font(13), fill=theme.dimText)


def columnGains(layout, levels):
    """The gains heard at the time of each pixel column of the map."""
    duration = levels.duration()
    span = layout.mapRight - layout.mapLeft
    return [levels.gainsAt(duration * column / span) for column in range(span)]


def drawMap(image, layout, gains):
    pixels = image.load()
    for column, columnGain in enumerate(gains):
        for channel, gain in enumerate(columnGain):
            colour = theme.gainColour(gain)
            top = layout.rowTop(channel)
            for y in range(top, top + rowHeight - 1):
                pixels[layout.mapLeft + column, y] = colour


def plateaus(gains, channel):
    """(first column, width, gain) of each stretch where the channel holds one gain."""
    start = 0
    for column in range(1, len(gains) + 1):
        if column == len(gains) or abs(gains[column][channel] - gains[start][channel]) > plateauTolerance:
            yield start, column - start, gains[start][channel]
            start = column


def drawGainValues(draw, layout, gains):
    valueFont = theme.font(9)
    for channel in range(demoData.channelCount):
        for first, span, gain in plateaus(gains, channel):
            if gain > 0.0 and span >= labelledPlateau:
                draw.text((layout.mapLeft + first + 3, layout.rowTop(channel) + (rowHeight - 1) / 2),
                          demoData.gainText(gain), font=valueFont, fill=theme.textOn(theme.gainColour(gain)),
                          anchor="lm")


def drawChannelLabels(draw, layout):
    small = theme.font(10)
    for channel in range(demoData.channelCount):
        label = f"ch {channel}"
        right = layout.mapLeft - 4
        draw.text((right, layout.rowTop(channel) + rowHeight / 2), label, font=small, fill=theme.dimText,
                  anchor="rm")


def drawEndGains(draw, layout, events, levels):
    if not events:
        return
    draw.text((layout.mapRight + 8, layout.mapTop - 4), "gain at the end", font=theme.font(11, bold=True),
              fill=theme.text, anchor="ld")
    gains = levels.gainsAt(events[-1].end)
    for channel, gain in enumerate(gains):
        if gain > 0.0:
            draw.text((layout.mapRight + 8, layout.rowTop(channel) + rowHeight / 2),
                      f"ch {channel}: {demoData.gainText(gain)}", font=theme.font(9), fill=theme.text,
                      anchor="lm")


def drawEventLines(image, layout, events, duration):
    overlay = Image.new("RGBA", image.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(overlay)
    for event in events:
        x = round(layout.x(event.start, duration))
        draw.line([(x, layout.tagsTop), (x, layout.mapBottom)], fill=theme.eventLine, width=1)
    image.alpha_composite(overlay)


def drawEventTags(draw, layout, events, duration):
    """Numbers above the map, on two rows when neighbours would overlap."""
    tagFont = theme.font(11, bold=True)
    rowEnds = [-1.0] * tagRows
    for event in events:
        x = layout.x(event.start, duration)
        label = str(event.number)
        textWidth = draw.textlength(label, font=tagFont) + 2 * tagPadding
        row = next((r for r in range(tagRows) if rowEnds[r] < x - 1), tagRows - 1)
        rowEnds[row] = x + textWidth
        top = layout.tagsTop + row * tagHeight
        draw.rectangle([x, top, x + textWidth, top + tagHeight - 3], fill=theme.panel, outline=theme.dimText)
        draw.text((x + tagPadding, top + 1), label, font=tagFont, fill=theme.text)


def drawTimeAxis(draw, layout, events, duration):
    small = theme.font(11)
    seconds = 0
    while seconds <= duration:
        x = layout.x(seconds, duration)
        draw.line([(x, layout.axisTop), (x, layout.axisTop + 5)], fill=theme.dimText)
        draw.text((x, layout.axisTop + 7), f"{seconds} s", font=small, fill=theme.dimText, anchor="mt")
        seconds += tickSeconds
    letters = iter(pictureLetters)
    for event in events:
        if event.screenshot:
            x = layout.x(event.end, duration)
            letter = next(letters)
            draw.polygon([(x, layout.axisTop + 24), (x - 6, layout.axisTop + 34), (x + 6, layout.axisTop + 34)],
                         fill=theme.pictureMark)
            draw.text((x, layout.axisTop + 36), letter, font=theme.font(11, bold=True), fill=theme.pictureMark,
                      anchor="mt")
    draw.text((margin, layout.axisTop + 7), "time", font=small, fill=theme.dimText)
    draw.text((margin, layout.axisTop + 25), "pictures", font=small, fill=theme.pictureMark)


def drawColourBar(draw, layout):
    top = layout.colourBarTop
    draw.text((margin, top + colourBarHeight / 2), "gain", font=theme.font(12, bold=True), fill=theme.text,
              anchor="lm")
    left = layout.mapLeft + 40
    for i in range(colourBarWidth):
        gain = theme.highestGain * i / (colourBarWidth - 1)
        draw.line([(left + i, top), (left + i, top + colourBarHeight)], fill=theme.gainColour(gain))
    draw.rectangle([left - 34, top, left - 8, top + colourBarHeight], fill=theme.silence, outline=theme.dimText)
    draw.text((left - 21, top + colourBarHeight + 6), "0", font=theme.font(11), fill=theme.dimText, anchor="mt")
    for gain in (0.25, 0.5, 0.75, 1.0):
        x = left + (colourBarWidth - 1) * gain / theme.highestGain
        draw.line([(x, top + colourBarHeight), (x, top + colourBarHeight + 4)], fill=theme.dimText)
        draw.text((x, top + colourBarHeight + 6), f"{gain:g}", font=theme.font(11), fill=theme.dimText, anchor="mt")
    draw.text((left + colourBarWidth + 16, top + colourBarHeight / 2),
              f"black: silent (gain 0).  The lowest gain a token gives is {windowLayout.lowestGain:g}, "
              f"its highest {windowLayout.highestGain:g}.",
              font=theme.font(12), fill=theme.dimText, anchor="lm")


def drawLegend(draw, layout, events):
    legendFont = theme.font(12)
    perColumn = -(-len(events) // legendColumns)
    columnWidth = (width - 2 * margin) // legendColumns
    draw.text((margin, layout.legendTop - legendLine - 4), "Events", font=theme.font(13, bold=True),
              fill=theme.text)
    for index, event in enumerate(events):
        column, row = divmod(index, perColumn)
        x = margin + column * columnWidth
        y = layout.legendTop + row * legendLine
        draw.text((x, y), f"{event.number:>2}", font=theme.font(12, bold=True), fill=theme.text)
        draw.text((x + 26, y), event.label, font=legendFont, fill=theme.text)
    y = layout.legendTop + (perColumn + 1) * legendLine
    letters = iter(pictureLetters)
    for event in events:
        if event.screenshot:
            draw.text((margin, y), f"{next(letters)}  {event.screenshot}: {event.caption}", font=legendFont,
                      fill=theme.pictureMark)
            y += legendLine


def drawHeatMap(events, levels, path):
    pictureCount = sum(1 for event in events if event.screenshot)
    layout = Layout(len(events), pictureCount)
    image = Image.new("RGBA", (width, layout.height), theme.background + (255,))
    gains = columnGains(layout, levels)
    drawMap(image, layout, gains)
    drawEventLines(image, layout, events, levels.duration())
    draw = ImageDraw.Draw(image)
    drawTitle(draw, layout)
    drawChannelLabels(draw, layout)
    drawGainValues(draw, layout, gains)
    drawEndGains(draw, layout, events, levels)
    drawEventTags(draw, layout, events, levels.duration())
    drawTimeAxis(draw, layout, events, levels.duration())
    drawColourBar(draw, layout)
    drawLegend(draw, layout, events)
    image.convert("RGB").save(path, optimize=True)
