#pragma once
#include <SDL/SDL.h>

// Between passes the loop rests until the next game step is due or an event waits,
// instead of spinning a core. Every step still runs on the tick it is due: the rest
// ends at the earliest deadline of the timers the next pass would test.

// The tick at which the next pass has something to do, seen from `now`: the earliest
// due timer of the game (frame, walker, the car's two unless the shop is open, NOS
// ending and recharging); in the menu, which waits for input, 100 ms ahead. The random
// pool's next refresh bounds both.
Uint32 restDeadline(Uint32 now);

// How long one nap may be: a millisecond while the car's timers tick every few
// milliseconds, where a late wake would cost a step, and longer otherwise.
Uint32 longestNap();

// Sleeps in naps until restDeadline() has come or an event is waiting.
void restUntilDue();
