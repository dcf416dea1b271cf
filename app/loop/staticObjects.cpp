// The program's own static objects that need the display and the audio
// server: the window, then the engine facade, created in that order after
// the tokens and type sprites (constructed first, see boardModel.cpp) and
// after the engine library's own static state (a shared library, loaded
// and initialised before this program).
#include "displayCheck.h"
#include "endSignals.h"
#include "engineFacade.h"
#include "images.h"
#include "screenRoom.h"
#include "sessionClient.h"
#include "sfmlSeam.h"
#include "window.h"

namespace {

constexpr unsigned kBitsPerPixel = 32;

[[maybe_unused]] const bool endSignalsWatched = watchEndSignals();
[[maybe_unused]] const bool displayAvailable = requireDisplay();
// Chosen once: the window keeps its size when the screen changes later.
const windowChoice chosen = windowForScreen(keptDisplay());

// Asked after the window is shown: a window manager may have placed it
// partly off the screen or under a panel.
bool placeWindow(sf::Window& shown, const windowChoice& choice) {
  shown.setPosition({choice.x, choice.y});
  return true;
}

}  // namespace

// The context settings are the library's defaults, left to the constructor's
// own default argument: it sits at a different place in each generation.
sf::RenderWindow window(videoMode(chosen.width, chosen.height, kBitsPerPixel), "Zelquor", sf::Style::Close);
namespace {
[[maybe_unused]] const bool windowPlaced = placeWindow(window, chosen);
// The images decode while the facade connects to the audio server.
[[maybe_unused]] const bool imagesPrefetched = prefetchImages();
}  // namespace
// Under a session manager the JACK client opens only once the manager has
// sent its open (sessionClient.h); otherwise at once.
DspFaust* dspFaust = (awaitSessionOpen(), new DspFaust(false));
