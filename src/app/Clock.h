#pragma once
#include <SDL/SDL.h>
#include <ctime>

// Every reading of time in the game goes through these two calls, so that a test
// can replace the media layer's tick counter and the wall clock with a fake one.
using TickSource = Uint32 (*)();
using WallClockSource = time_t (*)();

Uint32 ticksNow();
time_t wallClockNow();

// Passing nullptr restores the real source (SDL_GetTicks, time).
void setTickSource(TickSource source);
void setWallClockSource(WallClockSource source);
