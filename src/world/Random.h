#pragma once
#include "world/Point.h"
#include <SDL/SDL.h>
#include <cstdlib>

// lo + rand() % (hi - lo): lo inclusive, hi exclusive. The only way the game draws.
// Inline, so that where the bounds are constants the remainder becomes a mask or a
// multiply: the handheld has no divide instruction, and the exit rings alone draw
// thousands of numbers a frame.
inline int randRange(int lo, int hi) {
    int drawn = std::rand();
    // rand() is never negative; told so, the compiler spares the remainder its sign
    // fix-ups.
    if (drawn < 0) __builtin_unreachable();
    return lo + drawn % (hi - lo);
}

// A placement point at least 60 pixels inside the map on every side.
Point randomMapPoint(int width, int height);

// Gathers random values and re-seeds rand() every 100..499 ms; the first call seeds.
void refreshRandomPool();

// The pool's state, visible so that tests can check its slot order.
constexpr int kRandomPoolSize = 1000;
extern int randomPool[kRandomPoolSize];
extern Uint32 poolLastRefresh;
extern Uint32 poolInterval;
