#include "player/Walker.h"
#include "app/Assets.h"
#include "graphics/Graphics.h"
#include "graphics/SpriteStore.h"
#include "sound/Sound.h"
#include "world/Random.h"

namespace {
bool grunted;
}

cWalker::cWalker() { reset(); }

void cWalker::loadImages() {
    for (int i = 0; i < 5; ++i)
        images[i] = spriteStore.shared(assets::manImages[i]);
}

void cWalker::reset() {
    health = 100;
    grunted = false;
    speed = 20;
    direction = 1;
}

void cWalker::step(int dir) {
    if (health < 1) return;
    direction = dir;
    switch (dir) {
    case 1:
        y -= 1;
        break;
    case 2:
        y += 1;
        break;
    case 3:
        x -= 1;
        break;
    case 4:
        x += 1;
        break;
    }
    health -= 1;
}

// The death grunt sounds the first time the dead driver is drawn, once per life.
SDL_Surface* cWalker::currentSprite() {
    if (health > 0) return images[direction - 1];
    if (!grunted) {
        sound.play(assets::grunts[randRange(1, 6) - 1]);
        grunted = true;
    }
    return images[4];
}
