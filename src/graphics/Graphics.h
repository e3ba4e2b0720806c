#pragma once
#include "world/Point.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <string>

// The one renderer: the back buffer every frame is composed in, the interface
// pictures and fonts, the camera, and the mission and speech texts.
class cGraphics {
  public:
    int cameraX = 0; // screen position of the map origin
    int cameraY = 0;
    char missionLines[9][128] = {};
    Uint8 showMission = 0;
    Uint8 showStats = 0;
    char speechText[256] = {}; // shown for one frame, then cleared
    SDL_Surface* screen = nullptr;
    SDL_Surface* backBuffer = nullptr;
    SDL_Surface* hudImage = nullptr;
    SDL_Surface* speechBoxImage = nullptr;
    SDL_Surface* nosOnImage = nullptr;
    SDL_Surface* nosOffImage = nullptr;
    SDL_Surface* nosBurnImage = nullptr;
    SDL_Surface* missionImage = nullptr;
    SDL_Surface* statsImage = nullptr;
    SDL_Surface* fireImage = nullptr;
    TTF_Font* smallFont = nullptr;
    TTF_Font* largeFont = nullptr;

    // Loads the interface pictures and fonts. Returns the first one that will not load
    // and why ("path: reason"), or "" when all did: the game cannot be played without
    // them.
    std::string init(SDL_Surface* screenSurface);

    // One game frame: update and draw the world, the HUD and the overlays, then flip.
    void frame();

    // Text lines (style 0 normal, 1 selected, 2 dimmed); see Text.cpp for colours.
    void drawText(int x, int y, const char* text, int style);
    void drawListText(int x, int y, const char* text, int style);
    void drawHudText(int x, int y, const char* text);
    void drawSpeech(const char* text);

    // Midpoint circle, every pixel in a fresh random colour.
    void rasterCircle(int x0, int y0, int radius);
    // Sixty fire particles around (cx, cy).
    void drawFireRing(int cx, int cy, int r);

    void drawSprite(SDL_Surface* sprite, Point centre);
    // The sprites drawn between these two share one lock of the back buffer, taken by
    // the first that copies its runs and given up for any that has to be blitted: a
    // crowded frame draws thousands, and each lock costs more than a small sprite's copy.
    void beginSprites() { sharingLock = true; }
    void endSprites();

  private:
    bool sharingLock = false;
    bool backBufferLocked = false;

    void lockBackBuffer();
    void unlockBackBuffer();
};

extern cGraphics graphics;

// All cats share one meow clock and all dogs one bark clock (ms ticks).
extern int barkInterval;
extern int barkLast;
extern int meowInterval;
extern int meowLast;

extern SDL_Rect hudRect;
extern SDL_Rect missionRect;
extern SDL_Rect screenRect;
extern SDL_Rect nosRect;

// Every picture of the game is a BMP opened by path from the working directory.
SDL_Surface* loadSprite(const char* path);
// Pure green (0, 255, 0) is the transparent colour of every sprite.
void setColourKey(SDL_Surface* surface);
// The rectangle of the surface's size centred on point (halves truncated).
SDL_Rect centreRect(SDL_Surface* surface, Point point);
