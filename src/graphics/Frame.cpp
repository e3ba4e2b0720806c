#include "app/Assets.h"
#include "app/Clock.h"
#include "entities/Animals.h"
#include "entities/Pedestrians.h"
#include "entities/Pickups.h"
#include "graphics/FireRing.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Random.h"
#include <cassert>
#include <cstdio>
#include <cstring>

// Shared clocks, so a crowd sounds like a crowd and not like a choir: at most one
// meow and one bark per frame.
int barkInterval;
int barkLast;
int meowInterval;
int meowLast;

namespace {

constexpr int kCullDistance = 300;

void ambientCall(int& last, int& interval, const char* const (&calls)[4]) {
    Uint32 now = ticksNow();
    if (now < static_cast<Uint32>(last + interval)) return;
    sound.play(calls[randRange(1, 5) - 1]);
    interval = randRange(1000, 5500);
    last = static_cast<int>(now);
}

void stepMovingKind(BaseEntity* entity) {
    switch (entity->kind) {
    case KindPinkMan:
    case KindBlackMan:
        static_cast<Pedestrian*>(entity)->update();
        break;
    case KindCat:
    case KindDog:
        static_cast<Animal*>(entity)->update();
        break;
    }
}

void drawRings(cGraphics& g, BaseEntity* exit, Point centre) {
    exit->currentSprite();
    // One lock for all the rings, rather than one for each.
    SurfaceLock lock(g.backBuffer);
    for (int r = exit->reach; r > 0; r -= 6)
        g.rasterCircle(centre.x, centre.y, r);
}

void drawEntity(cGraphics& g, BaseEntity* entity, Point p) {
    switch (entity->kind) {
    case KindEuroEgg:
        if (static_cast<EuroEgg*>(entity)->isVisible()) g.drawSprite(entity->currentSprite(), p);
        break;
    case KindPortal:
    case KindHellrift:
        drawRings(g, entity, p);
        break;
    case KindCat:
        if (static_cast<Animal*>(entity)->isAlive())
            ambientCall(meowLast, meowInterval, assets::meows);
        g.drawSprite(entity->currentSprite(), p);
        break;
    case KindDog:
        if (static_cast<Animal*>(entity)->isAlive())
            ambientCall(barkLast, barkInterval, assets::barks);
        g.drawSprite(entity->currentSprite(), p);
        break;
    default:
        g.drawSprite(entity->currentSprite(), p);
    }
}

bool isExit(const BaseEntity* entity) {
    return entity->kind == KindPortal || entity->kind == KindHellrift;
}

// An exit's touch replaces the level, and the walk ends there: going on in the new
// level's list could touch a second exit near the landing spot in the same frame.
// The new level's entities move and draw from the next frame. Returns true then.
bool entityPass(cGraphics& g) {
    for (size_t i = 0; i < game.currentLevel->entities.size(); ++i) {
        BaseEntity* entity = game.currentLevel->entities[i];
        if (!entity) continue;
        Point p = screenPosition(*entity);
        if (withinDistance(player.getPosition(), p, entity->reach)) {
            entity->hit(1);
            if (isExit(entity)) return true;
        }
        if (!withinDistance(player.getPosition(), p, kCullDistance)) continue;
        stepMovingKind(entity);
        drawEntity(g, entity, p);
    }
    return false;
}

// Trees are drawn again over the car and the walker so that they pass under them.
void treePass(cGraphics& g) {
    for (BaseEntity* entity : game.currentLevel->entities) {
        if (!entity) continue;
        if (entity->kind != KindDeadTree && entity->kind != KindPalmTree) continue;
        Point p = screenPosition(*entity);
        if (!withinDistance(player.getPosition(), p, kCullDistance)) continue;
        g.drawSprite(entity->currentSprite(), p);
    }
}

void drawHudNumber(cGraphics& g, int x, const char* format, int value) {
    char text[64];
    std::memset(text, 0, sizeof text);
    std::snprintf(text, sizeof text, format, value);
    g.drawHudText(x, 216, text);
}

void drawHud(cGraphics& g) {
    SDL_BlitSurface(g.hudImage, nullptr, g.backBuffer, &hudRect);
    int health = player.getFuel() <= 0 ? walker.getHealth() : player.getHealth();
    drawHudNumber(g, 33, "%i%%", health);
    drawHudNumber(g, 87, "%i\xA3", player.getMoney());
    drawHudNumber(g, 166, "%im", player.getFuel());
    drawHudNumber(g, 220, "%i", player.getEggs());
    SDL_Surface* gauge = player.isNosBurning() ? g.nosBurnImage
                         : player.isNosReady() ? g.nosOnImage
                                               : g.nosOffImage;
    SDL_BlitSurface(gauge, nullptr, g.backBuffer, &nosRect);
}

void drawSpeechBox(cGraphics& g) {
    if (g.speechText[0] == '\0') return;
    g.drawSpeech(g.speechText);
    std::memset(g.speechText, 0, sizeof g.speechText);
}

void drawPanel(cGraphics& g, SDL_Surface* image) {
    SDL_Rect where = missionRect;
    SDL_BlitSurface(image, nullptr, g.backBuffer, &where);
}

void drawShop(cGraphics& g) {
    if (!shop.isOpen()) return;
    drawPanel(g, shop.getScreenImage());
    if (shop.items.empty()) return;
    for (int i = 0; i < 9; ++i)
        g.drawListText(42, 34 + 14 * i, shop.items.at(i), shop.itemStyle(i));
}

void drawMission(cGraphics& g) {
    if (g.showMission != 1) return;
    drawPanel(g, g.missionImage);
    for (int i = 0; i < 9; ++i)
        g.drawText(42, 34 + 14 * i, g.missionLines[i], 2);
}

void drawStats(cGraphics& g) {
    if (g.showStats != 1) return;
    drawPanel(g, g.statsImage);
    const struct {
        int y;
        const char* format;
        int value;
    } lines[] = {{72, "Cats Killed: %i", player.catsKilled},
                 {86, "Dogs Killed: %i", player.dogsKilled},
                 {100, "Men Killed: %i", player.menKilled},
                 {114, "Pink Killed: %i", player.pinkKilled},
                 {128, "Level: %i", player.levelCount}};
    for (const auto& line : lines) {
        char text[64];
        std::snprintf(text, sizeof text, line.format, line.value);
        g.drawText(42, line.y, text, 2);
    }
}

} // namespace

