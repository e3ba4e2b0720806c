"""Plays the real game in a private X server and checks what the screen shows.

Usage: play_test.py <path to vandal>   (run from the game folder, beside the assets)
"""

import os
import sys
import time
import traceback

sys.dont_write_bytecode = True  # keep the source folder clean

import harness
from harness import (DESERT, GROUNDS, HUD_RECT, MAP_AREA, MENU_ENTRIES, PANEL_RECT,
                     FREERUN_LINE_Y, TEXT_GREY, TEXT_RED, Failure, Game, Picture, XServer, close)

SPRITES = "sprites"


def expect(condition, message):
    if not condition:
        raise Failure(message)


class Pictures:
    """The game's own pictures, to compare the screen with."""

    def __init__(self):
        load = lambda name: Picture.load(os.path.join(SPRITES, name))
        self.menu = load("menu.bmp")
        self.resume = load("menuresume.bmp")
        self.hud = load("hud.bmp")
        self.mission = load("missionscreen.bmp")
        self.stats = load("statscreen.bmp")
        self.car_up = load("yellowcar/n.bmp")
        self.car_down = load("yellowcar/s.bmp")


# ---------------------------------------------------------------------------- helpers

def is_tinted(shot, image, entry):
    """Entry `entry` of the list shows the highlight: its light pixels have 30 less green."""
    rect = MENU_ENTRIES[entry]
    light = tinted = 0
    for x, y, p in shot.pixels(rect):
        q = image.pixel(x, y)
        if max(q) <= 60:
            continue
        light += 1
        r, g, b = q
        tinted += close(p, (r, (g - 30) % 256, b))
    return light > 0 and tinted / light > 0.9


def menu_shows(shot, image, highlighted):
    """The whole menu picture with only `highlighted` (or no entry, for None) tinted."""
    for entry, rect in MENU_ENTRIES.items():
        if entry == highlighted:
            if not is_tinted(shot, image, entry):
                return False
        elif shot.same_fraction(image, rect) < 0.98:
            return False
    left = (0, 0, 160, 240)
    return shot.same_fraction(image, left) > 0.98


def ground_of(shot):
    colour = shot.dominant(MAP_AREA)
    for name, ground in GROUNDS.items():
        if close(colour, ground):
            return name
    return None


def hud_shown(shot, pictures):
    return shot.same_fraction(pictures.hud, HUD_RECT, at=(0, 216)) > 0.8


def panel(shot, pictures):
    """Which overlay panel covers the map, or None."""
    mission = shot.same_fraction(pictures.mission, PANEL_RECT, at=PANEL_RECT[:2])
    stats = shot.same_fraction(pictures.stats, PANEL_RECT, at=PANEL_RECT[:2])
    if max(mission, stats) < 0.8:
        return None
    return "mission" if mission > stats else "stats"


def car_position(shot, sprite, column=(158, 162)):
    """Where the car is when it drives along the middle column of the screen."""
    return shot.find(sprite, (column[0], 20, column[1], 200))


def line_rect(line):
    """Where the line's letters stand: the large font leaves 3 rows blank above its
    capitals, and lines 4 and 5 are only 12 pixels apart."""
    return (26, FREERUN_LINE_Y[line - 1] + 3, 180, 12)


def highlighted_line(shot):
    """The freerun line drawn in red; every other line must be in the plain colour."""
    red = [line for line in range(1, 12) if shot.count(line_rect(line), TEXT_RED, 10) > 5]
    grey = [line for line in range(1, 12) if shot.count(line_rect(line), TEXT_GREY, 10) > 5]
    # Descenders of one line reach into the next one's rectangle, so a red line may
    # hold a few grey pixels too.
    if len(red) == 1 and all(line in grey for line in range(1, 12) if line != red[0]):
        return red[0]
    return None


def vertical_shift(before, after, rect, ground):
    """The downward shift that best lays `before`'s scenery over `after`'s, and its score."""
    def scenery(shot):
        return {(x, y) for x, y, p in shot.pixels(rect) if not close(p, ground, 20)}
    old, new = scenery(before), scenery(after)
    if len(old) < 50:
        raise Failure("too little scenery on the map to see it move (%d pixels)" % len(old))
    best = (0.0, 0)
    for dy in range(0, 160, 2):
        moved = [(x, y + dy) for x, y in old if y + dy < rect[1] + rect[3]]
        if len(moved) < 50:
            break
        score = sum(1 for p in moved if p in new) / len(moved)
        best = max(best, (score, dy))
    return best[1], best[0]


# ---------------------------------------------------------------------------- cases

