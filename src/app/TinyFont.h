#pragma once
#include <SDL/SDL.h>
#include <string>

// A font built into the program, for the one moment the game's own fonts may be
// missing: telling the player that they are. Printable ASCII only; anything else
// shows as '?'.
namespace tinyFont {

constexpr int kAdvance = 6;    // pixels from one character to the next
constexpr int kLineHeight = 9; // pixels from one line to the next

int width(const std::string& text);
void draw(SDL_Surface* surface, int x, int y, const std::string& text, Uint32 colour);

} // namespace tinyFont
