#include "app/Timer.h"
#include "app/Clock.h"

cTimer frameTimer;
cTimer walkerTimer;
cTimer carStraightTimer;
cTimer carDiagonalTimer;

void cTimer::setRate(int rate) {
    period = 1000 / rate;
    deadline = ticksNow() + period;
}

bool cTimer::check() {
    if (deadline == 0) return false;
    if (ticksNow() < deadline) return false;
    deadline = ticksNow() + period;
    return true;
}

void rateCarTimers(int straightRate) {
    carStraightTimer.setRate(straightRate);
    carDiagonalTimer.setRate(straightRate * 2 / 3); // trunc(v / 1.5) in whole numbers
}
