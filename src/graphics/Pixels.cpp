#include "graphics/Pixels.h"
#include "graphics/Graphics.h"
#include "world/Random.h"
#include <vector>

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

// The tint works on the stored pixel itself rather than converting each one to 8-bit
// colours and back: a channel reads above 50 from some stored value up, and the lowered
// green depends on the green alone. Both are read off the surface's own format, so the
// result is the one the conversions would give.
struct BrightTint {
    Uint16 brightRed, brightGreen, brightBlue;
    Uint16 loweredGreen[256]; // by the stored green value, in place

    explicit BrightTint(SDL_PixelFormat* f)
        : brightRed(brightFrom(f, f->Rmask, 0)), brightGreen(brightFrom(f, f->Gmask, 1)),
          brightBlue(brightFrom(f, f->Bmask, 2)) {
        for (Uint32 v = 0; v <= f->Gmask >> f->Gshift && v < 256; ++v) {
            Uint8 r, g, b;
            SDL_GetRGB(v << f->Gshift, f, &r, &g, &b);
            loweredGreen[v] = packRgb(f, 0, static_cast<Uint8>(g - 30), 0);
        }
    }

    // The smallest stored value (in place) whose 8-bit reading is above 50.
    static Uint16 brightFrom(SDL_PixelFormat* f, Uint32 mask, int channel) {
        Uint32 shift = mask ? __builtin_ctz(mask) : 0;
        for (Uint32 v = 0; v <= mask >> shift; ++v) {
            Uint8 c[3];
            SDL_GetRGB(v << shift, f, &c[0], &c[1], &c[2]);
            if (c[channel] > 50) return static_cast<Uint16>(v << shift);
        }
        return static_cast<Uint16>(mask + 1); // never bright
    }
};

// Every stored value's tinted value, worked out once: a pixel then costs one lookup.
// The game asks for two tints (the game-over picture and the menu highlight), so two
// tables of 128 KB live for the whole run.
struct TintTable {
    Uint32 redMask, greenMask, blueMask;
    Uint16 keep, set;
    std::vector<Uint16> tinted;

    bool fits(const SDL_PixelFormat* f, Uint16 k, Uint16 s) const {
        return redMask == f->Rmask && greenMask == f->Gmask && blueMask == f->Bmask && keep == k &&
               set == s;
    }
};

TintTable buildTintTable(SDL_PixelFormat* f, Uint16 keep, Uint16 set) {
    const BrightTint tint(f);
    const Uint32 redMask = f->Rmask, greenMask = f->Gmask, blueMask = f->Bmask;
    const int greenShift = f->Gshift;
    TintTable table{redMask, greenMask, blueMask, keep, set, std::vector<Uint16>(0x10000)};
    for (Uint32 p = 0; p <= 0xFFFF; ++p) {
        bool bright = (p & redMask) >= tint.brightRed || (p & greenMask) >= tint.brightGreen ||
                      (p & blueMask) >= tint.brightBlue;
        table.tinted[p] = static_cast<Uint16>(
            bright ? (p & keep) | set | tint.loweredGreen[(p & greenMask) >> greenShift] : p);
    }
    return table;
}

const Uint16* tintTableFor(SDL_PixelFormat* f, Uint16 keep, Uint16 set) {
    static std::vector<TintTable> tables;
    for (const TintTable& table : tables)
        if (table.fits(f, keep, set)) return table.tinted.data();
    tables.push_back(buildTintTable(f, keep, set));
    return tables.back().tinted.data();
}

// Four pixels a round: the loop's own test and branch cost as much as a pixel's lookup.
void tintRow(Uint16* pixel, Uint16* end, const Uint16* tinted) {
    for (long rounds = (end - pixel) / 4; rounds > 0; --rounds, pixel += 4) {
        Uint16 a = pixel[0], b = pixel[1], c = pixel[2], d = pixel[3];
        pixel[0] = tinted[a];
        pixel[1] = tinted[b];
        pixel[2] = tinted[c];
        pixel[3] = tinted[d];
    }
    for (; pixel < end; ++pixel)
        *pixel = tinted[*pixel];
}

// Within rect, each bright pixel p becomes (p & keep) | set | its lowered green.
void tintBrightPixels(SDL_Surface* surface, const SDL_Rect& rect, Uint16 keep, Uint16 set) {
    const Uint16* tinted = tintTableFor(surface->format, keep, set);
    int left = rect.x < 0 ? 0 : rect.x;
    int right = rect.x + rect.w < surface->w ? rect.x + rect.w : surface->w;
    int bottom = rect.y + rect.h < surface->h ? rect.y + rect.h : surface->h;
    SurfaceLock lock(surface);
    for (int y = rect.y < 0 ? 0 : rect.y; y < bottom; ++y) {
        Uint16* row =
            reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        tintRow(row + left, row + right, tinted);
    }
}

// Pure red with no green: the tint adds the lowered green.
Uint16 gameOverRed(const SDL_PixelFormat* f) { return packRgb(f, 255, 0, 0); }

Uint16 redAndBlue(const SDL_PixelFormat* f) { return static_cast<Uint16>(f->Rmask | f->Bmask); }

} // namespace

void tintGameOver(SDL_Surface* buffer, const SDL_Rect& rect) {
    tintBrightPixels(buffer, rect, 0, gameOverRed(buffer->format));
}

void tintMenuHighlight(SDL_Surface* canvas, const SDL_Rect& rect) {
    tintBrightPixels(canvas, rect, redAndBlue(canvas->format), 0);
}

void prepareTints(SDL_PixelFormat* format) {
    tintTableFor(format, 0, gameOverRed(format));
    tintTableFor(format, redAndBlue(format), 0);
}

namespace {

// Pure green reads back as itself and nothing else does, so the stored pixel can be
// compared with the key's own value.
bool isTransparent(SDL_Surface* image, int x, int y) {
    return getPixel(image, x, y) == SDL_MapRGB(image->format, 0, 255, 0);
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

void paintBlood(SDL_Surface* const (&carImages)[9]) {
    // n, s, w, e, se, ne, sw, nw by heading number.
    static const int order[8] = {1, 2, 3, 4, 8, 6, 7, 5};
    for (int heading : order) {
        SDL_Surface* image = carImages[heading];
        if (!image) continue;
        SurfaceLock lock(image);
        if (heading == 4)
            stainUpward(image);
        else
            stainDownward(image);
    }
}
