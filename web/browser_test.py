"""Plays the browser build in headless Chromium and checks what the page shows and
sounds: the replay's sessions against the desktop's record, the menu and its
highlight, keys and a standard gamepad, a game and its pause, the canvas holding the
frame the game uploaded, the browser's own keys, the picture's scale and full screen,
sound (the first one heard, none held back, at most eight, never past full scale),
a quiet console, touch controls on a phone in both orientations, the busy map's cost
and offline play.

Usage: browser_test.py <page folder> <asset folder> [--screenshot PNG] [--measure]
  --screenshot  also saves a picture of play (at twice the size) for the README, and
                the phone's two layouts beside it (phone-portrait.png, phone-landscape.png)
  --measure     also times the fuel on a straight drive and counts level 4's frames

Every wait polls with a bound, so a slow machine only makes the run slower; timings
are reported, never held to a threshold.
"""

import base64
import gzip
import os
import statistics
import sys
import time

sys.dont_write_bytecode = True  # keep the source folder clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "tests", "e2e")]

from browser import Failure, Session
from harness import MAP_AREA, Picture, close
from play_test import hud_shown, menu_shows

GOLDEN = os.path.join(HERE, "..", "tests", "replay", "golden-desktop.txt")

# Before the page's own scripts: counts every canvas call and every sound started,
# taps the audio on its way out to read its peaks, and notes the status line's texts
# and whether each key's default was let through.
WATCH_PAGE = r"""
(() => {
  const calls = window.canvasCalls = {count: 0};
  const context = CanvasRenderingContext2D.prototype;
  for (const name of ['putImageData', 'drawImage', 'getImageData', 'fillRect', 'fillText',
                      'clearRect', 'createImageData'])
    context[name] = ((real) => function() { calls.count++; return real.apply(this, arguments); })(context[name]);
  const audio = window.audioSeen = {started: 0, playing: 0, most: 0, peak: 0, starts: []};
  const destination = Object.getOwnPropertyDescriptor(BaseAudioContext.prototype, 'destination').get;
  const Real = window.AudioContext;
  window.AudioContext = class extends Real {
    constructor(...options) {
      super(...options);
      const meter = this.createAnalyser(), tap = this.createGain(), samples = new Float32Array(32768);
      meter.fftSize = samples.length;
      tap.connect(destination.call(this));
      tap.connect(meter);
      Object.defineProperty(this, 'destination', {value: tap});
      setInterval(() => {
        meter.getFloatTimeDomainData(samples);
        for (const v of samples) audio.peak = Math.max(audio.peak, Math.abs(v));
      }, 150);
    }
    createBufferSource() {
      const source = super.createBufferSource(), start = source.start.bind(source);
      source.start = (...when) => {
        audio.started++;
        audio.most = Math.max(audio.most, ++audio.playing);
        audio.starts.push(performance.now());
        source.addEventListener('ended', () => audio.playing--);
        start(...when);
      };
      return source;
    }
  };
  window.statusSeen = [];
  window.keysLetThrough = {};
  addEventListener('keydown', (event) => { keysLetThrough[event.key] = !event.defaultPrevented; });
  document.addEventListener('DOMContentLoaded', () => {
    const line = document.getElementById('status');
    if (line) new MutationObserver(() => statusSeen.push(line.textContent))
                .observe(line, {childList: true, characterData: true, subtree: true});
  });
})();
"""

# The frame last put on the canvas, as the game uploaded it (RGBA, 320x240).
READ_FRAME = """(() => { const d = Module.screenFrame.data; let s = '';
  for (let i = 0; i < d.length; i += 8192) s += String.fromCharCode.apply(null, d.subarray(i, i + 8192));
  return btoa(s); })()"""


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


def frame(session):
    rgba = base64.b64decode(session.evaluate(READ_FRAME))
    rgb = bytearray(320 * 240 * 3)
    for channel in range(3):
        rgb[channel::3] = rgba[channel::4]
    return Picture(320, 240, bytes(rgb))