void cGraphics::drawFireRing(int cx, int cy, int r) {
    for (int flame = 0; flame < kFireRingFlames; ++flame)
        drawSprite(fireImage, fireRingFlame({cx, cy}, r, flame));
}

void cGraphics::frame() {
    // The frame that switched levels is over: what it walked can go now.
    game.releaseRetiredEntities();
    cLevel* level = game.currentLevel;
    SDL_FillRect(backBuffer, &screenRect,
                 SDL_MapRGB(backBuffer->format, static_cast<Uint8>(level->red),
                            static_cast<Uint8>(level->green), static_cast<Uint8>(level->blue)));
    player.update();
    beginSprites();
    bool levelSwitched = entityPass(*this);
    drawSprite(player.currentSprite(), player.getPosition());
    if (player.getFuel() <= 0) drawSprite(walker.currentSprite(), walker.getPosition());
    if (!levelSwitched) treePass(*this);
    if (player.isNukeActive()) drawFireRing(player.x, player.y, player.nukeRadius);
    endSprites();
    drawHud(*this);
    drawSpeechBox(*this);
    drawShop(*this);
    drawMission(*this);
    drawStats(*this);
    if (walker.getHealth() == 0) tintGameOver(backBuffer, screenRect);
    SDL_BlitSurface(backBuffer, nullptr, screen, &screenRect);
    SDL_Flip(screen);
}

// Every pixel draws its three colour values even when it falls off the screen, so the
// random numbers that follow come out the same wherever the ring is.
void cGraphics::rasterCircle(int x0, int y0, int radius) {
    SurfaceLock lock(backBuffer);
    const SDL_PixelFormat* format = backBuffer->format;
    Uint8* pixels = static_cast<Uint8*>(backBuffer->pixels);
    int pitch = backBuffer->pitch;
    int width = backBuffer->w < 320 ? backBuffer->w : 320;
    int height = backBuffer->h < 240 ? backBuffer->h : 240;
    auto plot = [=](int x, int y) {
        Uint8 r = static_cast<Uint8>(randRange(0, 255));
        Uint8 g = static_cast<Uint8>(randRange(0, 255));
        Uint8 b = static_cast<Uint8>(randRange(0, 255));
        if (x < 0 || x >= width || y < 0 || y >= height) return;
        reinterpret_cast<Uint16*>(pixels + y * pitch)[x] = packRgb(format, r, g, b);
    };
    int f = 1 - radius;
    int ddF_x = 1;
    int ddF_y = -2 * radius;
    int x = 0;
    int y = radius;
    plot(x0, y0 + radius);
    plot(x0, y0 - radius);
    plot(x0 + radius, y0);
    plot(x0 - radius, y0);
    while (x < y) {
        assert(ddF_x == 2 * x + 1);
        assert(ddF_y == -2 * y);
        assert(f == x * x + y * y - radius * radius + 2 * x - y + 1);
        if (f >= 0) {
            y--;
            ddF_y += 2;
            f += ddF_y;
        }
        x++;
        ddF_x += 2;
        f += ddF_x;
        plot(x0 + x, y0 + y);
        plot(x0 - x, y0 + y);
        plot(x0 + x, y0 - y);
        plot(x0 - x, y0 - y);
        plot(x0 + y, y0 + x);
        plot(x0 - y, y0 + x);
        plot(x0 + y, y0 - x);
        plot(x0 - y, y0 - x);
    }
}
