#pragma once
#include "graphics/Graphics.h"
#include "support/TestSupport.h"
#include <ostream>

// What a colour reads back as once it has been through the 16-bit back buffer.
inline Rgb throughBackBuffer(int r, int g, int b) {
    SDL_PixelFormat* f = graphics.backBuffer->format;
    Uint8 rr, gg, bb;
    SDL_GetRGB(SDL_MapRGB(f, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b)),
               f, &rr, &gg, &bb);
    return {rr, gg, bb};
}

static inline bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
static inline void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
