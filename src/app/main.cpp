#include "app/DataFolder.h"
#include "app/Loop.h"

// The menu, the shop and the walker load their pictures while they are built, before
// main runs, from the working directory; so the game's folder becomes the working
// directory before any of them is built.
[[gnu::constructor(101)]] static void enterGameFolder() { enterDataFolder(); }

int main(int, char**) {
    startUp();
    return runMainLoop();
}
