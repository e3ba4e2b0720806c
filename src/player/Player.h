#pragma once
#include "world/Point.h"
#include <SDL/SDL.h>

// The player's car: its place on the screen, its heading and every resource the
// player earns or spends. It moves in 2-pixel steps paced by the main loop's timers,
// and scrolls the map instead of moving when it would leave the screen box.
class cPlayer {
  public:
    int menKilled = 0;
    int catsKilled = 0;
    int dogsKilled = 0;
    int pinkKilled = 0;
    int levelCount = 0;
    int nukeRadius = 0;
    int x = 160; // screen position of the centre
    int y = 120;
    int heading = 1;
    int speed = 80;
    int baseSpeed = 80;
    int health = 100;
    int money = 60;
    int fuel = 6; // miles
    Uint8 nosBurning = 0;
    Uint8 nosReady = 0;
    int distance = 0; // units driven since the last mile was used
    int pendingMoney = 0;
    int pendingFuel = 0;
    Uint8 alive = 1;
    Uint8 nukeActive = 0;
    int engineLevel = 0;
    int eggs = 0;
    int nukes = 0;
    int nosDelimiters = 1;
    SDL_Surface* sprites[9] = {}; // by heading 1..8; index 0 unused
    SDL_Surface* deadSprite = nullptr;

    cPlayer();

    cPlayer(const cPlayer&) = delete;
    cPlayer& operator=(const cPlayer&) = delete;

    void reset();
    void respawn();
    void reloadSprites();

    void moveStraight(int dir);
    void moveDiagonal(int dir);
    void update();
    SDL_Surface* currentSprite();
    Point getPosition() const { return {x, y}; }
    void setPosition(int newX, int newY) {
        x = newX;
        y = newY;
    }

    int getHeading() const { return heading; }
    int getSpeed() const { return speed; }
    void setSpeed(int v) { speed = v; }
    int getBaseSpeed() const { return baseSpeed; }
    int getEngineLevel() const { return engineLevel; }
    void setEngineLevel(int level);
    int getHealth() const { return health; }
    void setHealth(int h);
    int getMoney() const { return money; }
    void setMoney(int m) { money = m; }
    int getFuel() const { return fuel; }
    int getEggs() const { return eggs; }
    void setEggs(int n) { eggs = n; }
    bool isNosBurning() const { return nosBurning; }
    void setNosBurning(bool b) { nosBurning = b; }
    bool isNosReady() const { return nosReady; }
    void setNosReady(bool b) { nosReady = b; }
    int getNosDelimiters() const { return nosDelimiters; }
    void setNosDelimiters(int n) { nosDelimiters = n; }
    void addNukes(int n) { nukes += n; }
    bool isNukeActive() const { return nukeActive; }
    void useNukeExhaust();
    int getPendingMoney() const { return pendingMoney; }
    void addPendingMoney(int n) { pendingMoney += n; }
    void addPendingFuel(int n) { pendingFuel += n; }
    void nosBoost();
    void nudge();

  private:
    void loadSprites();
    void freeSprites();
    bool scrollAtScreenBox();
    bool correctAtMapEdges();
    void useFuel();
    void stepNukeRing();
    void countInMoney();
    void countInFuel();
};

extern cPlayer player;

// Forgets when the car last stepped its nuke ring and count-ups, as at program start.
// A test whose clock starts earlier than the previous test's needs this.
void resetCarClocks();