def wait_for_frame(session, condition, what, timeout=15):
    deadline = time.monotonic() + timeout
    while True:
        picture = frame(session)
        if condition(picture):
            return picture
        if time.monotonic() > deadline:
            raise Failure("the page never showed " + what)
        time.sleep(0.1)


def start_page(session, page="vandal.html"):
    session.reload(page)
    session.wait_for("typeof Module !== 'undefined' && Module.calledRun === true", 60, "the page to load")
    session.wait_for("Module.screenFrame !== undefined", 30, "the first frame")


def keys(session, names, pause=0.03):
    for name in names:
        session.key(name)
        time.sleep(pause)


def check_download(folder):
    """What a player downloads, compressed as a web server would send it."""
    packed = lambda name: len(gzip.compress(open(os.path.join(folder, name), "rb").read(), 9))
    code = packed("vandal.wasm") + packed("vandal.js")
    data = packed("vandal.data")
    print("download: %.1f KB of code (wasm and js), %.0f KB of data, compressed" % (code / 1024, data / 1024))
    expect(code <= 120 * 1024, "the page's code is %.1f KB compressed" % (code / 1024))
    expect(data <= 1.5 * 1024 * 1024, "the page's data is %.0f KB compressed" % (data / 1024))


def check_replay(session):
    """Every seeded session of tests/replay, each in a fresh page, frame for frame and
    sound for sound as the desktop recorded it."""
    golden = [line.split() for line in open(GOLDEN) if line.strip() and not line.startswith("#")]
    differing = []
    for name, *record in golden:
        session.reload("replay.html?session=" + name)
        line = session.wait_for("typeof Module !== 'undefined' && Module.lines"
                                " && Module.lines.find(l => l.startsWith('replay'))", 120, name)
        if line.split()[1:] != [name] + record:
            differing.append("%s: %s, recorded %s" % (name, line, " ".join(record)))
    expect(not differing, "the page's replay differs from the desktop's:\n  " + "\n  ".join(differing))
    print("replay: %d sessions as the desktop recorded them" % len(golden))


def check_loading(session):
    session.wait_for("statusLine.textContent === ''", 30, "the status line to clear")
    seen = session.evaluate("statusSeen")
    expect(any(text.startswith("Loading") and "%" in text for text in seen),
           "the status line never showed the loading progress: %r" % seen)


def check_scale(session, width, height):
    """The picture at a whole scale of 320x240 that fits, the next one up not."""
    session.viewport(width, height)
    time.sleep(0.3)
    left, top, w, h = session.canvas_box()
    scale = w / 320
    expect(scale == int(scale) and h == 240 * scale, "%dx%d: the canvas is %gx%g" % (width, height, w, h))
    expect(left >= 0 and top >= 0 and left + w <= width and top + h <= height,
           "%dx%d: the canvas does not fit" % (width, height))
    expect(320 * (scale + 1) > width - 32 or 240 * (scale + 1) > height - 64,
           "%dx%d: the picture could be larger than %dx" % (width, height, scale))


def check_layout(session):
    for width, height in ((1280, 800), (1920, 1080), (800, 600)):
        check_scale(session, width, height)
    session.key("F11")
    session.wait_for("document.fullscreenElement === game", 10, "full screen")
    time.sleep(0.3)
    width, height = session.evaluate("[innerWidth, innerHeight]")
    left, top, w, h = session.canvas_box()
    expect(abs(left + w / 2 - width / 2) <= 1 and abs(top + h / 2 - height / 2) <= 1,
           "full screen: the picture is not centred")
    expect(320 * (w / 320 + 1) > width or 240 * (h / 240 + 1) > height,
           "full screen: the picture could be larger")
    expect(session.evaluate("getComputedStyle(game).backgroundColor") == "rgb(0, 0, 0)",
           "full screen: the picture is not on black")
    session.key("F11")
    session.wait_for("!document.fullscreenElement", 10, "full screen to end")
    session.viewport(800, 600)


