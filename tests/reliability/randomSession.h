// Seeded random user actions over the whole window, as xdotool commands:
// pointer moves, presses and releases of the three buttons on the board,
// the buttons, the palette, the logo and anywhere else, the program's keys
// and others, and wheel turns.
#ifndef ZELQUOR_TESTS_RANDOM_SESSION_H
#define ZELQUOR_TESTS_RANDOM_SESSION_H

#include <random>
#include <string>
#include <vector>

#include "sceneLayout.h"

class RandomSession {
 public:
  RandomSession(unsigned seed, unsigned long windowId);

  struct Batch {
    std::vector<std::string> arguments;
    int events = 0;  // pointer moves, button presses and releases, key strokes, wheel notches
  };
  // The xdotool arguments for at least this many events (a press comes
  // with the move to its target).
  Batch nextEvents(int count);

 private:
  // A rectangle to aim at, edges included, as the layout's zones.
  using Area = zone;

  void addMove(Batch& batch, const Area& area);
  void addPress(Batch& batch);
  void addKey(Batch& batch);
  int pick(const std::vector<int>& weights);
  int between(int low, int high);
  const Area& pressTarget();

  std::mt19937 random_;
  std::string windowId_;
};

// The key that ends each batch: it does nothing but write its line.
extern const std::string kBatchEndKey;
extern const std::string kBatchEndLine;

#endif
