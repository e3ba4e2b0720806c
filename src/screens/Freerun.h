#pragma once
#include <SDL/SDL.h>

// The freerun page's settings: edited by the menu, read when a freerun map is built.
// Counts never go below 0 and have no upper limit.
extern int freerunCats;
extern int freerunMen;
extern int freerunPink;
extern int freerunDeadCars;
extern int freerunShops;
extern int freerunNosBoosts;
extern int freerunChests;
extern int freerunWidth;   // at least 320
extern int freerunHeight;  // at least 224
extern int freerunTerrain; // 0 grass, 1 desert, 2 water, more: no terrain

// Which of the page's eleven lines is drawn highlighted (index 1..11).
extern Uint8 lineHighlight[12];
