"""Plays the browser build in headless Chromium and checks what the page shows: the
menu and its highlight, keys and a standard gamepad, a game with its HUD text,
sprites without their green boxes, pause and resume, and quitting.

Usage: browser_test.py <page folder> <asset folder> [--screenshot PNG] [--measure]
  --screenshot  also saves a picture of play (at twice the size) for the README
  --measure     also times the fuel on a straight drive and counts level 4's frames
"""

import json
import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "tests", "e2e")]

from browser import Failure, Session, decode_png
from harness import HUD_RECT, MAP_AREA, Picture, close
from play_test import hud_shown, menu_shows


def expect(condition, message):
    if not condition:
        raise Failure(message)


class Pictures:
    def __init__(self, folder):
        load = lambda name: Picture.load(os.path.join(folder, "sprites", name))
        self.menu = load("menu.bmp")
        self.resume = load("menuresume.bmp")
        self.hud = load("hud.bmp")
        self.car_up = load("yellowcar/n.bmp")


def shot(session):
    return Picture(*decode_png(session.screenshot_png()))


def wait_for_picture(session, condition, what, timeout=10):
    deadline = time.monotonic() + timeout
    while True:
        picture = shot(session)
        if condition(picture):
            return picture
        if time.monotonic() > deadline:
            raise Failure("the page never showed " + what)
        time.sleep(0.1)


def start_page(session):
    session.wait_for("typeof Module !== 'undefined' && Module.calledRun === true", 60,
                     "the page to load")


def ink_width(picture, hud, x0, width):
    """Width of the text drawn over the HUD strip from x0: the dark pixels that are not
    the strip's own."""
    columns = [x for x, y, p in picture.pixels((x0 - 2, 216, width, 24))
               if max(p) < 70 and not close(p, hud.pixel(x, y - 216), 30)]
    return max(columns) - min(columns) + 1 if columns else 0


def check_hud_text(session, picture, pictures):
    """The three numbers a new game starts with, in the game's own small font. Their
    widths tell the font and the pound sign apart from a fallback font or a box."""
    expect(session.evaluate("document.fonts.check('12px \"sserife.fon\"') &&"
                            " document.fonts.check('16px \"goudos.ttf\"')"),
           "the game's fonts are not registered with the browser")
    texts = [("100%", 33, 40), ("60\u00a3", 87, 40), ("6m", 166, 30)]
    ink = ("(() => { const c = document.createElement('canvas').getContext('2d');"
           " c.font = '12px \"sserife.fon\"'; return %s.map(t => { const m = c.measureText(t);"
           " return m.actualBoundingBoxLeft + m.actualBoundingBoxRight; }); })()")
    widths = session.evaluate(ink % json.dumps([t for t, _, _ in texts]))
    box_width = session.evaluate(ink % json.dumps(["60\ufffd"]))[0]
    for (text, x0, span), expected in zip(texts, widths):
        seen = ink_width(picture, pictures.hud, x0, span)
        expect(abs(seen - expected) <= 3,
               "HUD text %r is %d pixels wide, %d expected" % (text, seen, round(expected)))
        if text == "60\u00a3":
            expect(abs(seen - expected) < abs(seen - box_width),
                   "the pound sign looks like a replacement box")


def check_menu(session, pictures):
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, None), "the plain menu", 30)
    session.key("Down")
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, 1), "Play highlighted")
    session.key("Down")
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, 2), "the second entry highlighted")
    # A held key: the browser repeats it, the game must see one press.
    for _ in range(4):
        session.key_down("Down", repeat=True)
    session.key_up("Down")
    time.sleep(0.3)
    expect(menu_shows(shot(session), pictures.menu, 2), "a held key moved the highlight more than once")
    session.key("Up")
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, 1), "Play highlighted again")


# A pad in the browser's standard layout, plugged in by replacing the page's gamepad
# list; its buttons are pressed by writing their state, as a browser does.
PLUG_PAD = """window.testPad = {id: 'test pad', index: 0, mapping: 'standard', connected: true,
    timestamp: 1, axes: [0, 0, 0, 0],
    buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
navigator.getGamepads = () => [window.testPad, null, null, null]; true"""
SET_PAD_BUTTON = "testPad.buttons[%d] = {pressed: %s, value: %d}; testPad.timestamp++; true"
STANDARD_DOWN, STANDARD_UP = 13, 12


def pad_press(session, button):
    for pressed in (True, False):
        session.evaluate(SET_PAD_BUTTON % (button, str(pressed).lower(), int(pressed)))
        time.sleep(0.1)


def check_gamepad(session, pictures):
    session.evaluate(PLUG_PAD)
    time.sleep(0.2)
    pad_press(session, STANDARD_DOWN)
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, 2), "the pad moving the highlight down")
    pad_press(session, STANDARD_UP)
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, 1), "the pad moving the highlight up")


