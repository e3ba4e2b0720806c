#include "world/Level2.h"
#include "app/Assets.h"
#include "entities/Animals.h"
#include "entities/Obstacles.h"
#include "entities/Pedestrians.h"
#include "entities/Pickups.h"
#include "graphics/Graphics.h"
#include "graphics/Mission.h"
#include "screens/Freerun.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Placement.h"
#include "world/Random.h"
#include <cstring>

int cLevel2::width = 0;
int cLevel2::height = 0;

// The player's numbers are the population: only the trees or palms are left to chance,
// about one for every 25 to 55 pixels of the map's width plus height.
cLevel2::cLevel2() {
    width = freerunWidth;
    height = freerunHeight;

    clearMissionLines();
    std::strcpy(graphics.missionLines[2], "You know you're mission.");

    // A terrain the page shows as "N/A" keeps the black ground the level starts with.
    setTerrainColour(*this, freerunTerrain);

    const int eggCount = 100;
    int extra = freerunDeadCars + freerunChests + freerunPink + freerunMen + freerunCats +
                freerunShops + freerunNosBoosts + eggCount;
    init(width, height, extra);
    game.currentLevel = this;

    if (freerunTerrain == TerrainGrass) {
        int count = randRange((width + height) / 55, (width + height) / 25);
        deadTrees = makeEntities<DeadTree>(count);
        placeAll(deadTrees, count, width, height);
    } else if (freerunTerrain == TerrainDesert) {
        int count = randRange((width + height) / 55, (width + height) / 25);
        palmTrees = makeEntities<PalmTree>(count);
        placeAll(palmTrees, count, width, height);
    }

    deadCars = makeEntities<DeadCar>(freerunDeadCars);
    chests = makeEntities<Chest>(freerunChests);
    pinkMen = makeEntities<PinkMan>(freerunPink);
    blackMen = makeEntities<BlackMan>(freerunMen);
    cats = makeEntities<Cat>(freerunCats);
    shops = makeEntities<Shop>(freerunShops);
    nosBoosts = makeEntities<NosBoost>(freerunNosBoosts);
    eggs = makeEntities<EuroEgg>(eggCount);

    // The eggs were built last but are scattered first; swapping this order would
    // reshuffle every freerun layout that a given seed produces.
    placeAll(eggs, eggCount, width, height);
    placeAll(deadCars, freerunDeadCars, width, height);
    placeAll(chests, freerunChests, width, height);
    placeAll(pinkMen, freerunPink, width, height);
    placeAll(blackMen, freerunMen, width, height);
    placeAll(cats, freerunCats, width, height);
    placeAll(shops, freerunShops, width, height);
    placeAll(nosBoosts, freerunNosBoosts, width, height);

    sound.play(assets::levelRev);
}
