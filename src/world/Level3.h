#pragma once
#include "entities/Kinds.h"
#include "world/Level.h"

// The map behind every portal: every kind, each present in about half of the maps,
// at densities that grow with the map's area.
class cLevel3 : public cLevel {
  public:
    int width = 0;
    int height = 0;
    DeadCar* deadCars = nullptr;
    Chest* chests = nullptr;
    PinkMan* pinkMen = nullptr;
    BlackMan* blackMen = nullptr;
    Cat* cats = nullptr;
    Shop* shops = nullptr;
    NosBoost* nosBoosts = nullptr;
    DeadTree* deadTrees = nullptr;
    PalmTree* palmTrees = nullptr;
    Possie* possies = nullptr;
    Dog* dogs = nullptr;
    EuroEgg* eggs = nullptr;
    Afro* afros = nullptr;
    Flower* flowers = nullptr;
    Portal* portals = nullptr;
    Soap* soaps = nullptr;
    Hellrift* hellrifts = nullptr;

    int deadCarCount = 0;
    int chestCount = 0;
    int pinkManCount = 0;
    int blackManCount = 0;
    int catCount = 0;
    int dogCount = 0;
    int shopCount = 0;
    int nosBoostCount = 0;
    int deadTreeCount = 0;
    int palmTreeCount = 0;
    int possieCount = 0;
    int afroCount = 0;
    int eggCount = 0;
    int portalCount = 0;
    int flowerCount = 0;
    int soapCount = 0;
    int hellriftCount = 0;

    cLevel3();

    // Draws the population of every kind for the current width, height and terrain,
    // exactly as the constructor does; resets all counts first.
    void drawPopulation(int terrain);
};
