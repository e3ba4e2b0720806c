#include "app/DataFolder.h"
#include "app/Loop.h"

int main(int, char**) {
    // Every file is opened by a path relative to the game's folder.
    enterDataFolder();
    startUp();
    return runMainLoop();
}
