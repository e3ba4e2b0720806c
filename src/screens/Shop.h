#pragma once
#include <SDL/SDL.h>
#include <vector>

// The shop screen that a hut opens over the game: nine offers bought with money and
// eggs. It keeps its cursor between visits and across levels.
class cShop {
  public:
    std::vector<const char*> items; // nine offer texts, string literals
    int cursor = 0;
    Uint8 open = 0;
    SDL_Surface* screenImage = nullptr;

    cShop();
    ~cShop();
    // Once the screen exists, so the picture is in its format.
    void loadImage();
    cShop(const cShop&) = delete;
    cShop& operator=(const cShop&) = delete;

    bool isOpen() const { return open; }
    void setOpen(bool flag) { open = flag; }
    SDL_Surface* getScreenImage() const { return screenImage; }
    void moveCursor(int direction); // 1 up, 2 down, no wrap-around
    int itemStyle(int index) const; // 0 normal, 1 under the cursor, 2 cannot afford
    void buy();
    void refresh();
};

extern cShop shop;
