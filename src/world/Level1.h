#pragma once
#include "entities/Kinds.h"
#include "world/Level.h"

// The opening level: a quiet map of plants, flowers and four to thirteen portals.
class cLevel1 : public cLevel {
  public:
    int width = 0;
    int height = 0;
    DeadTree* deadTrees = nullptr;
    PalmTree* palmTrees = nullptr;
    Flower* flowers = nullptr;
    Portal* portals = nullptr;

    cLevel1();
};
