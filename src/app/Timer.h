#pragma once
#include <SDL/SDL.h>

// Fires at most once per period and never catches up: a late check fires once and
// the next period counts from that check, so a slow frame or a stay in the menu
// never causes a burst of moves.
class cTimer {
  public:
    int period = 0;
    Uint32 deadline = 0; // 0: never set, never fires

    void setRate(int rate);
    bool check();
};

// The main loop's pacing timers. The car re-rates the two car timers itself
// (reset, NOS pick-ups), so they live here rather than inside the loop.
extern cTimer frameTimer;
extern cTimer walkerTimer;
extern cTimer carStraightTimer;
extern cTimer carDiagonalTimer;

// Straight rate v goes with diagonal rate trunc(v / 1.5) everywhere in the game.
void rateCarTimers(int straightRate);
