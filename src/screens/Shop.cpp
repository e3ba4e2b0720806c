#include "screens/Shop.h"
#include "app/Assets.h"
#include "entities/Animals.h"
#include "entities/BaseEntity.h"
#include "entities/Pedestrians.h"
#include "graphics/Graphics.h"
#include "graphics/SpriteStore.h"
#include "player/Player.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Level.h"

namespace {

enum Offer {
    KillKitten = 0,
    KillDog = 1,
    MileOfGas = 2,
    SmallHealth = 3,
    LargeHealth = 4,
    NukeExhaust = 5,
    EngineUpgrade = 6,
    NosDelimiter = 7,
    Resurrection = 8,
    LastOffer = 8,
};

// "\xA3" stays a literal of its own: the digits after it would extend the escape.
// clang-format off
// Offers 0 to 5 never change their text; the list is rebuilt from these.
const char* const fixedTexts[6] = {
    "\xA3" "35 - Kill a Kitten",
    "\xA3" "65 - Kill a Dog",
    "\xA3" "45 - Mile of Gass",
    "\xA3" "25 - Small Health",
    "\xA3" "50 - Large Health",
    "\xA3" "120 - Nuke Exhaust x3",
};
const char* const nosDelimiterText = "\xA3" "100 - Nos Delimiter x3";
const char* const resurrectionText = "\xA3" "3000+1E - Resurrect the Dead";

// Money for offers 0 to 5 and 7; the engine and the resurrection have their own.
const int moneyPrices[9] = {35, 65, 45, 25, 50, 120, 0, 100, 3000};
const int resurrectionEggs = 1;

// Each upgrade is the price of the next level; a level-6 engine is the fastest.
const int topEngineLevel = 6;
const struct {
    const char* text;
    int money;
    int eggs;
} engineOffers[topEngineLevel] = {
    {"\xA3" "160 - Engine Upgrade L1", 160, 0},
    {"\xA3" "360+1E - Engine Upgrade L2", 360, 1},
    {"\xA3" "560+3E - Engine Upgrade L3", 560, 3},
    {"\xA3" "890+5E - Engine Upgrade L4", 890, 5},
    {"\xA3" "1300+6E - Engine Upgrade L5", 1300, 6},
    {"\xA3" "2200+8E - Engine Upgrade L6", 2200, 8},
};
// clang-format on

bool hasEngineOffer(int level) { return level >= 0 && level < topEngineLevel; }

void refuse() { sound.play(assets::shopRefuse); }

// The life flag of the four living kinds; everything else on the map has none.
int* lifeOf(BaseEntity* entity) {
    if (!entity) return nullptr;
    switch (entity->kind) {
    case KindCat:
    case KindDog:
        return &static_cast<Animal*>(entity)->alive;
    case KindPinkMan:
    case KindBlackMan:
        return &static_cast<Pedestrian*>(entity)->alive;
    default:
        return nullptr;
    }
}

BaseEntity* firstLiving(int kind) {
    if (!game.currentLevel) return nullptr;
    for (BaseEntity* entity : game.currentLevel->entities) {
        int* life = lifeOf(entity);
        if (life && *life && entity->kind == kind) return entity;
    }
    return nullptr;
}

// Only the dead of the four living kinds come back; everything else on the map keeps
// its state, used pickups included.
void raiseTheDead() {
    if (!game.currentLevel) return;
    for (BaseEntity* entity : game.currentLevel->entities)
        if (int* life = lifeOf(entity)) *life = 1;
}

void chargeMoney(int price) { player.setMoney(player.getMoney() - price); }

} // namespace

cShop::cShop() {
    for (const char* text : fixedTexts)
        items.push_back(text);
    // The car is built after the shop, so its engine is not read here: every game
    // starts at level 0, and entering a level refreshes the offers from the car.
    items.push_back(engineOffers[0].text);
    items.push_back(nosDelimiterText);
    items.push_back(resurrectionText);
}

