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

// randRange(lo, hi) for bounds known only at run time (hi > lo), drawn many times: the
// remainder comes from a multiply by the span's reciprocal, worked out once, instead
// of a division in software for every draw on the handheld. Exact for every value
// rand() can give, so it draws what randRange would.
class RandomSpan {
  public:
    RandomSpan(int lo, int hi);
    int draw() const { return at(std::rand()); }
    // lo + drawn % (hi - lo) for a drawn value 0..RAND_MAX.
    int at(int drawn) const {
        // drawn < 2^31, so its double still fits 32 bits: the multiply's high word,
        // shifted, is drawn * reciprocal / 2^(31 + shift).
        Uint32 n = static_cast<Uint32>(drawn);
        Uint32 quotient =
            static_cast<Uint32>((static_cast<Uint64>(n * 2) * reciprocal) >> 32) >> shift;
        return lo + static_cast<int>(n - quotient * span);
    }

  private:
    int lo;
    Uint32 span;
    Uint32 reciprocal;
    int shift;
};

// Placement points at least 60 pixels inside a map of this size on every side.
class MapPoints {
  public:
    MapPoints(int width, int height) : x(60, width - 60), y(60, height - 60) {}
    Point draw() const { return {x.draw(), y.draw()}; } // a braced list draws x first

  private:
    RandomSpan x, y;
};

// Gathers random values and re-seeds rand() every 100..499 ms; the first call seeds.
void refreshRandomPool();

// The pool's state, visible so that tests can check its slot order.
constexpr int kRandomPoolSize = 1000;
extern int randomPool[kRandomPoolSize];
extern Uint32 poolLastRefresh;
extern Uint32 poolInterval;
