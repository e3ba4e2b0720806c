#include "app/Loop.h"
#include "app/StartUp.h"

// The handheld's menu starts the game through vandal.gpe, which changes into the
// game's folder first: every file is found from the working directory as it is.
int main(int, char**) {
    startUp();
    return runMainLoop();
}
