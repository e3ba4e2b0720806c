// Emscripten's SDL keeps every surface as a canvas and draws it with its alpha
// channel; it has no colour keys. A key is therefore turned into real
// transparency when it is set, which for every sprite is right after loading. A
// surface with alpha of its own (a line of text) needs no key, and only opaque
// pixels are keyed, so soft edges stay.
#include <SDL/SDL.h>

extern "C" int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key) {
    if (!surface || !(flag & SDL_SRCCOLORKEY) || (surface->flags & SDL_SRCALPHA)) return 0;
    if (SDL_LockSurface(surface) != 0) return -1;
    // Pixels are 32-bit, red in the lowest byte and alpha in the highest.
    const Uint32 opaqueKey = key | 0xFF000000;
    for (int y = 0; y < surface->h; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x)
            if (row[x] == opaqueKey) row[x] = 0;
    }
    SDL_UnlockSurface(surface);
    return 0;
}
