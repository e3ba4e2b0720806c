#include "graphics/Graphics.h"

namespace {

const SDL_Color black = {0, 0, 0, 0};

// Renders one line, keys its background out and blits it; nothing is kept.
void blitLine(SDL_Surface* target, TTF_Font* font, const char* text, SDL_Color foreground,
              SDL_Color background, int x, int y) {
    if (!font) return;
    SDL_Surface* line = TTF_RenderText_Shaded(font, text, foreground, background);
    if (!line) return;
    SDL_SetColorKey(line, SDL_SRCCOLORKEY,
                    SDL_MapRGB(line->format, background.r, background.g, background.b));
    SDL_Rect where;
    where.x = static_cast<Sint16>(x);
    where.y = static_cast<Sint16>(y);
    SDL_BlitSurface(line, nullptr, target, &where);
    SDL_FreeSurface(line);
}

SDL_Color colour(Uint8 r, Uint8 g, Uint8 b) { return {r, g, b, 0}; }

bool isEmpty(const char* text) { return !text || text[0] == '\0'; }

} // namespace

void cGraphics::drawText(int x, int y, const char* text, int style) {
    if (isEmpty(text)) return;
    static const SDL_Color styles[] = {colour(25, 25, 25), colour(128, 0, 0), colour(45, 46, 53)};
    blitLine(backBuffer, largeFont, text, styles[style], black, x, y);
}

void cGraphics::drawListText(int x, int y, const char* text, int style) {
    if (isEmpty(text)) return;
    static const SDL_Color styles[] = {colour(25, 25, 25), colour(80, 119, 192), colour(151, 0, 0)};
    blitLine(backBuffer, largeFont, text, styles[style], black, x, y);
}

// (1, 1, 1) rather than black, which is the key colour; it still shows as black.
void cGraphics::drawHudText(int x, int y, const char* text) {
    blitLine(backBuffer, smallFont, text, colour(1, 1, 1), black, x, y);
}

void cGraphics::drawSpeech(const char* text) {
    SDL_Rect box;
    box.x = 10;
    box.y = 164;
    SDL_BlitSurface(speechBoxImage, nullptr, backBuffer, &box);
    blitLine(backBuffer, smallFont, text, colour(0, 0, 0), colour(0, 255, 0), 20, 172);
}
