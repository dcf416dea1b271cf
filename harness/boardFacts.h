// What the program's trace and window rest on, written down here once for
// everything that drives or reads the program from outside: the pad table,
// the key codes, the parameter addresses, the channel each pad's gain
// reaches, and the lines that tell the engine runs. Kept apart from the
// program's own code on purpose: a wrong table in the program must fail a
// test, not be copied into it. The pad corners restate the program's
// (sceneLayout.h) for that reason; the scene's size and its zones are taken
// from there.
#ifndef ZELQUOR_HARNESS_BOARD_FACTS_H
#define ZELQUOR_HARNESS_BOARD_FACTS_H

#include <string>
#include <vector>

// Pads: eight columns by eight rows, numbered row by row from the top left;
// corners step by 116 or 118 pixels, as drawn.
constexpr int kBoardColumns = 8;
constexpr int kPadTotal = 64;
constexpr int kPadColumnX[kBoardColumns] = {8, 126, 242, 358, 476, 592, 708, 826};
constexpr int kPadRowY[kBoardColumns] = {14, 132, 250, 368, 486, 602, 718, 836};
// A pad's centre lies this far right of and below its corner.
constexpr int kPadCentreOffset = 59;

constexpr int padCornerX(int pad) { return kPadColumnX[pad % kBoardColumns]; }
constexpr int padCornerY(int pad) { return kPadRowY[pad / kBoardColumns]; }
constexpr int padCentreX(int pad) { return padCornerX(pad) + kPadCentreOffset; }
constexpr int padCentreY(int pad) { return padCornerY(pad) + kPadCentreOffset; }

// A token's corner lands this far left of and above the press that places
// or drags it (its image's grab point).
constexpr int kTokenGrabOffset = 12;

// The gain law: the distance from a point to a pad's centre (float offsets,
// a double root), 0 within the dead zone, capped, and the gain it gives,
// from 1.003 at the centre to 0.017 at the cap.
constexpr float kLawDeadZone = 2.0f;
constexpr float kLawCap = 58.0f;
float lawDistance(int pad, int x, int y);
float lawGain(float distance);

// Key codes count the letters from A = 0.
constexpr int kKeyD = 3;
constexpr int kKeyG = 6;
constexpr int kKeyS = 18;
constexpr int kKeyT = 19;

// Trace lines of the pointer and the buttons.
const std::string kLeftPressLine = "the left button was pressed";
const std::string kMouseXPrefix = "mouse x: ";
const std::string kMouseYPrefix = "mouse y: ";
const std::string kReleaseLine = "Bouton relâché";
const std::string kEndDragLine = "end drag";
const std::string kMoveOneLine = "bouton: Déplacer ";
const std::string kMoveGroupLine = "bouton: Déplacer groupe";
const std::string kMoveAllLine = "bouton: Tout déplacer ";
const std::string kMuteOneLine = "bouton: mute ";
const std::string kMuteGroupLine = "bouton: mute groupe ";
const std::string kMuteAllLine = "bouton: tout muter";

// The line a key press writes: "key:" code " c".
std::string keyLine(int code);

// Move modes, as the mode buttons and keys set them.
constexpr int kSingleMode = 0;
constexpr int kGroupMode = 1;
constexpr int kAllMode = 2;

// Pad n's gain parameter is this prefix followed by n.
const std::string kPadAddressPrefix = "/Canaux0/canal";
// A single mute's line: this prefix and the pad number.
const std::string kMessagePrefix = "message=" + kPadAddressPrefix;

// The program has 63 channels for 64 pads: channel k < 39 carries pad k,
// channel 39 the product of pads 39 and 40, channel k > 39 pad k + 1.
constexpr int kChannelTotal = 63;
constexpr int kSharedChannel = 39;
std::vector<int> padsOfChannel(int channel);
// The channel that carries pad n's gain.
int channelOfPad(int pad);
// How patchbays show the port of a channel, DIRECTION "in" or "out":
// "Pad 9 in", "Pads 39 and 40 out".
std::string padsPortName(int channel, const std::string& direction);

// The program's JACK client and window.
const std::string kProgramClientName = "zelquors";
const std::string kProgramWindowTitle = "Zelquor";

// Written once the engine has started (1) or failed to (0), and at the end.
const std::string kRunningPrefix = "Faust is Running =";
const std::string kRunningLine = kRunningPrefix + "1";
const std::string kStoppedLine = kRunningPrefix + "0";

#endif
