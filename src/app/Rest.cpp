#include "app/Rest.h"
#include "app/Clock.h"
#include "app/Loop.h"
#include "app/Timer.h"
#include "player/Player.h"
#include "screens/Menu.h"
#include "screens/Shop.h"

namespace {

// The menu only changes on input, so it only needs to look at the queue now and
// then; 10 ms is far below what a player can notice.
constexpr Uint32 kMenuNap = 10;
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

Uint32 restDeadline(Uint32 now) {
    if (menu.isActive()) return now + kMenuNap;
    // The frame timer always runs during a game, so this bound is never the answer.
    Uint32 due = now + 1000;
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
    if (menu.isActive() || shop.isOpen()) return kMenuNap;
    bool fast = carStraightTimer.period <= kFastPeriod || carDiagonalTimer.period <= kFastPeriod;
    return fast ? 1 : kMenuNap;
}

void restUntilDue() {
    Uint32 due = restDeadline(ticksNow());
    for (;;) {
        if (eventWaiting()) return;
        Uint32 now = ticksNow();
        if (now >= due) return;
        Uint32 nap = due - now;
        SDL_Delay(nap < longestNap() ? nap : longestNap());
    }
}