def check_menu(session, pictures):
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, None), "the plain menu", 30)
    session.key("Down")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, 1), "Play highlighted")
    session.key("Down")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, 2), "the second entry highlighted")
    # A held key: the browser repeats it, the game must see one press.
    for _ in range(4):
        session.key_down("Down", repeat=True)
    session.key_up("Down")
    time.sleep(0.3)
    expect(menu_shows(frame(session), pictures.menu, 2), "a held key moved the highlight more than once")
    session.key("Up")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, 1), "Play highlighted again")


# A pad in the browser's standard layout, plugged in by replacing the page's gamepad
# list; its buttons are pressed by writing their state, as a browser does.
PLUG_PAD = """window.testPad = {id: 'test pad', index: 0, mapping: 'standard', connected: true,
    timestamp: 1, axes: [0, 0, 0, 0],
    buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
navigator.getGamepads = () => [window.testPad, null, null, null]; true"""
SET_PAD_BUTTON = "testPad.buttons[%d] = {pressed: %s, value: %d}; testPad.timestamp++; true"
STANDARD_A, STANDARD_UP, STANDARD_DOWN = 0, 12, 13


def pad_button(session, button, pressed):
    session.evaluate(SET_PAD_BUTTON % (button, str(pressed).lower(), int(pressed)))
    time.sleep(0.1)


def pad_press(session, button):
    pad_button(session, button, True)
    pad_button(session, button, False)


def check_gamepad(session, pictures):
    session.evaluate(PLUG_PAD)
    time.sleep(0.2)
    pad_press(session, STANDARD_DOWN)
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, 2), "the pad moving the highlight down")
    pad_press(session, STANDARD_UP)
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, 1), "the pad moving the highlight up")


def car_at_centre(picture, pictures):
    car = pictures.car_up
    corner = (160 - car.width // 2, 120 - car.height // 2)
    return picture.same_fraction(car, (*corner, car.width, car.height), at=corner) > 0.85


def check_game(session, pictures):
    session.key("a")
    picture = wait_for_frame(session, lambda p: hud_shown(p, pictures) and car_at_centre(p, pictures),
                             "a new game: the HUD, and the car at the centre")
    greens = sum(1 for _, _, p in picture.pixels(MAP_AREA) if p == (0, 255, 0))
    expect(greens == 0, "%d pixels of sprite background green on the map" % greens)
    time.sleep(0.5)
    expect(session.evaluate("audioSeen.started") >= 1, "the first sound of the load was not heard")
    session.key("x")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.resume, 1), "the pause menu")
    session.key("a")
    wait_for_frame(session, lambda p: hud_shown(p, pictures), "the game again after pausing")


def check_canvas_holds_frame(session):
    """The canvas's pixels are the uploaded frame's, and each of its channels is one
    SDL widens a 5- or 6-bit channel to."""
    same, widened = session.evaluate("""(() => {
        const shown = canvas.getContext('2d').getImageData(0, 0, 320, 240).data;
        const uploaded = Module.screenFrame.data;
        const fives = new Set(), sixes = new Set();
        for (let v = 0; v < 64; v++) { if (v < 32) fives.add(Math.floor(v * 255 / 31)); sixes.add(Math.floor(v * 255 / 63)); }
        let same = shown.length === uploaded.length, widened = true;
        for (let i = 0; i < shown.length; i += 4) {
          for (let c = 0; c < 4; c++) same = same && shown[i + c] === uploaded[i + c];
          widened = widened && fives.has(shown[i]) && sixes.has(shown[i + 1]) && fives.has(shown[i + 2]);
        }
        return [same, widened]; })()""")
    expect(same, "the canvas does not hold the frame the game uploaded")
    expect(widened, "the canvas holds colours a 16-bit frame cannot have")


