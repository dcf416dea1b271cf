#include "demoScript.h"

#include <array>

#include "boardFacts.h"
#include "sceneLayout.h"
#include "sessionPlayer.h"

namespace {

struct Point {
  int x;
  int y;
};

Point centreOf(int pad) { return {padCentreX(pad), padCentreY(pad)}; }
Point offCentre(int pad, int dx, int dy) {
  const Point c = centreOf(pad);
  return {c.x + dx, c.y + dy};
}

// Ten pixels into each palette band; the last one is cut short.
constexpr int kPaletteX = kPaletteZone.middleX();
constexpr int kPaletteFirstY = kPaletteTop + 10;
constexpr int kLastType = 7;
constexpr int kLastTypeY = kPaletteZone.bottom - 2;
Point paletteEntry(int type) {
  return {kPaletteX, type == kLastType ? kLastTypeY : kPaletteFirstY + kPaletteBand * type};
}

constexpr Point kMuteOne = {kMuteOneZone.middleX(), kMuteOneZone.middleY()};
constexpr Point kMuteGroup = {kMuteGroupZone.middleX(), kMuteGroupZone.middleY()};
constexpr Point kMuteAll = {kMuteAllZone.middleX(), kMuteAllZone.middleY()};

const std::array<std::string, 8> kTypeNames = {"circle", "square",  "triangle", "diamond",
                                               "star",   "hexagon", "cross",    "ring"};

constexpr int kGlideMoves = 12;
constexpr int kShortGlideMoves = 5;

void click(SessionPlayer& p, Point at) { p.clickAt(at.x, at.y); }

// Chooses the type in the palette, then presses and releases on the board.
ScriptedEvent place(int type, int pad, Point at, const std::string& where) {
  return {"place a " + kTypeNames[type] + " on pad " + std::to_string(pad) + ", " + where,
          [=](SessionPlayer& p) {
            click(p, paletteEntry(type));
            click(p, at);
          },
          "", ""};
}

// Presses on a token, glides the pointer, releases there.
void drag(SessionPlayer& p, Point from, Point to, int moves) {
  p.moveTo(from.x, from.y);
  p.press();
  p.glideTo(to.x, to.y, moves);
  p.release();
}

ScriptedEvent keyEvent(const std::string& label, const std::string& name, int code) {
  return {label, [=](SessionPlayer& p) { p.key(name, code); }, "", ""};
}

ScriptedEvent withPicture(ScriptedEvent event, const std::string& file, const std::string& caption) {
  event.screenshot = file;
  event.caption = caption;
  return event;
}

std::vector<ScriptedEvent> placing() {
  return {
      place(0, 9, centreOf(9), "at its centre"),
      place(0, 12, offCentre(12, 10, 0), "10 px from its centre"),
      place(1, 19, offCentre(19, 18, 24), "30 px from its centre"),
      place(1, 22, offCentre(22, 30, 40), "50 px from its centre"),
      place(2, 39, centreOf(39), "at its centre (channel 39 also needs pad 40)"),
      place(2, 40, centreOf(40), "at its centre (channel 39 = pad 39 x pad 40)"),
      place(3, 50, offCentre(50, 2, 0), "2 px from its centre"),
      withPicture(place(4, 62, offCentre(62, 36, 48), "60 px from its centre (beyond 58: lowest gain)"),
                  "board-1-placed.png", "8 tokens of 5 types placed at 0 to 60 px from pad centres"),
  };
}

std::vector<ScriptedEvent> moving() {
  return {
      {"drag the square on pad 22 alone, from 50 px to its centre",
       [](SessionPlayer& p) { drag(p, offCentre(22, 30, 40), centreOf(22), kGlideMoves); }, "", ""},
      keyEvent("key G: group mode", "g", kKeyG),
      withPicture({"drag the circles as a group: pads 9 and 12 to pads 10 and 13",
                   [](SessionPlayer& p) { drag(p, centreOf(9), offCentre(10, 12, 12), kGlideMoves); }, "", ""},
                  "board-2-group-dragged.png",
                  "the circles moved together one pad to the right. In group and all modes a token's gain follows "
                  "its top-left corner; the pads they left (9, 12) keep their last gains"),
      keyEvent("key T: all mode", "t", kKeyT),
      withPicture(
          {"drag all tokens 20 px up and left (pressing the diamond)",
           [](SessionPlayer& p) { drag(p, offCentre(50, 2, 0), offCentre(50, -18, -20), kShortGlideMoves); }, "", ""},
          "board-3-all-dragged.png",
          "every token moved 20 px up and left; each gain follows its token's top-left corner"),
      keyEvent("key S: single mode", "s", kKeyS),
  };
}

std::vector<ScriptedEvent> muting() {
  return {
      {"select the square on pad 22, then the mute one button",
       [](SessionPlayer& p) {
         click(p, centreOf(22));
         click(p, kMuteOne);
       },
       "", ""},
      {"select the circle on pad 10, then the mute group button",
       [](SessionPlayer& p) {
         click(p, centreOf(10));
         click(p, kMuteGroup);
       },
       "", ""},
      {"select the star on pad 62, then key D (single mode: that token)",
       [](SessionPlayer& p) {
         click(p, centreOf(62));
         p.key("d", kKeyD);
       },
       "", ""},
      withPicture({"select the triangle on pad 39, key G, then key D (its group)",
                   [](SessionPlayer& p) {
                     click(p, centreOf(39));
                     p.key("g", kKeyG);
                     p.key("d", kKeyD);
                   },
                   "", ""},
                  "board-4-muted.png",
                  "two tokens are left; pads 9 and 12, which the circles left in event 11, keep their last gains "
                  "until a mute all"),
      {"the mute all button", [](SessionPlayer& p) { click(p, kMuteAll); }, "", ""},
  };
}

std::vector<ScriptedEvent> placingAgain() {
  return {
      place(5, 27, centreOf(27), "at its centre"),
      place(6, 36, offCentre(36, 12, 16), "20 px from its centre"),
      {"key T, then key D (all mode: every token)",
       [](SessionPlayer& p) {
         p.key("t", kKeyT);
         p.key("d", kKeyD);
       },
       "", ""},
      keyEvent("key S: single mode", "s", kKeyS),
      place(7, 45, centreOf(45), "at its centre"),
      withPicture(place(4, 1, offCentre(1, 24, 32), "40 px from its centre"), "board-5-end.png",
                  "the end: a ring on pad 45 and a star on pad 1"),
  };
}

}  // namespace

std::vector<ScriptedEvent> demoScript() {
  std::vector<ScriptedEvent> script;
  for (const auto& part : {placing(), moving(), muting(), placingAgain()})
    script.insert(script.end(), part.begin(), part.end());
  return script;
}
