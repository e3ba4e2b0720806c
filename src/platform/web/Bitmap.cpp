// Windows bitmaps as the game's build writes them: 24 bits a pixel, uncompressed, rows
// from the bottom up, each padded to 4 bytes. They load into 24-bit surfaces laid out
// as SDL lays them out (blue, green, red in memory), for SDL_DisplayFormat to convert.
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" {
// Library.js: the file an emscripten stream was opened on, to be freed by the caller.
char* webStreamPath(SDL_RWops* stream);
}

namespace {

Uint32 field(const std::vector<Uint8>& file, size_t at, int bytes) {
    Uint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<Uint32>(file[at + static_cast<size_t>(i)]) << (8 * i);
    return value;
}

std::vector<Uint8> readAll(const char* path) {
    std::vector<Uint8> bytes;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path, "rb"), std::fclose);
    if (!in) return bytes;
    Uint8 chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    return bytes;
}

SDL_Surface* decode(const std::vector<Uint8>& file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return nullptr;
    const Uint32 pixelsAt = field(file, 10, 4);
    const int width = static_cast<int>(field(file, 18, 4));
    const int height = static_cast<Sint32>(field(file, 22, 4));
    if (field(file, 28, 2) != 24 || field(file, 30, 4) != 0 || width <= 0 || height == 0)
        return nullptr;
    const int rows = height < 0 ? -height : height;
    const size_t stride = static_cast<size_t>(width * 3 + 3) & ~size_t(3);
    if (pixelsAt + stride * static_cast<size_t>(rows) > file.size()) return nullptr;
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, rows, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!image) return nullptr;
    for (int y = 0; y < rows; ++y) {
        const int fileRow = height < 0 ? y : rows - 1 - y;
        std::memcpy(static_cast<Uint8*>(image->pixels) + y * image->pitch,
                    &file[pixelsAt + stride * static_cast<size_t>(fileRow)],
                    static_cast<size_t>(width * 3));
    }
    return image;
}

} // namespace

extern "C" SDL_Surface* SDL_LoadBMP_RW(SDL_RWops* stream, int freesrc) {
    if (!stream) return nullptr;
    char* path = webStreamPath(stream);
    if (freesrc) SDL_FreeRW(stream);
    if (!path) return nullptr;
    SDL_Surface* image = decode(readAll(path));
    std::free(path);
    return image;
}