def check_browser_keys(session, pictures):
    """Ctrl+C pauses and the page plays on; the browser's own keys keep their defaults."""
    session.key_down("Control", modifiers=2)
    session.key("c", modifiers=2)
    session.key_up("Control")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.resume, 1), "Ctrl+C pausing to the menu")
    before = session.evaluate("Module.framesShown")
    session.key("Down")
    session.wait_for("Module.framesShown > %d" % before, 5, "the page to play on after Ctrl+C")
    for name, modifiers in (("F5", 0), ("r", 2), ("l", 2), ("F12", 0)):
        session.key_down(name, modifiers=modifiers)
        session.key_up(name, modifiers=modifiers)
        expect(session.evaluate("keysLetThrough[%r]" % name) is True,
               "the page kept %s%s from the browser" % ("Ctrl+" if modifiers else "", name))
    session.evaluate("canvas.focus()")
    session.key("Tab")
    expect(session.evaluate("keysLetThrough['Tab'] && document.activeElement !== canvas"),
           "Tab did not move on from the game")


def check_sound_limits(session):
    """After the busy map's crowd: never more than eight at once, never past full scale."""
    seen = session.evaluate("audioSeen")
    expect(seen["most"] <= 8, "%d sounds played at once" % seen["most"])
    expect(0 < seen["peak"] <= 1.0, "the sound peaked at %.3f of full scale" % seen["peak"])
    print("sound on the busy map: %d started, at most %d at once, peak %.2f of full scale"
          % (seen["started"], seen["most"], seen["peak"]))


def check_held_back_sound(session, pictures):
    """A fresh load played on the pad alone: the browser keeps the page quiet, and what
    the game asks for meanwhile is dropped; the first key lets sound start without a
    burst of everything asked for before."""
    start_page(session)
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, None), "the menu", 30)
    session.evaluate(PLUG_PAD)
    time.sleep(0.2)
    pad_press(session, STANDARD_DOWN)
    pad_press(session, STANDARD_A)
    wait_for_frame(session, lambda p: hud_shown(p, pictures), "a game started on the pad")
    pad_button(session, STANDARD_A, True)  # gas, with the level's sounds asked for
    time.sleep(2)
    pad_button(session, STANDARD_A, False)
    expect(session.evaluate("audioSeen.started") == 0, "sound played before the browser let it")
    released = session.evaluate("performance.now()")
    session.key("q")
    time.sleep(0.6)
    burst = session.evaluate("audioSeen.starts.filter(t => t >= %f && t < %f).length"
                             % (released, released + 300))
    expect(burst <= 2, "%d sounds burst out when sound started" % burst)


def set_freerun(session, pictures, counts):
    """The freerun page's population lines (cats, men, pink, dead cars, shops, NOS
    boosts, chests) set by their keys, then its start line."""
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, None), "the menu", 30)
    keys(session, ["Down"] * 5 + ["a"])
    for count in counts:
        value, presses = 0, 0
        while value < count:  # the page's steps: by 1 to 10, by 10 to 100, then by 100
            value, presses = value + (1 if value <= 9 else 10 if value <= 99 else 100), presses + 1
        keys(session, ["Right"] * presses + ["Down"], pause=0.01)
    keys(session, ["Down"] * (10 - len(counts)) + ["a"])
    wait_for_frame(session, lambda p: hud_shown(p, pictures), "the freerun game")


