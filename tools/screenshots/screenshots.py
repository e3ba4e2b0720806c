"""Plays the real game in a private X server and writes pictures of it, scaled 2x,
for the README: menu.png, level1.png, freerun.png, shop.png and gameover.png.

Usage: screenshots.py <path to vandal> <output folder>   (run from the game folder)
"""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
# The play checks' harness drives the game for these pictures too.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))

from harness import PANEL_RECT, Failure, Game, Pictures, XServer, ground_of, hud_shown, menu_shows, wait_until


def start_freerun(game, pictures, presses):
    """From the menu, sets the freerun page's lines 1 to 7 with `presses` Rights each
    and starts the map. The game takes the keys in order, so they need no checking."""
    game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the menu")
    game.key(*["Down"] * 5)
    game.wait_for(lambda s: menu_shows(s, pictures.menu, 5), what="entry 5")
    game.key("a")
    game.wait_for(lambda s: not menu_shows(s, pictures.menu, 5), what="the freerun page")
    for count in presses:
        game.key(*["Right"] * count, "Down")
    game.key(*["Down"] * (11 - 1 - len(presses)), "a")
    game.wait_for(lambda s: hud_shown(s, pictures), what="the freerun game")
    time.sleep(0.3)


def menu_and_level_one(game, pictures, out):
    game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the menu")
    game.key("Down")
    game.wait_for(lambda s: menu_shows(s, pictures.menu, 1), what="entry 1")
    game.save(os.path.join(out, "menu.png"))
    game.key("a")
    # No driving: a portal near the start would take the car on to another level.
    game.wait_for(lambda s: hud_shown(s, pictures) and ground_of(s), what="level 1")
    game.save(os.path.join(out, "level1.png"))


def busy_freerun(game, pictures, out):
    # 30 cats, men and pink men, 5 wrecks, 10 shops, 3 NOS boosts, 10 chests.
    start_freerun(game, pictures, (12, 12, 12, 5, 10, 3, 10))
    game.save(os.path.join(out, "freerun.png"))
    in_shop = lambda: game.shot().same_fraction(pictures.shop, PANEL_RECT, at=PANEL_RECT[:2]) > 0.7
    for heading in ("Up", "Left", "Down", "Right") * 2:
        game.key(heading)
        game.hold("space")
        try:
            wait_until(in_shop, 2.5, "a shop")
            game.hold("space", False)
            game.key("Down")
            time.sleep(0.3)
            game.save(os.path.join(out, "shop.png"))
            return
        except Failure:
            pass
        finally:
            game.hold("space", False)
    print("shop.png skipped: the car found no shop on this map")


def game_over(game, pictures, out):
    # An empty map: nothing on it pushes the car about, so every step burns fuel. Up
    # and down across it until the fuel runs out (about 32 seconds), then the driver
    # walks his last hundred steps.
    start_freerun(game, pictures, ())

    def tinted(picture):
        r, g, b = picture.pixel(5, 5)
        return r == 255 and b == 0 and picture.pixel(5, 230)[0] == 255
    game.hold("space")
    try:
        deadline, heading, leg = time.monotonic() + 90, "Up", 1.0
        while time.monotonic() < deadline and not tinted(game.shot()):
            game.key(heading)
            time.sleep(leg)
            heading, leg = ("Down" if heading == "Up" else "Up"), 2.0
    finally:
        game.hold("space", False)
    game.wait_for(tinted, 20, "the game-over tint")
    time.sleep(0.3)
    game.save(os.path.join(out, "gameover.png"))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    executable, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(out, exist_ok=True)
    xserver = XServer()
    try:
        pictures = Pictures()
        for take in (menu_and_level_one, busy_freerun, game_over):
            game = Game(xserver, executable)
            try:
                take(game, pictures, out)
                game.quit()
            except Failure as error:
                print("%s skipped: %s" % (take.__name__, error))
            finally:
                game.kill()
    finally:
        xserver.stop()
    print("pictures written to %s" % out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
