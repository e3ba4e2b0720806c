#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

// The main menu and its pages. It draws into its own canvas, only in response to
// input, and copies the canvas to the screen itself.
class cMenu {
  public:
    int item = 0; // highlighted entry 1..6; 0 until the player first moves
    int line = 1; // highlighted line of a page, 1..11
    int page = 0; // 0 main list, 2 and 3 empty, 4 sound, 5 credits, 6 freerun
    Uint8 active = 0;
    int gameInProgress = 0;
    SDL_Surface* menuImage = nullptr;
    SDL_Surface* pageImage = nullptr;
    SDL_Surface* resumeImage = nullptr;
    SDL_Surface* screen = nullptr;
    SDL_Surface* canvas = nullptr;
    SDL_Rect canvasRect = {0, 0, 0, 0};
    TTF_Font* font = nullptr;

    cMenu() = default;
    ~cMenu();
    // Once the screen exists, so the pictures are in its format.
    void loadImages();
    cMenu(const cMenu&) = delete;
    cMenu& operator=(const cMenu&) = delete;

    void init(SDL_Surface* screenSurface);
    bool isActive() const { return active; }
    void setActive(bool flag) { active = flag; }
    void draw();
    void selectItem(int n);
    void activate(int n);
    void selectLine(int n);
    void increase(int n);
    void decrease(int n);
    void startFreerun();
};

extern cMenu menu;