def measure_frames(session, label, seconds=5):
    """Drives for a while and reports the game's own work per browser frame (its batch
    of passes and the upload, timed in the page) and the canvas calls per frame."""
    session.key_down("space")
    session.evaluate("Module.batchTimes = []; canvasCalls.count = 0; window.framesSeen = 0;"
                     " (function count() { framesSeen++; requestAnimationFrame(count); })(); true")
    started = time.monotonic()
    while time.monotonic() - started < seconds:
        session.key("Left")
        time.sleep(0.4)
    session.key_up("space")
    times, calls, frames = session.evaluate("[Module.batchTimes, canvasCalls.count, framesSeen]")
    session.evaluate("Module.batchTimes = undefined")
    per_frame = calls / max(frames, 1)
    times.sort()
    print("%s: game work per browser frame median %.2f ms, p95 %.2f ms, most %.2f ms; "
          "%.1f browser frames a second; %.2f canvas calls a frame"
          % (label, statistics.median(times), times[int(0.95 * len(times))], times[-1],
             frames / seconds, per_frame))
    expect(per_frame <= 2, "%s: %.2f canvas calls a frame" % (label, per_frame))


def check_busy_map(session, pictures):
    start_page(session)
    set_freerun(session, pictures, [1000, 1000, 1000, 1000, 0, 1000, 1000])
    measure_frames(session, "freerun 6x1000 on 512x512")
    check_sound_limits(session)
    session.evaluate("Module._webEnterLevel(1)")
    time.sleep(0.5)
    measure_frames(session, "level 1")


def press_finger(session, element, finger, held=()):
    """A finger down on the middle of a page element (a CSS selector), others staying
    down; returns the finger as touch events list it."""
    x, y = session.evaluate("(() => { const r = document.querySelector(%r).getBoundingClientRect();"
                            " return [r.left + r.width / 2, r.top + r.height / 2]; })()" % element)
    session.touch("touchStart", [*held, (finger, x, y)])
    return (finger, x, y)


def tap(session, element):
    """One finger down and up again."""
    press_finger(session, element, 0)
    time.sleep(0.08)
    session.touch("touchEnd", [])
    time.sleep(0.08)


def distance_driven(session, seconds):
    """How far the car went on the map, summed in small steps so that a portal it runs
    into on the way, which swaps the map, does not count."""
    on_map = "[Module._webCarX() - Module._webCameraX(), Module._webCarY() - Module._webCameraY()]"
    dx = dy = 0
    last, until = session.evaluate(on_map), time.monotonic() + seconds
    while time.monotonic() < until:
        time.sleep(0.05)
        now = session.evaluate(on_map)
        if abs(now[0] - last[0]) + abs(now[1] - last[1]) < 120:
            dx, dy = dx + now[0] - last[0], dy + now[1] - last[1]
        last = now
    return dx, dy


def check_phone(session, pictures, shots):
    """A phone held upright, then turned: the handheld's buttons under the picture and
    beside it, a game started, driven with the gas held while steering, and a visit to
    the shop, all with touches."""
    session.viewport(390, 844, scale=3, mobile=True)
    session.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    start_page(session)
    expect(session.evaluate("document.body.classList.contains('touch')"), "no touch controls on a phone")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, None), "the menu on the phone", 30)
    expect(session.evaluate("document.scrollingElement.scrollHeight <= innerHeight"), "the phone page scrolls")
    tap(session, ".dpad .down")
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, 1), "Play highlighted by a touch")
    tap(session, ".face .a")
    wait_for_frame(session, lambda p: hud_shown(p, pictures), "a game started by touches")
    if shots:
        save_page(session, os.path.join(shots, "phone-portrait.png"))
    # Only the way the car goes is held to: a tree on the way nudges it aside.
    gas = press_finger(session, ".face .a", 1)
    dx, dy = distance_driven(session, 0.6)
    expect(dy < -10, "the gas did not drive the car up (%d, %d)" % (dx, dy))
    press_finger(session, ".dpad .left", 2, held=[gas])  # steering while the gas stays held
    dx, dy = distance_driven(session, 0.8)
    session.touch("touchEnd", [])  # DevTools lifts every finger at once
    expect(dx < -10, "the car did not drive up and left with the gas held"
           " while steering (%d, %d)" % (dx, dy))
    # Huts stand on the maps a portal leads to.
    session.wait_for("Module._webEnterLevel(3), Module._webBringShop()", 10, "a map with a shop hut")
    session.wait_for("Module._webShopOpen()", 10, "the shop to open")
    tap(session, ".dpad .down")
    tap(session, ".face .a")
    tap(session, ".face .b")
    session.wait_for("!Module._webShopOpen()", 10, "B to leave the shop")
    session.viewport(844, 390, scale=3, mobile=True)
    time.sleep(0.5)
    left, top, w, h = session.canvas_box()
    pad_left = session.evaluate("document.querySelector('.dpad').getBoundingClientRect().right")
    expect(pad_left <= left and w >= 400, "turned, the picture is not beside the controls (%g wide)" % w)
    if shots:
        save_page(session, os.path.join(shots, "phone-landscape.png"))
    session.call("Emulation.setTouchEmulationEnabled", enabled=False)
    session.call("Emulation.clearDeviceMetricsOverride")


