#include "screens/Menu.h"
#include "screens/Credits.h"
#include "app/Assets.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "graphics/SpriteStore.h"
#include "graphics/Text.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include <cstdio>

namespace {

const SDL_Color normalColour = {25, 25, 25, 0};
const SDL_Color highlightColour = {128, 0, 0, 0};
const SDL_Color black = {0, 0, 0, 0};

// Where the six labels sit in the main-list pictures.
const SDL_Rect entryRects[7] = {
    {0, 0, 0, 0},        {165, 15, 143, 27},  {165, 51, 143, 27},  {165, 86, 143, 27},
    {165, 122, 143, 27}, {165, 159, 143, 27}, {165, 193, 143, 34},
};

// Freerun page rows, lines 1 to 11; the gap above the map lines sets them apart.
const int freerunRows[12] = {0, 32, 46, 60, 74, 86, 100, 114, 148, 162, 176, 202};

void blitWhole(SDL_Surface* image, SDL_Surface* target) {
    if (image) SDL_BlitSurface(image, nullptr, target, nullptr);
}

// The counts move in steps that grow with the value, so large crowds are reachable
// without holding the button for a minute.
int countStep(int value) {
    if (value <= 9) return 1;
    if (value <= 99) return 10;
    return 100;
}

int* countSetting(int line) {
    switch (line) {
    case 1:
        return &freerunCats;
    case 2:
        return &freerunMen;
    case 3:
        return &freerunPink;
    case 4:
        return &freerunDeadCars;
    case 5:
        return &freerunShops;
    case 6:
        return &freerunNosBoosts;
    case 7:
        return &freerunChests;
    default:
        return nullptr;
    }
}

const char* terrainText(int terrain) {
    switch (terrain) {
    case 0:
        return "Map Terrain: Grass";
    case 1:
        return "Map Terrain: Desert";
    case 2:
        return "Map Terrain: Water";
    default:
        return "Map Terrain: N/A";
    }
}

// A dead walker means the last game is over, so there is nothing left to resume.
void composeMainList(cMenu& m) {
    SDL_FillRect(m.canvas, nullptr, 0);
    if (walker.getHealth() == 0) {
        blitWhole(m.menuImage, m.canvas);
        m.gameInProgress = 0;
    } else {
        blitWhole(m.gameInProgress ? m.resumeImage : m.menuImage, m.canvas);
    }
}

void show(cMenu& m) {
    if (!m.canvas || !m.screen) return;
    SDL_BlitSurface(m.canvas, nullptr, m.screen, &m.canvasRect);
    SDL_Flip(m.screen);
}

// The highlight darkens the green of the label's bright pixels and leaves its dark
// outline alone. Green is a byte, so a very low green wraps round to a bright one.
void tintEntry(SDL_Surface* canvas, int n) {
    if (n < 1 || n > 6 || !canvas) return;
    tintMenuHighlight(canvas, entryRects[n]);
}

void composeFreerunPage(cMenu& m) {
    // Up and Down on the other pages move `line` without the highlight; the page
    // shows the line that Left and Right are going to change.
    if (m.line >= 1 && m.line <= 11)
        for (int i = 1; i <= 11; ++i)
            lineHighlight[i] = i == m.line;

    const char* formats[8] = {nullptr,         "Cats: %i",  "Men: %i",        "Pink: %i",
                              "Dead Cars: %i", "Shops: %i", "Nos Boosts: %i", "Chests: %i"};
    char text[64];
    for (int i = 1; i <= 11; ++i) {
        const char* shown = text;
        if (i <= 7)
            std::snprintf(text, sizeof text, formats[i], *countSetting(i));
        else if (i == 8)
            std::snprintf(text, sizeof text, "Map Width: %i", freerunWidth);
        else if (i == 9)
            std::snprintf(text, sizeof text, "Map Height: %i", freerunHeight);
        else if (i == 10)
            shown = terrainText(freerunTerrain);
        else
            shown = "< Play Freerun >";
        blitText(m.canvas, m.font, shown, lineHighlight[i] ? highlightColour : normalColour, black,
                 26, freerunRows[i]);
    }
}

void composeCredits(cMenu& m) {
    for (const CreditLine& entry : creditLines)
        blitText(m.canvas, m.font, entry.text, normalColour, black, 26, entry.y);
}

// Left and Right both flip the switch; the mixer itself stays open either way.
void toggleSound(cMenu& m) {
    sound.enabled = sound.enabled ? 0 : 1;
    m.activate(4);
}

} // namespace

