#include "graphics/Pixels.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "world/Random.h"

namespace {

// The screen's size bounds every surface too: nothing off-screen is ever painted.
Uint8* pixelAddress(SDL_Surface* surface, int x, int y) {
    if (x < 0 || x >= 320 || y < 0 || y > 239) return nullptr;
    if (x > surface->w - 1 || y > surface->h - 1) return nullptr;
    int bytes = surface->format->BytesPerPixel;
    if (bytes < 1 || bytes > 4) return nullptr;
    return static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
}

} // namespace

Uint32 getPixel(SDL_Surface* surface, int x, int y) {
    Uint8* p = pixelAddress(surface, x, y);
    if (!p) return 0;
    switch (surface->format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<Uint16*>(p);
    case 3:
        return p[0] | p[1] << 8 | p[2] << 16;
    default:
        return *reinterpret_cast<Uint32*>(p);
    }
}

void putPixel(SDL_Surface* surface, int x, int y, Uint32 value) {
    Uint8* p = pixelAddress(surface, x, y);
    if (!p) return;
    switch (surface->format->BytesPerPixel) {
    case 1:
        *p = static_cast<Uint8>(value);
        break;
    case 2:
        *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(value);
        break;
    case 3:
        p[0] = static_cast<Uint8>(value);
        p[1] = static_cast<Uint8>(value >> 8);
        p[2] = static_cast<Uint8>(value >> 16);
        break;
    default:
        *reinterpret_cast<Uint32*>(p) = value;
        break;
    }
}

namespace {

// Pure green, or no alpha at all where a surface keeps its key as real transparency.
bool isTransparent(SDL_Surface* image, int x, int y) {
    Uint8 r, g, b, a;
    SDL_GetRGBA(getPixel(image, x, y), image->format, &r, &g, &b, &a);
    return (r == 0 && g == 255 && b == 0) || a == 0;
}

// One in five opaque candidates takes the stain; returns true once one has.
bool tryStain(SDL_Surface* image, int x, int y) {
    if (isTransparent(image, x, y)) return false;
    if (randRange(1, 6) <= 4) return false;
    int red = randRange(76, 256);
    putPixel(image, x, y, SDL_MapRGB(image->format, static_cast<Uint8>(red), 0, 0));
    return true;
}

void stainDownward(SDL_Surface* image) {
    int startRow = randRange(0, image->h);
    for (int y = startRow; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            if (tryStain(image, x, y)) return;
}

// The east image is scanned from the bottom up, so its stains gather above the start.
void stainUpward(SDL_Surface* image) {
    int startRow = randRange(0, image->h);
    for (int y = startRow; y >= 0; --y)
        for (int x = image->w - 1; x >= 0; --x)
            if (tryStain(image, x, y)) return;
}

} // namespace

void paintBlood(cPlayer& car) {
    // n, s, w, e, se, ne, sw, nw by heading number.
    static const int order[8] = {1, 2, 3, 4, 8, 6, 7, 5};
    for (int heading : order) {
        SDL_Surface* image = car.sprites[heading];
        if (!image) continue;
        if (heading == 4)
            stainUpward(image);
        else
            stainDownward(image);
    }
}
