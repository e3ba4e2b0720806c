#include "graphics/Graphics.h"
#include "app/Assets.h"
#include "app/StartUpFailure.h"
#include "graphics/SpriteStore.h"
#include <cstring>

SDL_Rect hudRect;
SDL_Rect missionRect;
SDL_Rect screenRect;
SDL_Rect nosRect;

SDL_Surface* loadSprite(const char* path) { return SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1); }

void setColourKey(SDL_Surface* surface) {
    if (!surface) return;
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, 0, 255, 0));
}

SDL_Rect centreRect(SDL_Surface* surface, Point point) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(point.x - surface->w / 2);
    rect.y = static_cast<Sint16>(point.y - surface->h / 2);
    rect.w = static_cast<Uint16>(surface->w);
    rect.h = static_cast<Uint16>(surface->h);
    return rect;
}

void cGraphics::drawSprite(SDL_Surface* sprite, Point centre) {
    if (!sprite) return;
    SDL_Rect where = centreRect(sprite, centre);
    const OpaqueRuns* runs = spriteStore.opaqueRunsOf(sprite);
    if (runs && backBuffer->format->BytesPerPixel == 2)
        copyOpaqueRuns(sprite, *runs, where, backBuffer);
    else
        SDL_BlitSurface(sprite, nullptr, backBuffer, &where);
}

namespace {

// Without its interface pictures and fonts the game would show a black screen or
// crash on the first frame; a clear word and an orderly stop is kinder. The start-up
// check has passed them all, so only a file broken since then gets here.
[[noreturn]] void missingGameFile(const char* path) {
    failStartUp(std::string("Vandal Demo cannot load ") + path + ": " + SDL_GetError(), 3);
}

// Converted to the screen's format once here rather than at every blit.
SDL_Surface* requireSprite(const char* path) {
    SDL_Surface* image = loadSprite(path);
    if (!image) missingGameFile(path);
    return toScreenFormat(image);
}

TTF_Font* requireFont(const char* path, int points) {
    TTF_Font* font = TTF_OpenFont(path, points);
    if (!font) missingGameFile(path);
    return font;
}

SDL_Rect rectAt(int x, int y, SDL_Surface* sizeOf) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(sizeOf->w);
    rect.h = static_cast<Uint16>(sizeOf->h);
    return rect;
}

} // namespace

void cGraphics::init(SDL_Surface* screenSurface) {
    screen = screenSurface;
    showMission = 0;
    showStats = 0;
    cameraX = 0;
    cameraY = 0;
    backBuffer = SDL_CreateRGBSurface(SDL_HWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    hudImage = requireSprite(assets::hudImage);
    nosOnImage = requireSprite(assets::nosOnImage);
    nosOffImage = requireSprite(assets::nosOffImage);
    nosBurnImage = requireSprite(assets::nosBurnImage);
    missionImage = requireSprite(assets::missionImage);
    statsImage = requireSprite(assets::statsImage);
    fireImage = requireSprite(assets::fireImage);
    speechBoxImage = requireSprite(assets::speechBoxImage);
    setColourKey(fireImage);
    if (!TTF_WasInit()) TTF_Init();
    smallFont = requireFont(assets::smallFont, 12);
    largeFont = requireFont(assets::largeFont, 16);
    std::memset(missionLines, 0, sizeof missionLines);
    hudRect = rectAt(0, 240 - hudImage->h, hudImage);
    missionRect = rectAt(16, 14, missionImage);
    screenRect = rectAt(0, 0, backBuffer);
    nosRect = rectAt(277, 213, nosOnImage);
}
