#pragma once
#include <SDL/SDL.h>

class cPlayer;

// One pixel of any surface, clipped to the 320x240 screen and to the surface.
Uint32 getPixel(SDL_Surface* surface, int x, int y);
void putPixel(SDL_Surface* surface, int x, int y, Uint32 value);

// One dark-red stain on each of the car's eight heading images, for one kill.
void paintBlood(cPlayer& car);
