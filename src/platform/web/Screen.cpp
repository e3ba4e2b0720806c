// The screen is a 16-bit surface like any other; the page shows it by turning it into
// RGBA and putting that on the canvas in one call.
#include "platform/web/Screen.h"
#include <SDL/SDL.h>
#include <emscripten.h>
#include <vector>

namespace {

SDL_Surface* screen;
std::vector<Uint32> rgba;
bool flipped;

// Bytes in memory: red, green, blue, then an opaque alpha; each channel widened as
// SDL_GetRGB widens it, v x 255 / 31 (or 63).
Uint32 rgbaOf(Uint16 pixel) {
    const Uint32 r = pixel >> 11, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
    return r * 255 / 31 | (g * 255 / 63) << 8 | (b * 255 / 31) << 16 | 0xFF000000u;
}

} // namespace

// clang-format off
EM_JS(void, webSizeCanvas, (int width, int height), {
    var canvas = Module['canvas'];
    canvas.width = width;
    canvas.height = height;
    Module['screenContext'] = canvas.getContext('2d', {alpha: false});
});

// The view is made again only when the memory it looks into has moved.
EM_JS(void, webPutFrame, (const void* pixels, int width, int height), {
    var frame = Module['screenFrame'];
    if (!frame || frame.data.buffer != HEAPU8.buffer || frame.data.byteOffset != pixels) {
        var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
        frame = Module['screenFrame'] = new ImageData(bytes, width, height);
    }
    Module['screenContext'].putImageData(frame, 0, 0);
    Module['framesShown'] = (Module['framesShown'] || 0) + 1;
});
// clang-format on

extern "C" {

SDL_Surface* SDL_SetVideoMode(int width, int height, int, Uint32 flags) {
    SDL_FreeSurface(screen);
    screen = SDL_CreateRGBSurface(flags, width, height, 16, 0, 0, 0, 0);
    rgba.assign(static_cast<size_t>(width * height), 0);
    webSizeCanvas(width, height);
    return screen;
}

SDL_Surface* SDL_GetVideoSurface() { return screen; }

int SDL_Flip(SDL_Surface*) {
    flipped = true;
    return 0;
}

} // extern "C"

void showFlippedFrame() {
    if (!flipped || !screen) return;
    flipped = false;
    Uint32* out = rgba.data();
    for (int y = 0; y < screen->h; ++y) {
        const Uint16* row = reinterpret_cast<const Uint16*>(static_cast<Uint8*>(screen->pixels) +
                                                            y * screen->pitch);
        for (int x = 0; x < screen->w; ++x)
            *out++ = rgbaOf(row[x]);
    }
    webPutFrame(rgba.data(), screen->w, screen->h);
}
