#include "app/Loop.h"
#include "app/StartUp.h"
#include "graphics/Graphics.h"
#include "graphics/SpriteStore.h"
#include "screens/Menu.h"
#include "sound/Sound.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

// The tests share one dummy screen, set up the way start-up sets up the real one.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
    screen = SDL_SetVideoMode(320, 240, 16, 0);
    loadGameImages();
    menu.init(screen);
    graphics.init(screen);
    resetGame();
    int status = RUN_ALL_TESTS();
    resetGame();
    spriteStore.release();
    sound.close();
    SDL_Quit();
    return status;
}