def save_page(session, path):
    png = base64.b64decode(session.call("Page.captureScreenshot", format="png")["data"])
    with open(path, "wb") as out:
        out.write(png)


def check_offline(session):
    """Once the worker has kept the files, the page loads and plays with the server gone."""
    session.evaluate("navigator.serviceWorker.ready.then(() => true)", wait=True)
    session.server.shutdown()
    start_page(session)
    session.wait_for("Module.framesShown > 0", 20, "the game to play offline")


def busy_map_area(picture):
    counts = {}
    for _, _, p in picture.pixels(MAP_AREA):
        counts[p] = counts.get(p, 0) + 1
    ground = max(counts, key=counts.get)
    return sum(n for p, n in counts.items() if not close(p, ground))


def save_screenshot(session, path):
    """A moment of play on a map with something on it: a few seconds of driving."""
    for _ in range(10):
        if busy_map_area(frame(session)) > 1500:
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
    wait_for_frame(session, lambda p: menu_shows(p, pictures.menu, None), "the menu", 30)
    keys(session, ["Down"] * 5 + ["a"] + ["Down"] * 9 + ["Right"] * 2 + ["Down", "a"], pause=0.05)
    wait_for_frame(session, lambda p: hud_shown(p, pictures), "the freerun game")


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


def play_desktop(session, pictures, screenshot):
    start_page(session)
    check_loading(session)
    check_layout(session)
    check_menu(session, pictures)
    check_gamepad(session, pictures)
    check_game(session, pictures)
    check_canvas_holds_frame(session)
    if screenshot:
        save_screenshot(session, screenshot)
    check_browser_keys(session, pictures)
    expect(not session.warnings, "the console was not quiet:\n  " + "\n  ".join(session.warnings))


def main():
    folder = sys.argv[1]
    screenshot = sys.argv[sys.argv.index("--screenshot") + 1] if "--screenshot" in sys.argv else None
    pictures = Pictures(sys.argv[2])
    session = Session(folder, init_script=WATCH_PAGE)
    try:
        check_download(folder)
        check_replay(session)
        session.warnings.clear()  # the replay page is not a normal session
        play_desktop(session, pictures, screenshot)
        check_held_back_sound(session, pictures)
        check_busy_map(session, pictures)
        if "--measure" in sys.argv:
            start_page(session)
            start_empty_freerun(session, pictures)
            print("fuel lasted %.2f s of game time" % measure_fuel(session))
            frames, shown = measure_level4_rate(session)
            print("level 4: %.1f game frames and %.1f browser frames a second" % (frames, shown))
        check_phone(session, pictures, os.path.dirname(screenshot) if screenshot else None)
        check_offline(session)
    except Failure as failure:
        print("FAIL:", failure)
        shots = os.environ.get("VANDAL_BROWSER_SHOTS")
        if shots:
            os.makedirs(shots, exist_ok=True)
            save_page(session, os.path.join(shots, "failure.png"))
        for line in session.console[-20:]:
            print("  page:", line)
        return 1
    finally:
        session.close()
    print("browser test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
