#include "graphics/Text.h"
#include "graphics/Graphics.h"

void blitText(SDL_Surface* target, TTF_Font* font, const char* text, SDL_Color foreground,
              SDL_Color background, int x, int y) {
    if (!font || !text || text[0] == '\0') return;
    SDL_Surface* line = TTF_RenderText_Shaded(font, text, foreground, background);
    if (!line) return;
    SDL_SetColorKey(line, SDL_SRCCOLORKEY,
                    SDL_MapRGB(line->format, background.r, background.g, background.b));
    SDL_Rect where = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(line, nullptr, target, &where);
    SDL_FreeSurface(line);
}

namespace {

const SDL_Color black = {0, 0, 0, 0};

SDL_Color colour(Uint8 r, Uint8 g, Uint8 b) { return {r, g, b, 0}; }

} // namespace

void cGraphics::drawText(int x, int y, const char* text, int style) {
    static const SDL_Color styles[] = {colour(25, 25, 25), colour(128, 0, 0), colour(45, 46, 53)};
    blitText(backBuffer, largeFont, text, styles[style], black, x, y);
}

void cGraphics::drawListText(int x, int y, const char* text, int style) {
    static const SDL_Color styles[] = {colour(25, 25, 25), colour(80, 119, 192), colour(151, 0, 0)};
    blitText(backBuffer, largeFont, text, styles[style], black, x, y);
}

// (1, 1, 1) rather than black, which is the key colour; it still shows as black.
void cGraphics::drawHudText(int x, int y, const char* text) {
    blitText(backBuffer, smallFont, text, colour(1, 1, 1), black, x, y);
}

void cGraphics::drawSpeech(const char* text) {
    SDL_Rect box;
    box.x = 10;
    box.y = 164;
    SDL_BlitSurface(speechBoxImage, nullptr, backBuffer, &box);
    blitText(backBuffer, smallFont, text, colour(0, 0, 0), colour(0, 255, 0), 20, 172);
}
