#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

// Renders one line of Latin-1 text, keys its background out and blits it at (x, y);
// nothing is kept. Empty or missing text draws nothing.
void blitText(SDL_Surface* target, TTF_Font* font, const char* text, SDL_Color foreground,
              SDL_Color background, int x, int y);
