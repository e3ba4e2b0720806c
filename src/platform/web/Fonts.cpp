// SDL_ttf for the page, over the fonts captured from the native SDL_ttf at build time
// (Glyphs.h): "sserife.fon" at 12 points is the file "sserife.fon-12.glyphs". Lines come
// out as TTF_RenderText_Shaded makes them: 8-bit, palette entry i shading from the
// background (0) to the foreground (255).
#include "platform/web/Glyphs.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <cstring>
#include <memory>
#include <string>

struct _TTF_Font {
    glyphs::Font font;
};

namespace {

bool started;

void fillPalette(SDL_Surface* line, SDL_Color fg, SDL_Color bg) {
    SDL_Color* colours = line->format->palette->colors;
    for (int i = 0; i < 256; ++i) {
        colours[i].r = static_cast<Uint8>(bg.r + i * (fg.r - bg.r) / 255);
        colours[i].g = static_cast<Uint8>(bg.g + i * (fg.g - bg.g) / 255);
        colours[i].b = static_cast<Uint8>(bg.b + i * (fg.b - bg.b) / 255);
        colours[i].unused = 0;
    }
}

} // namespace

extern "C" {

int TTF_Init() {
    started = true;
    return 0;
}

int TTF_WasInit() { return started ? 1 : 0; }

void TTF_Quit() { started = false; }

TTF_Font* TTF_OpenFont(const char* file, int ptsize) {
    const std::string path = std::string(file) + "-" + std::to_string(ptsize) + ".glyphs";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!in) return nullptr;
    std::unique_ptr<TTF_Font> font(new TTF_Font);
    return glyphs::read(in.get(), font->font) ? font.release() : nullptr;
}

void TTF_CloseFont(TTF_Font* font) { delete font; }

int TTF_FontHeight(const TTF_Font* font) { return font->font.height; }

int TTF_FontLineSkip(const TTF_Font* font) { return font->font.lineSkip; }

int TTF_SizeText(TTF_Font* font, const char* text, int* w, int* h) {
    const glyphs::Size size = glyphs::sizeOf(font->font, text);
    if (w) *w = size.width;
    if (h) *h = size.height;
    return 0;
}

SDL_Surface* TTF_RenderText_Shaded(TTF_Font* font, const char* text, SDL_Color fg, SDL_Color bg) {
    if (!font || !text) return nullptr;
    const glyphs::Line line = glyphs::layOut(font->font, text);
    if (line.width == 0) return nullptr;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, line.width, line.height, 8, 0, 0, 0, 0);
    if (!surface) return nullptr;
    fillPalette(surface, fg, bg);
    for (int y = 0; y < line.height; ++y)
        std::memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch,
                    &line.pixels[static_cast<size_t>(y * line.pitch)],
                    static_cast<size_t>(line.width));
    return surface;
}

} // extern "C"