def menu_and_level_one(game, pictures, check):
    with check("the game opens on the menu with nothing highlighted"):
        game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the plain menu")

    with check("Down and Up move the highlight over the entries"):
        game.key("Down")
        game.wait_for(lambda s: menu_shows(s, pictures.menu, 1), what="entry 1 highlighted")
        game.key("Down", "Down")
        game.wait_for(lambda s: menu_shows(s, pictures.menu, 3), what="entry 3 highlighted")
        game.key("Up", "Up", "Up")  # the third Up stops at the top
        game.wait_for(lambda s: menu_shows(s, pictures.menu, 1), what="entry 1 highlighted again")

    with check("Play starts level 1 on one of the three grounds, with the HUD"):
        game.key("a")
        shot = game.wait_for(lambda s: hud_shown(s, pictures) and ground_of(s), 5,
                             "level 1 ground and HUD")
        expect(car_position(shot, pictures.car_up) == (160, 120),
               "the car does not start at the centre facing up")

    with check("holding Space drives the car up, releasing it stops the car"):
        game.hold("space", 0.5)
        time.sleep(0.2)
        first = car_position(game.shot(), pictures.car_up)
        expect(first is not None and first[1] < 116, "the car did not drive up: %s" % (first,))
        time.sleep(0.4)
        second = car_position(game.shot(), pictures.car_up)
        expect(second == first, "the car kept moving after Space was released: %s, %s" % (first, second))

    with check("the car stops at the top of its screen box while the view scrolls"):
        game.hold("space", 1.6)
        time.sleep(0.1)
        at_edge = car_position(game.shot(), pictures.car_up)
        expect(at_edge is not None and 40 <= at_edge[1] <= 52,
               "the car is not held at the box edge: %s" % (at_edge,))

    with check("q and w toggle the mission and statistics panels"):
        game.key("q")
        game.wait_for(lambda s: panel(s, pictures) == "mission", what="mission panel")
        game.key("w")
        game.wait_for(lambda s: panel(s, pictures) == "stats", what="statistics over the mission panel")
        game.key("w")
        game.wait_for(lambda s: panel(s, pictures) == "mission", what="mission panel again")
        game.key("q")
        game.wait_for(lambda s: panel(s, pictures) is None, what="both panels gone")
        game.key("w")
        game.wait_for(lambda s: panel(s, pictures) == "stats", what="statistics panel alone")
        game.key("w")
        game.wait_for(lambda s: panel(s, pictures) is None, what="no panel")

    with check("x pauses to the resume menu and Play resumes the same game"):
        # The drive may have crossed a portal to another level; what counts is the
        # picture just before the pause.
        before = game.shot()
        ground, car = ground_of(before), car_position(before, pictures.car_up)
        expect(car is not None, "the car is not in the middle column before the pause")
        game.key("x")
        game.wait_for(lambda s: menu_shows(s, pictures.resume, 1), what="resume menu, entry 1 highlighted")
        game.key("a")
        after = game.wait_for(lambda s: hud_shown(s, pictures), what="the game again")
        expect(ground_of(after) == ground, "the ground changed: a new game, not the old one")
        expect(car_position(after, pictures.car_up) == car,
               "the car is not where it was before the pause")
        same = after.same_fraction(before, MAP_AREA)
        expect(same > 0.85, "the map looks different after resuming (%.2f alike)" % same)

    with check("releasing Space while the menu is shown stops the car"):
        game.key("Down")
        game.key_down("space")
        time.sleep(0.15)
        game.key("x")
        try:
            game.wait_for(lambda s: menu_shows(s, pictures.resume, 1), what="resume menu")
        finally:
            game.key_up("space")
        game.key("a")
        game.wait_for(lambda s: hud_shown(s, pictures), what="the game again")
        time.sleep(0.2)
        first = car_position(game.shot(), pictures.car_down)
        time.sleep(0.5)
        second = car_position(game.shot(), pictures.car_down)
        expect(first is not None and second == first,
               "the car drove on without the gas held: %s, %s" % (first, second))

    with check("Ctrl+C quits with status 0"):
        status = game.quit()
        expect(status == 0, "exit status %d" % status)


