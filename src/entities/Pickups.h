#pragma once
#include "entities/BaseEntity.h"

// Pickups give their reward once, guarded by their own flag, because the frame
// strikes an entity in every frame the car touches it. Used pickups stay on the map.

class Chest final : public BaseEntity {
  public:
    Uint8 opened = 0;
    Chest();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<2> images; // closed, open
};

class NosBoost final : public BaseEntity {
  public:
    Uint8 used = 0;
    NosBoost();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<2> images; // full, used
};

// A gamble: even odds of twenty health gained or lost.
class Possie final : public BaseEntity {
  public:
    Uint8 waiting = 1;
    int outcome = 1; // 1 health given, 2 health taken
    Possie();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<3> images; // waiting, health given, health taken
};

// Made hidden; only a killed cat shows it, and collecting it hides it again.
class EuroEgg final : public BaseEntity {
  public:
    Uint8 shown = 0;
    EuroEgg();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;
    bool isVisible() const { return shown != 0; }
    void setVisible(bool visible) { shown = visible; }

  private:
    SpriteSet<1> image;
};

class Soap final : public BaseEntity {
  public:
    Uint8 used = 0;
    Soap();
    void hit(int how) override;
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<2> images; // fresh, used
};

class Flower final : public BaseEntity {
  public:
    int look = 0; // 0..7
    int living = 1;
    int witheredLook = 0; // 0..3
    Flower();
    SDL_Surface* currentSprite() override;

  private:
    SpriteSet<8> flowers;
    SpriteSet<4> withered;
};
