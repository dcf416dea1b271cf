// The program's own static objects that need the display and the audio
// server: the window, then the engine facade, created in that order after
// the tokens and type sprites (constructed first, see boardModel.cpp) and
// after the engine library's own static state (a shared library, loaded
// and initialised before this program).
#include "displayCheck.h"
#include "engineFacade.h"
#include "images.h"
#include "sfmlSeam.h"
#include "window.h"

namespace {

constexpr unsigned kWindowWidth = 1094;
constexpr unsigned kWindowHeight = 970;
constexpr unsigned kBitsPerPixel = 32;

[[maybe_unused]] const bool displayAvailable = requireDisplay();

}  // namespace

// The context settings are the library's defaults, left to the constructor's
// own default argument: it sits at a different place in each generation.
sf::RenderWindow window(videoMode(kWindowWidth, kWindowHeight, kBitsPerPixel), "Zelquor", sf::Style::Close);
namespace {
[[maybe_unused]] const bool windowCentred = centreWindow(window);
// The images decode while the facade connects to the audio server.
[[maybe_unused]] const bool imagesPrefetched = prefetchImages();
}  // namespace
DspFaust* dspFaust = new DspFaust(false);
