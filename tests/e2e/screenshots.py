"""Plays the real game in a private X server and writes pictures of it, scaled 2x,
for the README: menu.png, level1.png, freerun.png, shop.png and gameover.png.

Usage: screenshots.py <path to vandal> <output folder>   (run from the game folder)
"""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean

import harness
from harness import PANEL_RECT, Failure, Game, Picture, XServer, wait_until
import play_test
from play_test import Pictures, hud_shown, menu_shows, highlighted_line


def set_line(game, line, presses):
    """On the freerun page, from line `line` - 1, steps down to `line` and presses Right."""
    game.key("Down")
    game.wait_for(lambda s: highlighted_line(s) == line, what="line %d" % line)
    game.key(*["Right"] * presses)


def open_freerun_page(game, pictures):
    game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the menu")
    game.key(*["Down"] * 5)
    game.wait_for(lambda s: menu_shows(s, pictures.menu, 5), what="entry 5")
    game.key("a")
    game.wait_for(lambda s: highlighted_line(s) == 1, what="freerun page")


def menu_and_level_one(game, pictures, out):
    game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the menu")
    game.key("Down")
    game.wait_for(lambda s: menu_shows(s, pictures.menu, 1), what="entry 1")
    game.save(os.path.join(out, "menu.png"), 2)
    game.key("a")
    # No driving: a portal near the start would take the car on to another level.
    game.wait_for(lambda s: hud_shown(s, pictures) and play_test.ground_of(s), what="level 1")
    game.save(os.path.join(out, "level1.png"), 2)


def busy_freerun(game, pictures, out):
    shop = Picture.load(os.path.join("sprites", "shopscreen.bmp"))
    open_freerun_page(game, pictures)
    game.key(*["Right"] * 12)  # 30 cats
    set_line(game, 2, 12)      # 30 men
    set_line(game, 3, 12)      # 30 pink men
    set_line(game, 4, 5)       # 5 wrecks
    set_line(game, 5, 10)      # 10 shops
    set_line(game, 6, 3)       # 3 NOS boosts
    set_line(game, 7, 10)      # 10 chests
    for line in (8, 9, 10, 11):
        game.key("Down")
    game.wait_for(lambda s: highlighted_line(s) == 11, what="line 11")
    game.key("a")
    game.wait_for(lambda s: hud_shown(s, pictures), what="the freerun game")
    time.sleep(0.3)
    game.save(os.path.join(out, "freerun.png"), 2)

    def in_shop(picture):
        return picture.same_fraction(shop, PANEL_RECT, at=PANEL_RECT[:2]) > 0.7
    for heading in ("Up", "Left", "Down", "Right", "Up", "Left", "Down", "Right"):
        game.key(heading)
        game.key_down("space")
        try:
            wait_until(lambda: in_shop(game.shot()), 2.5, "a shop")
            game.key_up("space")
            game.key("Down")
            time.sleep(0.3)
            game.save(os.path.join(out, "shop.png"), 2)
            return
        except Failure:
            pass
        finally:
            game.key_up("space")
    print("shop.png skipped: the car found no shop on this map")


def game_over(game, pictures, out):
    # An empty freerun map: nothing on it pushes the car about, so every step burns fuel.
    open_freerun_page(game, pictures)
    game.key(*["Down"] * 10)
    game.wait_for(lambda s: highlighted_line(s) == 11, what="line 11")
    game.key("a")
    game.wait_for(lambda s: hud_shown(s, pictures), what="the freerun game")

    def tinted(picture):
        r, g, b = picture.pixel(5, 5)
        return r == 255 and b == 0 and picture.pixel(5, 230)[0] == 255
    # Up and down across the middle of the map until the fuel runs out (about 32
    # seconds), then the driver walks his last hundred steps.
    game.key_down("space")
    try:
        deadline = time.monotonic() + 90
        heading, leg = "Up", 1.0
        while time.monotonic() < deadline and not tinted(game.shot()):
            game.key(heading)
            time.sleep(leg)
            heading, leg = ("Down" if heading == "Up" else "Up"), 2.0
    finally:
        game.key_up("space")
    game.wait_for(tinted, 20, "the game-over tint")
    time.sleep(0.3)
    game.save(os.path.join(out, "gameover.png"), 2)


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
