#pragma once
#include <SDL/SDL.h>

// One pixel of any surface, clipped to the 320x240 screen and to the surface.
Uint32 getPixel(SDL_Surface* surface, int x, int y);
void putPixel(SDL_Surface* surface, int x, int y, Uint32 value);

// One dark-red stain on each of the car's eight heading images (by heading 1..8; 0 is
// unused), for one kill.
void paintBlood(SDL_Surface* const (&carImages)[9]);

// Holds a surface locked while pixels are written straight into its memory, which the
// handheld may need for video memory.
class SurfaceLock {
  public:
    explicit SurfaceLock(SDL_Surface* s) : surface(s) { SDL_LockSurface(surface); }
    ~SurfaceLock() { SDL_UnlockSurface(surface); }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

  private:
    SDL_Surface* surface;
};

// Both tints of the game pass over the pixels whose red, green or blue reads above 50
// and take 30 off their green, a byte that wraps round; every surface is 16-bit. The
// game-over picture: those pixels turn red-orange.
void tintGameOver(SDL_Surface* buffer, const SDL_Rect& rect);
// The menu highlight: those pixels keep their red and blue.
void tintMenuHighlight(SDL_Surface* canvas, const SDL_Rect& rect);
// Works out both tints' tables for the format ahead, at start-up, so that neither the
// first frame of a lost game nor the first menu key stalls on one.
void prepareTints(SDL_PixelFormat* format);

// The 16-bit pixel SDL_MapRGB would give, without the call.
inline Uint16 packRgb(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b) {
    return static_cast<Uint16>((r >> f->Rloss) << f->Rshift | (g >> f->Gloss) << f->Gshift |
                               (b >> f->Bloss) << f->Bshift);
}
