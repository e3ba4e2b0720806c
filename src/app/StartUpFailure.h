#pragma once
#include <string>

// Whether SDL's video runs on a driver that shows a window (not the windowless
// dummy, offscreen or evdev drivers).
bool videoShowsWindow();

// With no display SDL quietly falls back to a windowless driver, and the game would
// run unseen, for ever. Unless the player asked for such a driver through
// SDL_VIDEODRIVER, this says so and ends the program with status 1. Call it right
// after SDL_Init.
void requireDisplay();

// Ends start-up with `message`: always on stderr, and, when a window can exist, also
// in one (the game's own if it is open) until a key, a button or 10 s. A player who
// started the game from a launcher has no terminal to read. Exits with `status`.
[[noreturn]] void failStartUp(const std::string& message, int status);
