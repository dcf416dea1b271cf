// What differs between the generations of the graphics library the program
// builds with, SFML 2.5 and 2.6 on one side and SFML 3 on the other: window
// events, made into the board's own, and the few calls whose form changed.
// sfmlSeam2.cpp and sfmlSeam3.cpp each hold one generation's side, and the
// build takes the one of the library it finds; the rest of the program is
// written in what both generations have in common.
#ifndef ZELQUOR_SFML_SEAM_H
#define ZELQUOR_SFML_SEAM_H

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/Window.hpp>
#include <cstdint>

#include "boardEvent.h"

// The library's event in the board's terms.
boardEvent translateEvent(const sf::Event& event);

// Takes the next waiting event of the window, translated; false once the
// queue is empty (or the window closed).
bool pollBoardEvent(sf::Window& window, boardEvent& event);

sf::VideoMode videoMode(unsigned width, unsigned height, unsigned bitsPerPixel);

// The window's X window id.
unsigned long nativeWindow(const sf::Window& window);

// Puts a window just made in the middle of the screen, where SFML 2 opens
// it and where SFML 3 no longer does on X (it opens it at the top-left
// corner). Returns true, so that a static object can hold it.
bool centreWindow(sf::Window& window);

// Gives the image the size and a copy of the 8-bit RGBA pixels.
void setImagePixels(sf::Image& image, unsigned width, unsigned height, const std::uint8_t* rgba);

// Makes the texture from the whole image; false on failure.
bool loadWholeTexture(sf::Texture& texture, const sf::Image& image);

#endif
