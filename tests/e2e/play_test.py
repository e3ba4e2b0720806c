"""What only a real window shows: the game opens its window with its caption, a key
reaches the menu, a game starts and pauses back to the menu, and Ctrl+C quits with
status 0. Everything behind the window is tested in process.

Usage: play_test.py <path to vandal>   (run from the game folder, beside the assets)
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean

from harness import Failure, Game, Pictures, XServer, ground_of, hud_shown, menu_shows


def smoke(game, pictures):
    game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the menu, nothing highlighted")
    game.key("Down")
    game.wait_for(lambda s: menu_shows(s, pictures.menu, 1), what="Down highlighting entry 1")
    game.key("a")
    game.wait_for(lambda s: hud_shown(s, pictures) and ground_of(s), what="level 1 with its HUD")
    game.key("x")
    game.wait_for(lambda s: menu_shows(s, pictures.resume, 1), what="the pause menu offering Resume")
    game.key("a")
    game.wait_for(lambda s: hud_shown(s, pictures), what="the game again")
    status = game.quit()
    if status != 0:
        raise Failure("Ctrl+C quit with status %d" % status)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    xserver = XServer()
    game = None
    try:
        game = Game(xserver, os.path.abspath(sys.argv[1]))
        smoke(game, Pictures())
    except Failure as error:
        print("FAILED: %s" % error)
        return 1
    finally:
        if game:
            game.kill()
        xserver.stop()
    print("window, menu, game, pause and quit all work")
    return 0


if __name__ == "__main__":
    sys.exit(main())
