#include "graphics/Pixels.h"
#include <gtest/gtest.h>

namespace {

// Every 16-bit value once: the tints must give exactly what reading the colour, changing
// it and writing it back gives.
TEST(Tints, EveryStoredValueAsTheColourConversionsGive) {
    SDL_Surface* all = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 16, 0xF800, 0x07E0, 0x001F, 0);
    SDL_PixelFormat* f = all->format;
    const struct {
        const char* name;
        void (*tint)(SDL_Surface*, const SDL_Rect&);
        bool keepsRedAndBlue;
    } tints[] = {{"game over", tintGameOver, false}, {"menu highlight", tintMenuHighlight, true}};
    for (const auto& tint : tints) {
        SCOPED_TRACE(tint.name);
        auto* pixels = static_cast<Uint16*>(all->pixels);
        for (Uint32 p = 0; p <= 0xFFFF; ++p)
            pixels[p] = static_cast<Uint16>(p);
        tint.tint(all, {0, 0, 256, 256});
        for (Uint32 p = 0; p <= 0xFFFF; ++p) {
            Uint8 r, g, b;
            SDL_GetRGB(p, f, &r, &g, &b);
            Uint32 expected = p;
            if (r > 50 || g > 50 || b > 50)
                expected = tint.keepsRedAndBlue ? SDL_MapRGB(f, r, Uint8(g - 30), b)
                                                : SDL_MapRGB(f, 255, Uint8(g - 30), 0);
            ASSERT_EQ(pixels[p], expected) << "stored value " << p;
        }
    }
    SDL_FreeSurface(all);
}

} // namespace
