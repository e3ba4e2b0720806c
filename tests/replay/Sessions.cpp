#include "replay/Sessions.h"
#include "app/Loop.h"
#include "entities/BaseEntity.h"
#include "graphics/Graphics.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Menu.h"
#include "screens/Shop.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <algorithm>

std::vector<Session> allSessions() {
    std::vector<Session> sessions;
    auto add = [&](const char* kind, Plan plan, int count, int seconds) {
        for (int i = 1; i <= count; ++i)
            sessions.push_back({std::string(kind) + "-" + std::to_string(i), plan,
                                static_cast<unsigned>(1000 * static_cast<int>(plan) + i), seconds});
    };
    add("menu", Plan::MenuTour, 4, 12);
    add("drive", Plan::Drive, 8, 15);
    add("pad", Plan::PadDrive, 4, 15);
    add("freerun", Plan::Freerun, 5, 12);
    add("lastmiles", Plan::LastMiles, 6, 15);
    return sessions;
}

namespace {

class Player {
  public:
    Player(const Session& s, Controls& c) : session(s), controls(c), rng(s.seed) {}

    void play() {
        Uint32 end = static_cast<Uint32>(session.seconds) * 1000;
        while (elapsed < end) {
            act();
            wait(1 + rng() % 250);
        }
    }

  private:
    const Session& session;
    Controls& controls;
    std::mt19937 rng;
    Uint32 elapsed = 0;
    bool gas = false;

    bool pad() const { return session.plan == Plan::PadDrive; }
    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    void wait(Uint32 ms) {
        controls.wait(ms);
        elapsed += ms;
    }

    void key(SDLKey sym, bool down, int mod = KMOD_NONE) {
        controls.push(keyEvent(sym, down ? SDL_KEYDOWN : SDL_KEYUP, mod));
    }
    void button(int b, bool down) {
        controls.push(buttonEvent(b, down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP));
    }
    void tap(SDLKey sym, int b) {
        if (pad() && b >= 0) {
            button(b, true);
            button(b, false);
        } else {
            key(sym, true);
            key(sym, false);
        }
        wait(1 + rng() % 40);
    }

    void up() { tap(SDLK_UP, ButtonUp); }
    void down() { tap(SDLK_DOWN, ButtonDown); }
    void left() { tap(SDLK_LEFT, ButtonLeft); }
    void right() { tap(SDLK_RIGHT, ButtonRight); }
    void choose() { tap(SDLK_a, ButtonA); }
    void back() { tap(SDLK_b, ButtonX); }
    void pause() { tap(SDLK_x, ButtonStart); }

    void setGas(bool held) {
        if (held == gas) return;
        gas = held;
        if (pad())
            button(ButtonA, held);
        else
            key(SDLK_SPACE, held);
    }

    void act() {
        if (menu.isActive())
            inMenu();
        else if (shop.isOpen())
            inShop();
        else
            driving();
    }

    // The menu is toured for its own sake in the tour; elsewhere it leads back in.
    void inMenu() {
        if (session.plan == Plan::MenuTour) return tourMenu();
        if (session.plan == Plan::Freerun) return startFreerun();
        while (menu.page != 0)
            back();
        while (menu.item != 1)
            menu.item > 1 ? up() : down();
        choose();
    }

    void tourMenu() {
        switch (pick(8)) {
        case 0:
        case 1:
            up();
            break;
        case 2:
        case 3:
            down();
            break;
        case 4:
            left();
            break;
        case 5:
            right();
            break;
        case 6:
            if (menu.item != 1 || menu.page != 0) choose();
            break;
        default:
            back();
        }
    }

    // The page's lines are counts, sizes and the terrain; a few presses on each, then
    // the start line.
    void startFreerun() {
        while (menu.page != 0)
            back();
        while (menu.item != 5)
            menu.item > 5 ? up() : down();
        choose();
        for (int line = 1; line < 11; ++line) {
            for (int presses = pick(6); presses > 0; --presses)
                chance(75) ? right() : left();
            down();
        }
        choose();
    }

    void inShop() {
        switch (pick(6)) {
        case 0:
            up();
            break;
        case 1:
        case 2:
            down();
            break;
        case 3:
        case 4:
            choose();
            break;
        default:
            back();
        }
    }

    void driving() {
        int roll = pick(100);
        if (roll < 40) {
            steer();
        } else if (roll < 60) {
            setGas(!gas || chance(30));
        } else if (roll < 66) {
            back(); // NOS, or walking nowhere
        } else if (roll < 72) {
            tap(SDLK_q, ButtonL);
        } else if (roll < 78) {
            tap(SDLK_w, ButtonR);
        } else if (roll < 80) {
            setGas(false);
            pause();
        } else if (roll < 92) {
            help();
        } else {
            setGas(true);
        }
    }

    void steer() {
        switch (pick(4)) {
        case 0:
            return up();
        case 1:
            return down();
        case 2:
            return left();
        default:
            return right();
        }
    }

    // A helping hand now and then, so that every session meets huts, exits and the end
    // of its fuel in its few seconds.
    void help() {
        if (!game.currentLevel) return;
        std::vector<BaseEntity*> exits, huts;
        for (BaseEntity* e : game.currentLevel->entities) {
            if (e->kind == KindPortal || e->kind == KindHellrift) exits.push_back(e);
            if (e->kind == KindShop) huts.push_back(e);
        }
        int choice = pick(10);
        if (choice < 2 && !huts.empty()) {
            placeNearCar(*huts[rng() % huts.size()]);
        } else if (choice < 4 && !exits.empty()) {
            placeNearCar(*exits[rng() % exits.size()]);
        } else if (choice < 6) {
            player.addPendingMoney(pick(3000));
            player.setEggs(player.getEggs() + pick(4));
        } else if (session.plan == Plan::LastMiles && player.getFuel() > 0) {
            player.fuel = 1;
            player.distance = 840;
        } else if (session.plan == Plan::LastMiles) {
            walker.setHealth(std::max(0, walker.getHealth() - pick(40)));
        } else {
            player.addPendingFuel(pick(20));
        }
    }

    // Drawn one after the other: the order of a call's arguments is the compiler's.
    void placeNearCar(BaseEntity& e) {
        int dx = pick(41) - 20;
        int dy = pick(41) - 20;
        e.setPosition(player.x - graphics.cameraX + dx, player.y - graphics.cameraY + dy);
    }
};

} // namespace

void playSession(const Session& session, Controls& controls) { Player(session, controls).play(); }
