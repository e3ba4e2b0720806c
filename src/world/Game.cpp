#include "world/Game.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Shop.h"
#include "world/Level1.h"
#include "world/Level2.h"
#include "world/Level3.h"
#include "world/Level4.h"

cLevel1* level1Map = nullptr;
cLevel2* level2Map = nullptr;
cLevel3* level3Map = nullptr;
cLevel4* level4Map = nullptr;

void cGame::enterLevel(int n) {
    levelNumber = n;
    if (n == 3 || n == 4)
        player.respawn();
    else
        player.reset();
    walker.reset();
    shop.refresh();
    // Each generator makes itself the current level before it builds its entities.
    switch (n) {
    case 1:
        level1Map = new cLevel1();
        break;
    case 2:
        level2Map = new cLevel2();
        break;
    case 3:
        level3Map = new cLevel3();
        break;
    case 4:
        level4Map = new cLevel4();
        break;
    }
}

namespace {
template <class Level> void retire(Level*& slot, std::vector<std::shared_ptr<void>>& retired) {
    if (!slot) return;
    for (auto& array : slot->entityArrays)
        retired.push_back(std::move(array));
    delete slot;
    slot = nullptr;
}
} // namespace

void cGame::destroyLevel(int n) {
    switch (n) {
    case 1:
        retire(level1Map, retiredEntities);
        break;
    case 2:
        retire(level2Map, retiredEntities);
        break;
    case 3:
        retire(level3Map, retiredEntities);
        break;
    case 4:
        retire(level4Map, retiredEntities);
        break;
    }
}

void cGame::destroyCurrentLevel() { destroyLevel(levelNumber); }

void cGame::releaseRetiredEntities() { retiredEntities.clear(); }
