#pragma once
#include "entities/BaseEntity.h"

// A wreck that gives 1..3 miles of fuel the first time the car crushes it.
class DeadCar final : public BaseEntity {
  public:
    Uint8 crushed = 0;
    int crushLook = 0; // 1..3 once crushed
    DeadCar();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<4> images; // intact, crushed looks 1..3
};

// Trees nudge the car sideways in every touching frame, so it slides along them.
class DeadTree final : public BaseEntity {
  public:
    DeadTree();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<1> image;
};

class PalmTree final : public BaseEntity {
  public:
    PalmTree();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<1> image;
};

// The hut keeps the shop screen open in every touching frame.
class Shop final : public BaseEntity {
  public:
    Uint8 visited = 0;
    Shop();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<1> image;
};

// Chops at a car that stands next to him. All of them share one clock, so two side by
// side still change frame only once per 180 ms.
class Afro final : public BaseEntity {
  public:
    int frame = 0; // 0 idle, 1 and 2 chopping
    Uint8 greeted = 0;
    Afro();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<3> images; // idle, chop 1, chop 2
};

extern Uint32 afroChopTick;
