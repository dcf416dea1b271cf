// The mouse: the palette, placing and taking hold of tokens, the move-mode
// and mute buttons, and the logo that opens the documentation page.
#ifndef ZELQUOR_POINTER_INPUT_H
#define ZELQUOR_POINTER_INPUT_H

#include <SFML/Window/Event.hpp>

void onClick(sf::Event event);
void onMouseUp(sf::Event event);
void onMouseMove(sf::Event event);

// The shell command that opens the documentation page in a browser.
extern const char* const kDocumentationCommand;

#endif
