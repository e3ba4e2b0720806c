#pragma once
#include "graphics/Graphics.h"
#include "graphics/SpriteStore.h"
#include "world/Point.h"
#include <SDL/SDL.h>

enum EntityKind {
    KindAny = 0,
    KindDeadCar = 2,
    KindChest = 3,
    KindPinkMan = 4,
    KindBlackMan = 5,
    KindCat = 6,
    KindShop = 7,
    KindNosBoost = 9,
    KindDeadTree = 10,
    KindPalmTree = 11,
    KindPossie = 12,
    KindDog = 13,
    KindEuroEgg = 14,
    KindAfro = 15,
    KindFlower = 16,
    KindPortal = 17,
    KindSoap = 18,
    KindHellrift = 19,
};

// Everything on the map but the car and the walker. An entity registers itself in
// the current level when it is built and stays in that level's list for good: killed
// or used entities keep their state rather than leaving the list.
class BaseEntity {
  public:
    int reach = 0; // touch radius in pixels
    int kind = 0;
    int x = 0; // map position of the centre
    int y = 0;

    // Something struck the entity: the car (how = 1, every touching frame), the nuke
    // ring or the shop (how = 0 for a dog that should not hurt the car).
    virtual void hit(int how);
    // The image that shows the entity's present state; never changes the entity.
    virtual SDL_Surface* currentSprite() = 0;

    int getKind() const { return kind; }
    void setKind(int k) { kind = k; }
    Point getPosition() const { return {x, y}; }
    void setPosition(int newX, int newY) {
        x = newX;
        y = newY;
    }

    BaseEntity(const BaseEntity&) = delete;
    BaseEntity& operator=(const BaseEntity&) = delete;

  protected:
    BaseEntity() = default;
    // Every kind of thing on the map: its kind and touch radius, registered in the
    // current level at once.
    BaseEntity(int entityKind, int touchRadius);
    ~BaseEntity() = default;

    // Appends this entity to the current level's list; there must be a current level.
    void registerInCurrentLevel();
};

// Map position to screen position, with the renderer's camera.
Point screenPosition(const BaseEntity& entity);

// The car touches an entity when their centres are at most `radius` apart.
bool carTouches(const BaseEntity& entity, int radius);

// Where a frightened walker or animal heads next: usually the car's heading, but
// 31 times in 100 a panicked pick of 1..7 (never 8: the pick has always been short).
int panickedHeading();

// Index of the n, s, w or e image for a direction 1..8: the diagonals borrow the
// sideways images, since nobody draws a walker at an angle.
int directionImage(int direction);

// Paced actions keep the time of their last go in an int field. An action is due
// once at least `period` ms have passed. The field is read back as the unsigned tick
// it was stored from, so the comparison still holds once the clock has outgrown an int.
bool isDue(Uint32 now, int lastTick, Uint32 period);

// A period with a half millisecond in it (25.5 ms), kept in half milliseconds: the
// handheld has no floating-point unit, so every frame compares whole numbers only.
struct HalfMsPeriod {
    Uint32 halves;
};
constexpr HalfMsPeriod halfMsPeriod(double ms) { return {static_cast<Uint32>(ms * 2)}; }
bool isDue(Uint32 now, int lastTick, HalfMsPeriod period);

// Moves an entity one pixel in a direction 1..8.
void stepToward(BaseEntity& entity, int direction);

// Pushes a moving entity one pixel back inside the map; true when it had to.
bool keepInsideMap(BaseEntity& entity);

// A fixed set of colour-keyed images from the sprite store, shared with every other
// entity that shows them; the store keeps them, so nothing is freed with the entity.
template <int N> class SpriteSet {
  public:
    explicit SpriteSet(const char* const (&paths)[N]);
    explicit SpriteSet(const char* path); // a set of one picture
    SpriteSet(const SpriteSet&) = delete;
    SpriteSet& operator=(const SpriteSet&) = delete;
    SDL_Surface* operator[](int i) const { return images[i]; }

  private:
    SDL_Surface* images[N];
};

template <int N> SpriteSet<N>::SpriteSet(const char* const (&paths)[N]) {
    for (int i = 0; i < N; ++i)
        images[i] = spriteStore.shared(paths[i]);
}

template <int N> SpriteSet<N>::SpriteSet(const char* path) {
    static_assert(N == 1, "one path makes a set of one");
    images[0] = spriteStore.shared(path);
}
