#pragma once
#include "entities/Kinds.h"
#include "world/Level.h"

// The freerun map, built from the menu's freerun settings as they stand.
class cLevel2 : public cLevel {
  public:
    static int width;
    static int height;
    DeadCar* deadCars = nullptr;
    Chest* chests = nullptr;
    PinkMan* pinkMen = nullptr;
    BlackMan* blackMen = nullptr;
    Cat* cats = nullptr;
    Shop* shops = nullptr;
    NosBoost* nosBoosts = nullptr;
    DeadTree* deadTrees = nullptr;
    PalmTree* palmTrees = nullptr;
    EuroEgg* eggs = nullptr;

    cLevel2();
};