void cMenu::loadImages() {
    menuImage = toScreenFormat(loadSprite(assets::menuImage));
    pageImage = toScreenFormat(loadSprite(assets::menuPageImage));
    resumeImage = toScreenFormat(loadSprite(assets::menuResumeImage));
}

cMenu::~cMenu() {
    SDL_FreeSurface(menuImage);
    SDL_FreeSurface(pageImage);
    SDL_FreeSurface(resumeImage);
    SDL_FreeSurface(canvas);
    // The font library may already be shut down when the globals go.
    if (font && TTF_WasInit()) TTF_CloseFont(font);
}

void cMenu::init(SDL_Surface* screenSurface) {
    screen = screenSurface;
    canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    if (!TTF_WasInit()) TTF_Init();
    font = TTF_OpenFont(assets::largeFont, 16);
    canvasRect.x = 0;
    canvasRect.y = 0;
    canvasRect.w = canvas ? static_cast<Uint16>(canvas->w) : 0;
    canvasRect.h = canvas ? static_cast<Uint16>(canvas->h) : 0;
}

void cMenu::draw() {
    composeMainList(*this);
    show(*this);
}

void cMenu::selectItem(int n) {
    item = n;
    composeMainList(*this);
    tintEntry(canvas, n);
    show(*this);
}

void cMenu::activate(int n) {
    SDL_FillRect(canvas, nullptr, 0);
    blitWhole(pageImage, canvas);
    switch (n) {
    case 1:
        page = 0;
        if (gameInProgress == 0) {
            game.destroyCurrentLevel();
            game.enterLevel(1);
        }
        active = 0;
        gameInProgress = 1;
        break;
    case 2:
    case 3:
        page = n;
        break;
    case 4:
        page = 4;
        blitText(canvas, font, sound.enabled ? "Sound: On" : "Sound: Off", normalColour, black, 26,
                 32);
        break;
    case 5:
        page = 6;
        composeFreerunPage(*this);
        break;
    case 6:
        page = 5;
        composeCredits(*this);
        break;
    default:
        break;
    }
    show(*this);
}

void cMenu::selectLine(int n) {
    if (page == 0) return;
    line = n;
    if (page != 6) return;
    for (int i = 1; i <= 11; ++i)
        lineHighlight[i] = i == n;
    activate(5);
}

void cMenu::increase(int n) {
    if (page == 4) {
        toggleSound(*this);
        return;
    }
    if (page != 6) return;
    if (int* count = countSetting(n))
        *count += countStep(*count);
    else if (n == 8)
        freerunWidth += 24;
    else if (n == 9)
        freerunHeight += 24;
    else if (n == 10)
        ++freerunTerrain;
    else
        return;
    activate(5);
}

void cMenu::decrease(int n) {
    if (page == 4) {
        toggleSound(*this);
        return;
    }
    if (page != 6) return;
    int* setting = nullptr;
    int step = 0;
    if (int* count = countSetting(n)) {
        if (*count >= 1) {
            setting = count;
            step = countStep(*count);
        }
    } else if (n == 8) {
        // A map narrower than the screen would leave the car nowhere to scroll to.
        if (freerunWidth > 320) {
            setting = &freerunWidth;
            step = 24;
        }
    } else if (n == 9) {
        if (freerunHeight > 240) {
            setting = &freerunHeight;
            step = 24;
        }
    } else if (n == 10) {
        if (freerunTerrain > 0) {
            setting = &freerunTerrain;
            step = 1;
        }
    }
    if (!setting) return;
    *setting -= step;
    activate(5);
}

void cMenu::startFreerun() {
    gameInProgress = 1;
    active = 0;
    page = 0;
    game.destroyCurrentLevel();
    game.enterLevel(2);
}
