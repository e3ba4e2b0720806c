// glyphgen OUT FONT POINTS: the page's copy of a font at one size, as the native
// SDL_ttf lays it out (src/platform/web/Glyphs.h).
#include "capture.h"
#include <SDL/SDL_ttf.h>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: glyphgen OUT FONT POINTS\n");
        return 2;
    }
    if (TTF_Init() < 0) {
        std::fprintf(stderr, "glyphgen: %s\n", TTF_GetError());
        return 1;
    }
    try {
        glyphs::Font font = glyphgen::capture(argv[2], std::atoi(argv[3]));
        std::FILE* out = std::fopen(argv[1], "wb");
        if (!out) throw std::runtime_error(std::string(argv[1]) + ": cannot write");
        glyphs::write(out, font);
        if (std::fclose(out) != 0)
            throw std::runtime_error(std::string(argv[1]) + ": cannot write");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "glyphgen: %s\n", e.what());
        return 1;
    }
    TTF_Quit();
    return 0;
}
