#include "app/Loop.h"
#include "app/StartUp.h"
#include "platform/desktop/DataFolder.h"

int main(int, char**) {
    // Every file is opened by a path relative to the game's folder.
    enterDataFolder();
    startUp();
    return runMainLoop();
}
