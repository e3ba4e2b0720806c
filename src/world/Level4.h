#pragma once
#include "entities/Kinds.h"
#include "world/Level.h"

// Behind every hellrift: a small, crowded map whose only exits lead back to level 3.
class cLevel4 : public cLevel {
  public:
    int width = 0;
    int height = 0;
    PinkMan* pinkMen = nullptr;
    BlackMan* blackMen = nullptr;
    Cat* cats = nullptr;
    DeadTree* deadTrees = nullptr;
    PalmTree* palmTrees = nullptr;
    Dog* dogs = nullptr;
    EuroEgg* eggs = nullptr;
    Flower* flowers = nullptr;
    Portal* portals = nullptr;

    int pinkManCount = 0;
    int blackManCount = 0;
    int catCount = 0;
    int dogCount = 0;
    int deadTreeCount = 0;
    int palmTreeCount = 0;
    int eggCount = 0;
    int portalCount = 0;
    int flowerCount = 0;

    cLevel4();

    // Draws the population of every kind for the current width, height and terrain,
    // exactly as the constructor does; resets all counts first.
    void drawPopulation(int terrain);
};
