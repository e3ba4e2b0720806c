#pragma once
#include "world/Point.h"
#include <SDL/SDL.h>

// The driver on foot once the fuel runs out: a hundred steps, one health each.
class cWalker {
  public:
    int x = 0; // screen position
    int y = 0;
    int speed = 20; // steps per second
    int direction = 1;
    int health = 100;
    SDL_Surface* images[5] = {}; // n, s, w, e, dead

    cWalker();

    cWalker(const cWalker&) = delete;
    cWalker& operator=(const cWalker&) = delete;

    // The man set, shared with the men on the map; start-up calls it once the screen
    // exists.
    void loadImages();
    void reset();
    void step(int dir);
    SDL_Surface* currentSprite();
    int getSpeed() const { return speed; }
    int getHealth() const { return health; }
    void setHealth(int h) { health = h; }
    Point getPosition() const { return {x, y}; }
    void setPosition(int newX, int newY) {
        x = newX;
        y = newY;
    }
};

extern cWalker walker;
