"""Captions under the board screenshots: which moment each shows, and the
gain then heard on every channel that sounds."""

from PIL import Image, ImageDraw

import demoData
import plotTheme as theme

windowHeight = theme.windowSize[1]  # a picture taller than the window already has its caption
padding = 12
lineHeight = 20
titleSize = 16
textSize = 13


def wrap(draw, words, font, width):
    lines, line = [], ""
    for word in words:
        candidate = f"{line}   {word}" if line else word
        if draw.textlength(candidate, font=font) > width and line:
            lines.append(line)
            line = word
        else:
            line = candidate
    return lines + ([line] if line else [])


def captionLines(draw, event, gains, width):
    sounding = [f"{demoData.channelName(k)}: {demoData.gainText(g)}" for k, g in enumerate(gains) if g > 0.0]
    heard = "Heard: " + ("every channel silent" if not sounding else f"{len(sounding)} channels sound,")
    return wrap(draw, [heard] + sounding, theme.font(textSize), width)


def addCaption(path, event, gains):
    board = Image.open(path).convert("RGB")
    board = board.crop((0, 0, board.width, min(board.height, windowHeight)))
    probe = ImageDraw.Draw(board)
    textWidth = board.width - 2 * padding
    lines = captionLines(probe, event, gains, textWidth)
    height = padding * 2 + lineHeight * (2 + len(lines))
    picture = Image.new("RGB", (board.width, board.height + height), theme.panel)
    picture.paste(board, (0, 0))
    draw = ImageDraw.Draw(picture)
    y = board.height + padding
    draw.text((padding, y), f"After event {event.number}: {event.label}", font=theme.font(titleSize, bold=True),
              fill=theme.text)
    draw.text((padding, y + lineHeight + 2), event.caption, font=theme.font(textSize), fill=theme.dimText)
    for index, line in enumerate(lines):
        draw.text((padding, y + lineHeight * (2 + index) + 4), line, font=theme.font(textSize), fill=theme.text)
    picture.save(path, optimize=True)


def addCaptions(folder, events, levels):
    for event in events:
        if event.screenshot:
            addCaption(f"{folder}/{event.screenshot}", event, levels.gainsAt(event.end))
