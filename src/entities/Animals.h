#pragma once
#include "entities/BaseEntity.h"

// Cats and dogs wander on their own, animating between two frames, and react when
// the car comes within 65 pixels: a cat runs ahead of the car, a dog charges it.
class Animal : public BaseEntity {
  public:
    int direction = 1;
    int alive = 1;
    int corpse = 0; // dead look: 0 not chosen yet, 1 or 2
    int frame = 0;
    int fleeStraightTick = 0;
    int fleeDiagonalTick = 0;
    int wanderStraightTick = 0;
    int wanderDiagonalTick = 0;
    int turnTick = 0;
    int frameTick = 0;
    int turnInterval = 0;

    SDL_Surface* currentSprite() override;
    void update();
    bool isAlive() const { return alive != 0; }
    void setAlive(int value) { alive = value; }

  protected:
    // A charging animal runs against the car's heading instead of along it.
    Animal(int kind, bool charges, const char* const (&paths)[10]);
    ~Animal() = default;

    void chooseCorpse();

  private:
    void reactStraight(int h);
    void reactDiagonal(int h);

    bool charges;
    SpriteSet<10> images; // n1 s1 w1 e1 d1 n2 s2 w2 e2 d2
};

class Cat final : public Animal {
  public:
    Cat();
    void hit(int how) override;

  private:
    void dropEgg();
};

class Dog final : public Animal {
  public:
    Dog();
    void hit(int how) override;
};
