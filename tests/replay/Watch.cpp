// The game's invariants, watched through every replayed pass: a session whose frames
// still match the record can hide a counter that has run off its range until a later
// change shows it on screen.
#include "replay/Watch.h"
#include "app/Loop.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "world/Game.h"
#include "world/Level1.h"
#include "world/Level2.h"
#include "world/Level3.h"
#include "world/Level4.h"
#include <sstream>

namespace {

cLevel* slotOf(int n) {
    cLevel* slots[] = {nullptr, level1Map, level2Map, level3Map, level4Map};
    return n >= 0 && n <= 4 ? slots[n] : nullptr;
}

void checkRanges(std::ostringstream& broken) {
    if (player.health > 999) broken << "health " << player.health << "; ";
    if (player.fuel > 999) broken << "fuel " << player.fuel << "; ";
    if (carHeading < 1 || carHeading > 8) broken << "heading " << carHeading << "; ";
    if (walkerDirection < 1 || walkerDirection > 4) broken << "walking " << walkerDirection << "; ";
    if (walker.health < 0 || walker.health > 100)
        broken << "walker health " << walker.health << "; ";
    if (shop.cursor < 0 || shop.cursor > 8) broken << "shop cursor " << shop.cursor << "; ";
    if (menu.line < 1 || menu.line > 11) broken << "menu line " << menu.line << "; ";
    if (menu.item < 0 || menu.item > 6) broken << "menu item " << menu.item << "; ";
}

cLevel* lastLevel = nullptr;
size_t lastSize = 0;

void checkLevels(std::ostringstream& broken, bool frameRan) {
    if (game.levelNumber != 0 &&
        (!game.currentLevel || game.currentLevel != slotOf(game.levelNumber)))
        broken << "level " << game.levelNumber << " is not the current one; ";
    // A level's list never loses an entry; a new level shows as retired arrays.
    cLevel* level = game.currentLevel;
    size_t size = level ? level->entities.size() : 0;
    bool newLevel = !game.retiredEntities.empty() || level != lastLevel;
    if (!newLevel && level && size < lastSize)
        broken << "entity list shrank from " << lastSize << " to " << size << "; ";
    lastLevel = level;
    lastSize = size;
    // The old maps go with the frame after a switch: only levels left in this very
    // pass may still wait.
    if (frameRan && game.retiredEntities.size() > 2 * 17)
        broken << game.retiredEntities.size() << " retired arrays after a frame; ";
    if (game.retiredEntities.size() > 6 * 17)
        broken << game.retiredEntities.size() << " retired arrays; ";
}

} // namespace

std::string checkAfterPass(bool frameRan) {
    std::ostringstream broken;
    checkRanges(broken);
    checkLevels(broken, frameRan);
    return broken.str();
}
