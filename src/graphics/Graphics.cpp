#include "graphics/Graphics.h"
#include "app/Assets.h"
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
    // Most of a crowded map's sprites within reach are off the screen.
    const SDL_Rect& clip = backBuffer->clip_rect;
    if (where.x >= clip.x + clip.w || where.y >= clip.y + clip.h || where.x + sprite->w <= clip.x ||
        where.y + sprite->h <= clip.y)
        return;
    const OpaqueRuns* runs = spriteStore.opaqueRunsOf(sprite);
    if (!runs) {
        unlockBackBuffer();
        SDL_BlitSurface(sprite, nullptr, backBuffer, &where);
        return;
    }
    lockBackBuffer();
    copyOpaqueRuns(sprite, *runs, where, backBuffer);
    if (!sharingLock) unlockBackBuffer();
}

void cGraphics::endSprites() {
    unlockBackBuffer();
    sharingLock = false;
}

void cGraphics::lockBackBuffer() {
    if (backBufferLocked) return;
    SDL_LockSurface(backBuffer);
    backBufferLocked = true;
}

void cGraphics::unlockBackBuffer() {
    if (!backBufferLocked) return;
    SDL_UnlockSurface(backBuffer);
    backBufferLocked = false;
}

namespace {

// The first file that would not load, and SDL's reason.
void noteMissing(const void* loaded, const char* path, std::string& missing) {
    if (!loaded && missing.empty()) missing = std::string(path) + ": " + SDL_GetError();
}

// Converted to the screen's format once here rather than at every blit.
void loadInterfaceImage(SDL_Surface*& into, const char* path, std::string& missing) {
    into = toScreenFormat(loadSprite(path));
    noteMissing(into, path, missing);
}

void loadFont(TTF_Font*& into, const char* path, int points, std::string& missing) {
    into = TTF_OpenFont(path, points);
    noteMissing(into, path, missing);
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

std::string cGraphics::init(SDL_Surface* screenSurface) {
    screen = screenSurface;
    showMission = 0;
    showStats = 0;
    cameraX = 0;
    cameraY = 0;
    backBuffer = SDL_CreateRGBSurface(SDL_HWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    std::string missing;
    loadInterfaceImage(hudImage, assets::hudImage, missing);
    loadInterfaceImage(nosOnImage, assets::nosOnImage, missing);
    loadInterfaceImage(nosOffImage, assets::nosOffImage, missing);
    loadInterfaceImage(nosBurnImage, assets::nosBurnImage, missing);
    loadInterfaceImage(missionImage, assets::missionImage, missing);
    loadInterfaceImage(statsImage, assets::statsImage, missing);
    loadInterfaceImage(fireImage, assets::fireImage, missing);
    loadInterfaceImage(speechBoxImage, assets::speechBoxImage, missing);
    if (!TTF_WasInit()) TTF_Init();
    loadFont(smallFont, assets::smallFont, 12, missing);
    loadFont(largeFont, assets::largeFont, 16, missing);
    if (!missing.empty()) return missing;
    setColourKey(fireImage);
    std::memset(missionLines, 0, sizeof missionLines);
    hudRect = rectAt(0, 240 - hudImage->h, hudImage);
    missionRect = rectAt(16, 14, missionImage);
    screenRect = rectAt(0, 0, backBuffer);
    nosRect = rectAt(277, 213, nosOnImage);
    return "";
}
