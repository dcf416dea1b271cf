// The board model: geometry, pads, tokens, token types and the interaction
// state, shared by every handler of the board application.
#ifndef ZELQUOR_BOARD_MODEL_H
#define ZELQUOR_BOARD_MODEL_H

#include "boardSprite.h"
#include "sceneLayout.h"

constexpr int kNone = 255;  // "no token", "no pad", "nothing selected"
constexpr int kPadCount = 64;
constexpr int kGenCount = 64;
constexpr int kTypeCount = 8;

struct boardGeometry {
  int x;
  int y;
  float width;
  float height;
  float padWidth;
  float padHeight;
};

struct pad {
  int x;
  int y;
  int genIndex;
};

// One sound generator that the user puts on a pad.
class gen {
 public:
  int active;
  int type;
  int padIndex;
  boardSprite sprite;
  float x;
  float y;
  gen();
};

extern boardGeometry damier;
extern pad tabPad[kPadCount];
extern gen tabgen[kGenCount];
extern boardSprite genSprite[kTypeCount];

extern int genType;
extern int genActif;
extern int dragged;
extern int mvType;
extern int mdraggedX[kGenCount];
extern int mdraggedY[kGenCount];

// Move modes held in mvType.
constexpr int kMoveSingle = 0;
constexpr int kMoveGroup = 1;
constexpr int kMoveAll = 2;

// Gives damier and tabPad their values and frees every token.
void setUpBoard();

// The first pad, in index order, whose hit rectangle holds the point; kNone if none.
int findPadWH(int x, int y);

// The two steps through which every change of a token's pad goes, so that
// pads and tokens keep naming each other.
void releasePad(int g);
void seatGen(int g, int q);

// Takes token g off the board, by a mute, the delete key or a drag that
// pushes it off: it is no longer drawn, its pad is released, and it is free
// to be placed again.
void takeOff(int g);

// Every change of a token's corner goes through here: its sprite, drawn at
// the corner, goes with it.
void setCorner(gen& token, float x, float y);

#endif
