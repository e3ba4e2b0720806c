#include "app/Rest.h"
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/Timer.h"
#include "player/Player.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "world/Random.h"
#include <algorithm>

namespace {

// The menu only changes on input: it rests until a key comes, looking at the queue
// every 10 ms (far below what a player notices), with a pass every 100 ms to keep the
// random pool fresh.
constexpr Uint32 kMenuRest = 100;
constexpr Uint32 kNap = 10;
// Car timers this fast (NOS with boosts: 2 and 3 ms) are rested for a millisecond at
// a time, because a wake that comes late by one would drop a step.
constexpr int kFastPeriod = 3;

void takeEarlier(Uint32& due, const cTimer& timer) {
    if (timer.deadline != 0 && timer.deadline < due) due = timer.deadline;
}

bool eventWaiting() {
    SDL_PumpEvents();
    SDL_Event event;
    return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
}

} // namespace

// The pool re-seeds from the clock: a refresh a tick late would draw other numbers
// than the busy loop's, so the rest ends on its tick as on any step's.
Uint32 restDeadline(Uint32 now) {
    Uint32 poolDue = poolLastRefresh + poolInterval;
    if (menu.isActive()) return std::min(now + kMenuRest, poolDue);
    // The frame timer always runs during a game, so this bound is never the answer.
    Uint32 due = std::min(now + 1000, poolDue);
    takeEarlier(due, frameTimer);
    takeEarlier(due, walkerTimer);
    if (!shop.isOpen()) {
        takeEarlier(due, carStraightTimer);
        takeEarlier(due, carDiagonalTimer);
    }
    if (player.isNosBurning() && nosStartTime + kNosBurnTime < due)
        due = nosStartTime + kNosBurnTime;
    if (!player.isNosReady() && nosCooldownStart + kNosRechargeTime < due)
        due = nosCooldownStart + kNosRechargeTime;
    return due;
}

Uint32 longestNap() {
    if (menu.isActive() || shop.isOpen()) return kNap;
    bool fast = carStraightTimer.period <= kFastPeriod || carDiagonalTimer.period <= kFastPeriod;
    return fast ? 1 : kNap;
}

// The pass before has just drained the queue, so the first look comes after a nap.
void restUntilDue() {
    Uint32 due = restDeadline(ticksNow());
    for (;;) {
        Uint32 now = ticksNow();
        if (now >= due) return;
        Uint32 nap = due - now;
        SDL_Delay(nap < longestNap() ? nap : longestNap());
        if (eventWaiting()) return;
    }
}
