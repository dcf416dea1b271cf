// The keys: S, G and T choose the move mode, D takes tokens off the board in
// the current mode. The mouse wheel has no function.
#ifndef ZELQUOR_KEYBOARD_H
#define ZELQUOR_KEYBOARD_H

#include <SFML/Window/Event.hpp>

void onKeyPressed(sf::Event event);
void mouseWheel(sf::Event event);

#endif
