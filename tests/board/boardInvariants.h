// The board model's invariants, checked after every event by the seeded
// property test and by the fuzz target: pads and tokens name each other,
// tokens off the board keep what they had, the interaction state stays in
// range, and channels hold 0 or a value of the gain law.
#ifndef ZELQUOR_TESTS_BOARD_INVARIANTS_H
#define ZELQUOR_TESTS_BOARD_INVARIANTS_H

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>
#include <string>

#include "boardEvent.h"
#include "boardModel.h"

// A rectangle of the window, edges included, as the layout's zones.
using area = zone;

struct tokenView {
  int active, type;
  float x, y;
  // The program gives no sprite an origin: the fuzz target marks each
  // type's sprite with one, to tell copies apart without textures.
  sf::Vector2f spriteOrigin;
  sf::Vector2f spritePosition;
  const sf::Texture* spriteTexture;
};

// What the checks carry from one event to the next.
struct boardHistory {
  tokenView tokens[kGenCount];
  bool everPlaced[kGenCount] = {};
  int genActif = kNone;
};

// A history of the board as it is now, nothing placed before.
boardHistory freshHistory();
// Takes the board as it is after an event into the history.
void remember(boardHistory& seen);

// Empty when the model's invariants hold after the event, else what broke;
// before is the history up to the event.
std::string boardProblem(const boardEvent& event, const boardHistory& before);

// Empty when every channel holds 0 (silenced) or a value of the gain law.
std::string gainProblem();

#endif
