// The program's one window.
#ifndef ZELQUOR_WINDOW_H
#define ZELQUOR_WINDOW_H

#include <SFML/Graphics/RenderWindow.hpp>

extern sf::RenderWindow window;

#endif
