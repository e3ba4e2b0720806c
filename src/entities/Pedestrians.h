#pragma once
#include "entities/BaseEntity.h"

class cPlayer;

// How the two pedestrian kinds differ: their pictures, their nerves and their legs.
struct PedestrianTraits {
    int kind;
    int reactionDistance;    // pixels
    unsigned straightPeriod; // ms
    HalfMsPeriod diagonalPeriod;
    int cPlayer::*killCounter; // the car's counter for this kind
};

// Stands still until the car comes near, then scurries away, mostly along the car's
// heading, so a driver who turns can still catch it.
class Pedestrian : public BaseEntity {
  public:
    int direction = 1;
    int alive = 1;
    int straightTick = 0;
    int diagonalTick = 0;

    void hit(int how) override;
    SDL_Surface* currentSprite() override;
    void update();
    bool isAlive() const { return alive != 0; }
    void setAlive(int value) { alive = value; }

  protected:
    Pedestrian(const PedestrianTraits& traits, const char* const (&paths)[5]);
    ~Pedestrian() = default;

  private:
    void step(int h);

    const PedestrianTraits& traits;
    SpriteSet<5> images; // n, s, w, e, dead
};

class PinkMan final : public Pedestrian {
  public:
    PinkMan();
};

class BlackMan final : public Pedestrian {
  public:
    BlackMan();
};
