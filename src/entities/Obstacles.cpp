#include "entities/Obstacles.h"
#include "app/Assets.h"
#include "app/Clock.h"
#include "player/Player.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include "world/Random.h"

Uint32 afroChopTick = 0;

namespace {
// One frame of the chopping animation; every second frame lands a blow.
constexpr Uint32 kChopFramePeriod = 180;
constexpr int kChopDamage = 3;
} // namespace

DeadCar::DeadCar() : BaseEntity(KindDeadCar, 20), images(assets::deadCarImages) {}

// A wreck has a little fuel left in its tank, and only the first crush gets it.
void DeadCar::hit(int) {
    if (crushed) return;
    sound.play(assets::wreckCrush);
    player.addPendingFuel(randRange(1, 4));
    crushed = 1;
    crushLook = randRange(1, 4);
}

SDL_Surface* DeadCar::currentSprite() { return crushed ? images[crushLook] : images[0]; }

DeadTree::DeadTree() : BaseEntity(KindDeadTree, 16), image(assets::deadTreeImage) {}

void DeadTree::hit(int) { player.nudge(); }

SDL_Surface* DeadTree::currentSprite() { return image[0]; }

PalmTree::PalmTree() : BaseEntity(KindPalmTree, 16), image(assets::palmTreeImage) {}

void PalmTree::hit(int) { player.nudge(); }

SDL_Surface* PalmTree::currentSprite() { return image[0]; }

Shop::Shop() : BaseEntity(KindShop, 30), image(assets::hutImage) {}

// The bell rings once per hut; the screen opens whenever the car stands in the door.
void Shop::hit(int) {
    if (!visited) {
        sound.play(assets::enterShop);
        visited = 1;
    }
    shop.setOpen(true);
}

SDL_Surface* Shop::currentSprite() { return image[0]; }

Afro::Afro() : BaseEntity(KindAfro, 20), images(assets::afroImages) {}

void Afro::hit(int) {
    if (!greeted) {
        sound.play(assets::afroVoices[randRange(1, 5) - 1]);
        greeted = 1;
    }
    Uint32 now = ticksNow();
    if (now < afroChopTick + kChopFramePeriod) return;
    // The swing up (frame 2) is free; the blow comes on the way down to frame 1.
    if (frame == 2) {
        frame = 1;
        player.setHealth(player.getHealth() - kChopDamage);
        sound.play(assets::chop);
    } else {
        frame = 2;
    }
    afroChopTick = now;
}

SDL_Surface* Afro::currentSprite() {
    if (frame == 1) return images[1];
    if (frame == 2) return images[2];
    return images[0];
}
