#include "uigen.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

namespace uigen {

TtfSession::TtfSession() {
    if (TTF_Init() != 0) throw std::runtime_error(std::string("SDL_ttf: ") + TTF_GetError());
}

TtfSession::~TtfSession() { TTF_Quit(); }

Font::Font(const std::string& path, int points, bool bold) {
    font_ = TTF_OpenFont(path.c_str(), points);
    if (!font_) throw std::runtime_error("cannot open font " + path + ": " + TTF_GetError());
    if (bold) TTF_SetFontStyle(font_, TTF_STYLE_BOLD);
}

Font::~Font() { TTF_CloseFont(font_); }

int Font::width(const std::string& text) const {
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font_, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

int Font::height() const { return TTF_FontHeight(font_); }

int Font::draw(Image& img, int x, int y, const std::string& text, Rgb colour) const {
    if (text.empty()) return 0;
    const SDL_Color fg = {colour.r, colour.g, colour.b, 0};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, text.c_str(), fg);
    if (!rendered) throw std::runtime_error(std::string("SDL_ttf: ") + TTF_GetError());
    SDL_LockSurface(rendered);
    const auto* rows = static_cast<const std::uint8_t*>(rendered->pixels);
    for (int j = 0; j < rendered->h; ++j) {
        const auto* row = reinterpret_cast<const Uint32*>(rows + j * rendered->pitch);
        for (int i = 0; i < rendered->w; ++i) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(row[i], rendered->format, &r, &g, &b, &a);
            if (a) img.blend(x + i, y + j, colour, a);
        }
    }
    SDL_UnlockSurface(rendered);
    const int drawn = rendered->w;
    SDL_FreeSurface(rendered);
    return drawn;
}

void Font::drawCentred(Image& img, int centreX, int y, const std::string& text, Rgb colour) const {
    draw(img, centreX - width(text) / 2, y, text, colour);
}

void Font::drawOutlined(Image& img, int x, int y, const std::string& text, Rgb colour,
                        Rgb rim) const {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) draw(img, x + dx, y + dy, text, rim);
    draw(img, x, y, text, colour);
}

} // namespace uigen