def check_game(session, pictures):
    session.key("a")
    picture = wait_for_picture(session, lambda p: hud_shown(p, pictures), "the HUD of a new game")
    check_hud_text(session, picture, pictures)
    greens = sum(1 for _, _, p in picture.pixels(MAP_AREA) if p == (0, 255, 0))
    expect(greens == 0, "%d pixels of sprite background green on the map" % greens)
    car = pictures.car_up
    corner = (160 - car.width // 2, 120 - car.height // 2)
    expect(picture.same_fraction(car, (*corner, car.width, car.height), at=corner) > 0.85,
           "the car is not drawn at the centre of the screen")
    session.key("x")
    wait_for_picture(session, lambda p: menu_shows(p, pictures.resume, 1), "the pause menu")
    session.key("a")
    wait_for_picture(session, lambda p: hud_shown(p, pictures), "the game again after pausing")


def check_quit(session):
    session.key_down("Control", modifiers=2)
    session.key("c", modifiers=2)
    session.key_up("Control")
    time.sleep(0.3)
    before = session.evaluate("Module.framesShown")
    time.sleep(0.5)
    expect(session.evaluate("Module.framesShown") == before, "the game still runs after Ctrl+C")


def save_screenshot(session, path):
    """A moment of play on a map with something on it: a few seconds of driving."""
    for _ in range(10):
        picture = shot(session)
        ground = picture.dominant(MAP_AREA)
        if sum(1 for _, _, p in picture.pixels(MAP_AREA) if not close(p, ground)) > 1500:
            break
        session.evaluate("Module._webEnterLevel(1)")
        time.sleep(0.3)
    session.key_down("space")
    time.sleep(1.5)
    session.key("Left")
    time.sleep(1.0)
    session.key_up("space")
    time.sleep(0.2)
    with open(path, "wb") as out:
        out.write(session.screenshot_png(scale=2))


def start_empty_freerun(session, pictures):
    """A water map of freerun's default, empty population: nothing to touch."""
    wait_for_picture(session, lambda p: menu_shows(p, pictures.menu, None), "the menu", 30)
    for key in ["Down"] * 5 + ["a"] + ["Down"] * 9 + ["Right"] * 2 + ["Down", "a"]:
        session.key(key)
        time.sleep(0.05)
    wait_for_picture(session, lambda p: hud_shown(p, pictures), "the freerun game")


def measure_fuel(session):
    """Game-clock time from the first gas to the last drop of fuel, driving straight to
    and fro inside the screen box."""
    session.key("Right")
    session.key("Right")  # up, up-right, right: a straight heading along the box
    session.key_down("space")
    start = session.evaluate("Module._webGameTicks()")
    heading, fuel = "Right", 6
    while True:
        x, now_fuel = session.evaluate("[Module._webCarX(), Module._webCarFuel()]")
        if now_fuel <= 0:
            break
        expect(now_fuel <= fuel, "the car found fuel on an empty map")
        fuel = now_fuel
        # Turning at a third of the box leaves half a second for a slow poll.
        expect(46 < x < 274, "the car reached the edge of the screen box")
        if heading == "Right" and x > 190 or heading == "Left" and x < 130:
            heading = "Left" if heading == "Right" else "Right"
            session.key(heading)
        time.sleep(0.02)
    session.key_up("space")
    return (session.evaluate("Module._webGameTicks()") - start) / 1000


def measure_level4_rate(session, seconds=5):
    session.evaluate("Module._webEnterLevel(4)")
    time.sleep(1)
    count = ("new Promise(done => { const t0 = performance.now(), f0 = Module.framesShown;"
             " let shown = 0; const tick = () => { shown++;"
             " if (performance.now() - t0 < %d) requestAnimationFrame(tick);"
             " else done([Module.framesShown - f0, shown, performance.now() - t0]); };"
             " requestAnimationFrame(tick); })" % (seconds * 1000))
    frames, shown, elapsed = session.evaluate(count, wait=True)
    return frames * 1000 / elapsed, shown * 1000 / elapsed


def main():
    folder = sys.argv[1]
    screenshot = sys.argv[sys.argv.index("--screenshot") + 1] if "--screenshot" in sys.argv else None
    pictures = Pictures(sys.argv[2])
    session = Session(folder)
    try:
        start_page(session)
        check_menu(session, pictures)
        check_gamepad(session, pictures)
        check_game(session, pictures)
        if screenshot:
            save_screenshot(session, screenshot)
        check_quit(session)
        if "--measure" in sys.argv:
            session.reload()
            start_page(session)
            start_empty_freerun(session, pictures)
            print("fuel lasted %.2f s of game time" % measure_fuel(session))
            frames, shown = measure_level4_rate(session)
            print("level 4: %.1f game frames and %.1f browser frames a second" % (frames, shown))
    except Failure as failure:
        print("FAIL:", failure)
        shots = os.environ.get("VANDAL_BROWSER_SHOTS")
        if shots:
            os.makedirs(shots, exist_ok=True)
            with open(os.path.join(shots, "failure.png"), "wb") as out:
                out.write(session.screenshot_png(scale=3))
        for line in session.console[-20:]:
            print("  page:", line)
        return 1
    finally:
        session.close()
    print("browser test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
