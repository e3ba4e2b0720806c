#include "graphics/Text.h"
#include "graphics/Graphics.h"
#include <string>

namespace {

const SDL_Color black = {0, 0, 0, 0};

// One line of text with its background keyed out; null without a font or text.
SDL_Surface* renderLine(TTF_Font* font, const char* text, SDL_Color foreground,
                        SDL_Color background) {
    if (!font || !text || text[0] == '\0') return nullptr;
    SDL_Surface* line = TTF_RenderText_Shaded(font, text, foreground, background);
    if (!line) return nullptr;
    SDL_SetColorKey(line, SDL_SRCCOLORKEY,
                    SDL_MapRGB(line->format, background.r, background.g, background.b));
    return line;
}

void blitAt(SDL_Surface* target, SDL_Surface* line, int x, int y) {
    if (!line) return;
    SDL_Rect where;
    where.x = static_cast<Sint16>(x);
    where.y = static_cast<Sint16>(y);
    SDL_BlitSurface(line, nullptr, target, &where);
}

SDL_Color colour(Uint8 r, Uint8 g, Uint8 b) { return {r, g, b, 0}; }

} // namespace

void blitText(SDL_Surface* target, TTF_Font* font, const char* text, SDL_Color foreground,
              SDL_Color background, int x, int y) {
    SDL_Surface* line = renderLine(font, text, foreground, background);
    blitAt(target, line, x, y);
    SDL_FreeSurface(line);
}

void cGraphics::drawText(int x, int y, const char* text, int style) {
    static const SDL_Color styles[] = {colour(25, 25, 25), colour(128, 0, 0), colour(45, 46, 53)};
    blitText(backBuffer, largeFont, text, styles[style], black, x, y);
}

void cGraphics::drawListText(int x, int y, const char* text, int style) {
    static const SDL_Color styles[] = {colour(25, 25, 25), colour(80, 119, 192), colour(151, 0, 0)};
    blitText(backBuffer, largeFont, text, styles[style], black, x, y);
}

namespace {

// The HUD's numbers change a few times a second at most, and rendering a line is the
// dearest thing in a quiet frame, so each place on the strip keeps the line it last
// showed and renders again only when its text changes.
struct HudLine {
    int x = -1;
    int y = -1;
    std::string text;
    SDL_Surface* line = nullptr;
};
HudLine hudLines[8];

HudLine& hudLineAt(int x, int y) {
    for (HudLine& slot : hudLines)
        if (slot.x == x && slot.y == y) return slot;
    for (HudLine& slot : hudLines)
        if (slot.x < 0) return slot;
    return hudLines[0];
}

} // namespace

// (1, 1, 1) rather than black, which is the key colour; it still shows as black.
void cGraphics::drawHudText(int x, int y, const char* text) {
    HudLine& slot = hudLineAt(x, y);
    if (slot.x != x || slot.y != y || slot.text != text || !slot.line) {
        SDL_FreeSurface(slot.line);
        slot.line = renderLine(smallFont, text, colour(1, 1, 1), black);
        slot.x = x;
        slot.y = y;
        slot.text = text;
    }
    blitAt(backBuffer, slot.line, x, y);
}

void cGraphics::drawSpeech(const char* text) {
    SDL_Rect box;
    box.x = 10;
    box.y = 164;
    SDL_BlitSurface(speechBoxImage, nullptr, backBuffer, &box);
    blitText(backBuffer, smallFont, text, colour(0, 0, 0), colour(0, 255, 0), 20, 172);
}
