#include "world/Random.h"
#include "app/Clock.h"
#include <cstdlib>

int randomPool[kRandomPoolSize];
Uint32 poolLastRefresh;
Uint32 poolInterval;

// With 2^(shift-1) < span <= 2^shift, the reciprocal is 2^(31+shift) / span rounded up:
// it fits 32 bits, and it is over by less than 2^shift / span, too little to move the
// quotient of any value below 2^31.
RandomSpan::RandomSpan(int lowest, int highest)
    : lo(lowest), span(static_cast<Uint32>(highest - lowest)), shift(0) {
    while ((Uint64{1} << shift) < span)
        ++shift;
    Uint64 scaled = Uint64{1} << (31 + shift);
    reciprocal = static_cast<Uint32>((scaled + span - 1) / span);
}

namespace {

// Fills from the top down; once only slot 0 is empty (or none), any slot is fair game.
int chooseSlot() {
    int lastEmpty = -1;
    for (int i = 0; i < kRandomPoolSize; ++i)
        if (randomPool[i] == 0) lastEmpty = i;
    if (lastEmpty <= 0) return std::rand() % kRandomPoolSize;
    return lastEmpty;
}

// Gives up after 100 ms of empty slots and seeds from rand() itself.
void seedFromPool() {
    Uint32 start = ticksNow();
    for (;;) {
        int value = randomPool[std::rand() % kRandomPoolSize];
        if (ticksNow() >= start + 100) {
            std::srand(std::rand());
            return;
        }
        if (value != 0) {
            std::srand(value);
            return;
        }
    }
}

void reseed() {
    int choice = std::rand() % 300;
    if (choice <= 100)
        std::srand(static_cast<unsigned>(wallClockNow()));
    else if (choice <= 200)
        std::srand(ticksNow());
    else
        seedFromPool();
}

} // namespace

void refreshRandomPool() {
    if (ticksNow() < poolLastRefresh + poolInterval) return;
    int slot = chooseSlot();
    randomPool[slot] = std::rand();
    reseed();
    poolInterval = 100 + std::rand() % 400;
    poolLastRefresh = ticksNow();
}
