// What the harness's window fixture shows, shared with the tests that check it.
#ifndef ZELQUOR_HARNESS_HARNESS_WINDOW_FIXTURE_H
#define ZELQUOR_HARNESS_HARNESS_WINDOW_FIXTURE_H

#include <SFML/Graphics/Color.hpp>
#include "sceneLayout.h"

namespace harnessWindowFixture {

constexpr const char* kTitle = "Zelquor";
constexpr unsigned kWidth = kSceneWidth;
constexpr unsigned kHeight = kSceneHeight;
// Written once the first frame has been shown.
constexpr const char* kReadyLine = "ready";
constexpr unsigned kFramesPerSecond = 60;

const sf::Color kBackground(19, 37, 53);
const sf::Color kMarkerColour(230, 120, 20);
// The marker takes this colour from the frame after the key C is pressed.
const sf::Color kMarkerKeyedColour(40, 200, 90);
constexpr int kMarkerX = 200;
constexpr int kMarkerY = 300;
constexpr int kMarkerWidth = 100;
constexpr int kMarkerHeight = 50;

}  // namespace harnessWindowFixture

#endif
