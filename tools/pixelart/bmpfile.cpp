#include "pixelart/bmpfile.h"

#include <SDL/SDL.h>
#include <stdexcept>

namespace pixelart {
namespace {

// Red in the high byte puts each pixel in memory as blue, green, red: the order of a
// BMP's rows, so SDL writes the surface as it is.
constexpr Uint32 kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff;

SDL_Surface* rgbSurface(int width, int height, int bits) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bits, kRed, kGreen, kBlue, 0);
    if (!surface) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
    return surface;
}

Uint8* row(SDL_Surface* surface, int y) {
    return static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
}

// The game's pictures have always said 72 dpi (2835 pixels a metre) where SDL writes
// no resolution; stamping it keeps every file the build makes as it was.
constexpr Sint64 kResolutionAt = 38;
constexpr Uint32 kPixelsPerMetre = 2835;

bool saveWithResolution(SDL_Surface* surface, const std::string& path) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "wb");
    if (!file) return false;
    bool saved = SDL_SaveBMP_RW(surface, file, 0) == 0 &&
                 SDL_RWseek(file, kResolutionAt, RW_SEEK_SET) == kResolutionAt &&
                 SDL_WriteLE32(file, kPixelsPerMetre) && SDL_WriteLE32(file, kPixelsPerMetre);
    return SDL_RWclose(file) == 0 && saved;
}

} // namespace

void saveBmp(const std::string& path, const Image& image) {
    SDL_Surface* surface = rgbSurface(image.width, image.height, 24);
    for (int y = 0; y < image.height; ++y) {
        Uint8* bytes = row(surface, y);
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.at(x, y);
            bytes[3 * x] = c.b;
            bytes[3 * x + 1] = c.g;
            bytes[3 * x + 2] = c.r;
        }
    }
    const bool saved = saveWithResolution(surface, path);
    SDL_FreeSurface(surface);
    if (!saved) throw std::runtime_error("cannot write " + path + ": " + SDL_GetError());
}

Image loadBmp(const std::string& path) {
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) throw std::runtime_error("cannot read " + path + ": " + SDL_GetError());
    // Files with a palette or another depth come out in one layout.
    SDL_Surface* surface = rgbSurface(loaded->w, loaded->h, 32);
    SDL_BlitSurface(loaded, nullptr, surface, nullptr);
    SDL_FreeSurface(loaded);
    Image image(surface->w, surface->h);
    for (int y = 0; y < image.height; ++y) {
        const auto* pixels = reinterpret_cast<const Uint32*>(row(surface, y));
        for (int x = 0; x < image.width; ++x)
            image.set(x, y,
                      {static_cast<std::uint8_t>(pixels[x] >> 16),
                       static_cast<std::uint8_t>(pixels[x] >> 8),
                       static_cast<std::uint8_t>(pixels[x])});
    }
    SDL_FreeSurface(surface);
    return image;
}

} // namespace pixelart