void cShop::loadImage() { screenImage = toScreenFormat(loadSprite(assets::shopScreenImage)); }

cShop::~cShop() { SDL_FreeSurface(screenImage); }

void cShop::moveCursor(int direction) {
    if (direction == 1 && cursor > 0) --cursor;
    if (direction == 2 && cursor < LastOffer) ++cursor;
}

int cShop::itemStyle(int index) const {
    if (index == cursor) return 1;
    int money = player.getMoney();
    int eggs = player.getEggs();
    bool affordable = true;
    if (index == EngineUpgrade) {
        // A finished engine costs nothing to look at, so it is not greyed out.
        int level = player.getEngineLevel();
        if (hasEngineOffer(level))
            affordable = money >= engineOffers[level].money && eggs >= engineOffers[level].eggs;
    } else if (index == Resurrection) {
        affordable = money >= moneyPrices[Resurrection] && eggs >= resurrectionEggs;
    } else if (index >= 0 && index <= LastOffer) {
        affordable = money >= moneyPrices[index];
    }
    return affordable ? 0 : 2;
}

void cShop::buy() {
    // Money from a pickup is still running up on the HUD; selling now would let the
    // player spend a total they cannot see yet.
    if (player.getPendingMoney() > 0) {
        refuse();
        return;
    }
    const int money = player.getMoney();
    const int eggs = player.getEggs();
    switch (cursor) {
    case KillKitten:
    case KillDog: {
        const int price = moneyPrices[cursor];
        BaseEntity* victim =
            money - price >= 0 ? firstLiving(cursor == KillKitten ? KindCat : KindDog) : nullptr;
        if (!victim) {
            refuse();
            return;
        }
        // A bought dog must not dent the car the way a rammed one does; the kill
        // plays its own sound, so the till stays quiet.
        victim->hit(cursor == KillKitten ? 1 : 0);
        chargeMoney(price);
        return;
    }
    case MileOfGas:
    case SmallHealth:
    case LargeHealth:
    case NukeExhaust:
    case NosDelimiter: {
        const int price = moneyPrices[cursor];
        if (money - price < 0) {
            refuse();
            return;
        }
        switch (cursor) {
        case MileOfGas:
            player.addPendingFuel(1);
            break;
        case SmallHealth:
            player.setHealth(player.getHealth() + 30);
            break;
        case LargeHealth:
            player.setHealth(player.getHealth() + 70);
            break;
        case NukeExhaust:
            player.addNukes(3);
            break;
        case NosDelimiter:
            player.setNosDelimiters(player.getNosDelimiters() + 3);
            break;
        }
        chargeMoney(price);
        sound.play(assets::shopBuy);
        return;
    }
    case EngineUpgrade: {
        const int level = player.getEngineLevel();
        if (!hasEngineOffer(level) || money - engineOffers[level].money < 0 ||
            eggs - engineOffers[level].eggs < 0) {
            refuse();
            return;
        }
        player.setEngineLevel(level + 1);
        refresh();
        chargeMoney(engineOffers[level].money);
        player.setEggs(player.getEggs() - engineOffers[level].eggs);
        sound.play(assets::shopBuy);
        return;
    }
    case Resurrection:
        if (money < moneyPrices[Resurrection] || eggs < resurrectionEggs) {
            refuse();
            return;
        }
        raiseTheDead();
        chargeMoney(moneyPrices[Resurrection]);
        player.setEggs(player.getEggs() - resurrectionEggs);
        return;
    default:
        return;
    }
}

// The engine entry names the next upgrade; once the last one is bought it keeps
// showing that one.
void cShop::refresh() {
    for (int i = 0; i < 6; ++i)
        items.at(i) = fixedTexts[i];
    int level = player.getEngineLevel();
    if (hasEngineOffer(level)) items.at(EngineUpgrade) = engineOffers[level].text;
}
