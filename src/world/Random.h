#pragma once
#include "world/Point.h"
#include <SDL/SDL.h>

// lo + rand() % (hi - lo): lo inclusive, hi exclusive. The only way the game draws.
int randRange(int lo, int hi);

// A placement point at least 60 pixels inside the map on every side.
Point randomMapPoint(int width, int height);

// Gathers random values and re-seeds rand() every 100..499 ms; the first call seeds.
void refreshRandomPool();

// The pool's state, visible so that tests can check its slot order.
constexpr int kRandomPoolSize = 1000;
extern int randomPool[kRandomPoolSize];
extern Uint32 poolLastRefresh;
extern Uint32 poolInterval;