def freerun(game, pictures, check):
    lines = {}
    with check("the Freerun entry opens its page with the first line highlighted"):
        game.wait_for(lambda s: menu_shows(s, pictures.menu, None), what="the plain menu")
        game.key("Down", "Down", "Down", "Down", "Down")
        game.wait_for(lambda s: menu_shows(s, pictures.menu, 5), what="entry 5 highlighted")
        game.key("a")
        shot = game.wait_for(lambda s: highlighted_line(s) == 1, what="freerun page, line 1 red")
        lines["cats"] = shot.crop_bytes(line_rect(1))

    with check("Right and Left change the value of the highlighted line"):
        game.key("Right")
        shot = game.wait_for(lambda s: s.crop_bytes(line_rect(1)) != lines["cats"], what="Cats value change")
        expect(highlighted_line(shot) == 1, "the highlight left line 1")
        game.key("Left")
        game.wait_for(lambda s: s.crop_bytes(line_rect(1)) == lines["cats"], what="Cats value back")

    with check("Down and Up move the highlight over the lines"):
        game.key("Down")
        game.wait_for(lambda s: highlighted_line(s) == 2, what="line 2 red")
        game.key("Down", "Down", "Down", "Down", "Down")
        game.wait_for(lambda s: highlighted_line(s) == 7, what="line 7 red")
        game.key("Up")
        game.wait_for(lambda s: highlighted_line(s) == 6, what="line 6 red")

    with check("the terrain line steps through the grounds and back"):
        game.key("Down", "Down", "Down", "Down")
        shot = game.wait_for(lambda s: highlighted_line(s) == 10, what="line 10 red")
        grass = shot.crop_bytes(line_rect(10))
        game.key("Right")
        shot = game.wait_for(lambda s: s.crop_bytes(line_rect(10)) != grass, what="terrain text change")
        desert = shot.crop_bytes(line_rect(10))
        game.key("Right")
        game.wait_for(lambda s: s.crop_bytes(line_rect(10)) not in (grass, desert), what="third terrain")
        game.key("Left")
        game.wait_for(lambda s: s.crop_bytes(line_rect(10)) == desert, what="desert text again")

    with check("Chests can be set to 30 on their line"):
        game.key("Up", "Up", "Up")
        game.wait_for(lambda s: highlighted_line(s) == 7, what="line 7 red")
        before = game.shot().crop_bytes(line_rect(7))
        game.key(*["Right"] * 12)
        game.wait_for(lambda s: s.crop_bytes(line_rect(7)) != before, what="Chests value change")

    with check("Play Freerun starts a game on the chosen desert ground"):
        game.key("Down", "Down", "Down", "Down")
        game.wait_for(lambda s: highlighted_line(s) == 11, what="line 11 red")
        game.key("a")
        game.wait_for(lambda s: hud_shown(s, pictures) and ground_of(s) == "desert", what="desert freerun")

    with check("driving on past the box edge scrolls the map under the car"):
        before = game.shot()
        game.hold("space", 2.0)
        time.sleep(0.1)
        after = game.shot()
        # Palm trees push the car aside, so it may have left the middle column; the
        # scenery on both sides shows the scroll all the same.
        shifts = [vertical_shift(before, after, rect, DESERT) for rect in
                  ((0, 0, 140, 212), (180, 0, 140, 212))]
        dy, score = max(shifts, key=lambda s: s[1])
        print("        scenery shift %d, match %.2f" % (dy, score))
        expect(score > 0.7 and dy >= 20,
               "the scenery did not move down under the car (shift %d, match %.2f)" % (dy, score))

    with check("Ctrl+C quits with status 0 from a game"):
        status = game.quit()
        expect(status == 0, "exit status %d" % status)


# ---------------------------------------------------------------------------- runner

class Checker:
    def __init__(self):
        self.failures = []
        self.stopped = False

    def __call__(self, name):
        checker = self

        class Case:
            def __enter__(self):
                self.started = time.monotonic()
                return self

            def __exit__(self, kind, error, trace):
                if kind is None:
                    print("  ok    %s (%.1fs)" % (name, time.monotonic() - self.started), flush=True)
                    return False
                if not issubclass(kind, (Failure, AssertionError)):
                    return False
                print("  FAIL  %s: %s" % (name, error), flush=True)
                checker.failures.append(name)
                # Later cases build on this one's state, so the session stops here.
                raise StopSession()
        return Case()


class StopSession(Exception):
    pass


SESSION_ATTEMPTS = 3


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    executable = os.path.abspath(sys.argv[1])
    shots_dir = os.environ.get("VANDAL_E2E_SHOTS", os.path.join(os.getcwd(), "e2e-failures"))
    started = time.monotonic()
    check = Checker()
    xserver = XServer()
    try:
        pictures = Pictures()
        for name, session in (("menu and level 1", menu_and_level_one), ("freerun", freerun)):
            # Every run of the game draws its own random map, and a tree or a portal in
            # the car's way can spoil a check about driving. A real fault fails on every
            # map, so a session gets a few maps before its failures count.
            for attempt in range(1, SESSION_ATTEMPTS + 1):
                print(name if attempt == 1 else "%s, again on a new map" % name, flush=True)
                failed_before = len(check.failures)
                game = Game(xserver, executable, shots_dir)
                try:
                    session(game, pictures, check)
                except StopSession:
                    pass
                except Failure as error:
                    print("  FAIL  %s" % error)
                    check.failures.append(name)
                finally:
                    game.kill()
                if len(check.failures) == failed_before:
                    break
                if attempt < SESSION_ATTEMPTS:
                    del check.failures[failed_before:]
    except Exception:
        traceback.print_exc()
        check.failures.append("harness")
    finally:
        xserver.stop()
    print("%s in %.0fs" % ("FAILED: " + ", ".join(check.failures) if check.failures else "all passed",
                           time.monotonic() - started))
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
