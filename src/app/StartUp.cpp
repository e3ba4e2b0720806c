#include "app/StartUp.h"
#include "app/Loop.h"
#include "app/StartUpFailure.h"
#include "app/Timer.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "graphics/SpriteStore.h"
#include "platform/Platform.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include <cstdio>
#include <cstdlib>
#include <string>

void loadGameImages() {
    player.reloadSprites();
    walker.loadImages();
    menu.loadImages();
    shop.loadImage();
    prepareTints(screen->format);
}

void shutDown() {
    // The mixer's thread goes first, so nothing plays into a device SDL is tearing down.
    sound.close();
    spriteStore.release();
    SDL_Quit();
    platform::handOver();
}

namespace {

void startSdl() {
    platform::beforeSdlStarts();
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
        std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
        sound.close();
        std::exit(1);
    }
}

void openJoystick() {
    if (SDL_NumJoysticks() <= 0) return;
    joystick = SDL_JoystickOpen(0);
    if (!joystick) std::fprintf(stderr, "Couldn't open joystick 0: %s\n", SDL_GetError());
}

// Without its interface pictures and fonts the game would show a black screen or
// crash on the first frame; a clear word and an orderly stop is kinder. The start-up
// check has passed them all, so only a file broken since then gets here.
void startRenderer() {
    std::string missing = graphics.init(screen);
    if (!missing.empty()) failStartUp("Vandal Demo cannot load " + missing, 3);
}

} // namespace

void startUp() {
    startSdl();
    std::atexit(shutDown);
    platform::prepareScreen();
    SDL_ShowCursor(0);
    screen = SDL_SetVideoMode(320, 240, 16, 0);
    if (!screen)
        failStartUp(std::string("Couldn't set 320x240x16 video mode: ") + SDL_GetError(), 2);
    loadGameImages();
    openJoystick();
    SDL_WM_SetCaption("Vandal Demo", nullptr);
    menu.init(screen);
    menu.setActive(true);
    menu.draw();
    frameTimer.setRate(60);
    walkerTimer.setRate(walker.getSpeed());
    startRenderer();
}
