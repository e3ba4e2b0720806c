#include "entities/Pickups.h"
#include "app/Assets.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "sound/Sound.h"
#include "world/Random.h"
#include <cstring>

namespace {} // namespace

Chest::Chest() : BaseEntity(KindChest, 25), images(assets::chestImages) {}

// Most chests hold small change; about a quarter hold a real haul. The car counts the
// money in itself, coin sound and all.
void Chest::hit(int) {
    if (opened) return;
    int roll = randRange(0, 100);
    int amount = roll > 25 ? randRange(1, 60) : randRange(100, 300);
    player.addPendingMoney(amount);
    opened = 1;
}

SDL_Surface* Chest::currentSprite() { return opened ? images[1] : images[0]; }

NosBoost::NosBoost() : BaseEntity(KindNosBoost, 15), images(assets::nosBoostImages) {}

void NosBoost::hit(int) {
    if (used) return;
    sound.play(assets::nosRev);
    player.nosBoost();
    used = 1;
}

SDL_Surface* NosBoost::currentSprite() { return used ? images[1] : images[0]; }

Possie::Possie() : BaseEntity(KindPossie, 20), images(assets::possieImages) {}

void Possie::hit(int) {
    if (!waiting) return;
    outcome = randRange(1, 3);
    int voice = randRange(1, 4) - 1;
    if (outcome == 1) {
        sound.play(assets::possieCheers[voice]);
        player.setHealth(player.getHealth() + 20);
    } else {
        // Can take a car on its last legs past zero: that is the gamble.
        sound.play(assets::possieGroans[voice]);
        player.setHealth(player.getHealth() - 20);
    }
    waiting = 0;
}

SDL_Surface* Possie::currentSprite() {
    if (waiting) return images[0];
    return outcome == 2 ? images[2] : images[1];
}

EuroEgg::EuroEgg() : BaseEntity(KindEuroEgg, 10), image(assets::eggImage) {}

// A hidden egg is not there to be found; a collected one hides until the next lucky
// cat kill moves it somewhere else.
void EuroEgg::hit(int) {
    if (!shown) return;
    sound.play(assets::eggPickup);
    player.setEggs(player.getEggs() + 1);
    shown = 0;
}

SDL_Surface* EuroEgg::currentSprite() { return image[0]; }

Soap::Soap() : BaseEntity(KindSoap, 10), images(assets::soapImages) {}

void Soap::hit(int) {
    if (!used) {
        sound.play(assets::children[randRange(1, 4) - 1]);
        player.reloadSprites();
        used = 1;
    }
    // The frame clears the speech line after drawing it, so it is said again in every
    // touching frame to stay on screen while the car sits on the soap.
    std::memset(graphics.speechText, 0, sizeof graphics.speechText);
    std::strcpy(graphics.speechText, "Free blood removal, spick and span.");
}

SDL_Surface* Soap::currentSprite() { return used ? images[1] : images[0]; }

Flower::Flower()
    : BaseEntity(KindFlower, 8), flowers(assets::flowerImages),
      withered(assets::witheredFlowerImages) {
    living = 1;
    witheredLook = randRange(0, 4);
    look = randRange(0, 8);
}

SDL_Surface* Flower::currentSprite() {
    return living == 1 ? flowers[look] : withered[witheredLook];
}
