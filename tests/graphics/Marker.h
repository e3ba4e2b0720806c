#pragma once
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "world/Game.h"
#include "world/Level.h"
#include <functional>

// A plain map entity for frame and level tests: a small solid square that counts its
// hits, its draws and how many of its kind are alive, and can run a hook when hit.
class Marker final : public BaseEntity {
  public:
    static inline int live = 0;

    int hits = 0;
    int draws = 0;
    std::function<void(Marker&)> onHit;

    Marker() {
        reach = 15;
        kind = KindFlower; // drawn like any still thing on the map
        image = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 3, 16, 0xF800, 0x07E0, 0x001F, 0);
        paint(255, 0, 255);
        registerInCurrentLevel();
        ++live;
    }
    ~Marker() {
        SDL_FreeSurface(image);
        --live;
    }

    void paint(Uint8 r, Uint8 g, Uint8 b) {
        SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, r, g, b));
    }
    void hit(int) override {
        ++hits;
        if (onHit) onHit(*this);
    }
    SDL_Surface* currentSprite() override {
        ++draws;
        return image;
    }

  private:
    SDL_Surface* image = nullptr;
};

// A level made by hand rather than by a generator: a plain ground colour, a map big
// enough that nothing walks off it, and whatever entities the test builds into it.
struct HandMadeLevel {
    cLevel level;

    explicit HandMadeLevel(int r = 0, int g = 210, int b = 0) {
        setGroundColour(level, r, g, b);
        level.mapWidth = 2000;
        level.mapHeight = 2000;
    }
    // Makes this the current level and builds n markers into it at screen (x, y).
    Marker* markers(int n, int screenX, int screenY) {
        game.currentLevel = &level;
        Marker* made = level.makeEntities<Marker>(n);
        for (int i = 0; i < n; ++i)
            made[i].setPosition(screenX - graphics.cameraX, screenY - graphics.cameraY);
        return made;
    }
};
