"""Runs the real game in a private X server and plays it like a player: keys go in
through xdotool, pictures come out through ImageMagick's import.

Everything waits by polling with a bounded timeout, so a slow machine only makes the
run slower, never wrong."""

import os
import shutil
import subprocess
import time

WIDTH, HEIGHT = 320, 240
CAPTION = "Vandal Demo"
TOLERANCE = 12  # the screen is 16 bits deep, so colours come back slightly rounded
GROUNDS = {"grass": (0, 210, 0), "desert": (218, 200, 156), "water": (179, 220, 253)}
MAP_AREA = (0, 0, 320, 212)  # above the HUD strip and the NOS gauge
HUD_RECT = (0, 216, 320, 24)
PANEL_RECT = (16, 14, 288, 176)
MENU_ENTRIES = {n: (165, y, 143, 34 if n == 6 else 27)
                for n, y in enumerate((15, 51, 86, 122, 159, 193), start=1)}


class Failure(Exception):
    pass


def close(a, b, tolerance=TOLERANCE):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def wait_until(condition, timeout=5.0, what="condition"):
    """Polls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        found = condition()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure("timed out after %.1fs waiting for %s" % (timeout, what))
        time.sleep(0.05)


class Picture:
    """An RGB picture with pixel access and the few comparisons the checks need."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def load(cls, path):
        size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"],
                              check=True, capture_output=True, text=True).stdout.split()
        data = subprocess.run(["convert", path + "[0]", "-depth", "8", "rgb:-"],
                              check=True, capture_output=True).stdout
        return cls(int(size[0]), int(size[1]), data)

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def pixels(self, rect):
        x0, y0, w, h = rect
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                yield x, y, self.pixel(x, y)

    def same_fraction(self, other, rect, at=(0, 0)):
        """How much of rect matches other's pixels, other placed with its corner at `at`;
        pure green in other is transparent and not counted."""
        same = total = 0
        for x, y, p in self.pixels(rect):
            q = other.pixel(x - at[0], y - at[1])
            if q != (0, 255, 0):
                total += 1
                same += close(p, q)
        return same / total if total else 0.0


class Pictures:
    """The game's own pictures, to compare the screen with."""

    def __init__(self):
        load = lambda name: Picture.load(os.path.join("sprites", name))
        self.menu = load("menu.bmp")
        self.resume = load("menuresume.bmp")
        self.hud = load("hud.bmp")
        self.shop = load("shopscreen.bmp")


def menu_shows(shot, image, highlighted):
    """The whole menu picture with only entry `highlighted` (None: no entry) tinted:
    the highlight takes 30 off the green of the entry's light pixels."""
    for entry, rect in MENU_ENTRIES.items():
        if entry != highlighted:
            if shot.same_fraction(image, rect) < 0.98:
                return False
            continue
        light = [(p, image.pixel(x, y)) for x, y, p in shot.pixels(rect) if max(image.pixel(x, y)) > 60]
        tinted = sum(close(p, (r, (g - 30) % 256, b)) for p, (r, g, b) in light)
        if not light or tinted / len(light) <= 0.9:
            return False
    return shot.same_fraction(image, (0, 0, 160, 240)) > 0.98


def ground_of(shot):
    counts = {}
    for _, _, p in shot.pixels(MAP_AREA):
        counts[p] = counts.get(p, 0) + 1
    colour = max(counts, key=counts.get)
    return next((name for name, ground in GROUNDS.items() if close(colour, ground)), None)


def hud_shown(shot, pictures):
    return shot.same_fraction(pictures.hud, HUD_RECT, at=(0, 216)) > 0.8


class XServer:
    def __init__(self, screen="640x480x24"):
        missing = [t for t in ("Xvfb", "xdotool", "import", "convert") if shutil.which(t) is None]
        if missing:
            raise Failure("missing tools (install xvfb, xdotool, imagemagick): " + ", ".join(missing))
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)  # Xvfb writes its display number once it is up
            if not chunk:
                self.stop()
                raise Failure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        # A client's answer proves the server is taking connections. It must not reset
        # when that client (or a game) leaves: a game that connects during the reset
        # finds no display (seen on loaded machines, about one start in sixty).
        wait_until(self._answers, 10, "Xvfb to answer on " + self.display)

    def _answers(self):
        if self.process.poll() is not None:
            raise Failure("Xvfb stopped with status %d" % self.process.returncode)
        return subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True,
                              env=dict(os.environ, DISPLAY=self.display)).returncode == 0

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Game:
    """One run of the game executable in the given X server."""

    def __init__(self, xserver, executable):
        self.env = dict(os.environ, DISPLAY=xserver.display, SDL_AUDIODRIVER="dummy")
        self.env.pop("SDL_VIDEODRIVER", None)
        self.env.pop("SDL12COMPAT_WINDOW_SCALING", None)
        self.process = subprocess.Popen([executable], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        # Generous: a sanitizer build on a busy machine can take a while to open it.
        try:
            self.window = wait_until(self._find_window, 60, "a %dx%d window called %s"
                                     % (WIDTH, HEIGHT, CAPTION))
        except BaseException:
            self.kill()  # a busy-looping game must not outlive its test
            raise

    def _find_window(self):
        if self.process.poll() is not None:
            raise Failure("the game exited at start with status %d: %s"
                          % (self.process.returncode, self.process.stderr.read().decode()))
        found = subprocess.run(["xdotool", "search", "--name", "^%s$" % CAPTION],
                               env=self.env, capture_output=True, text=True).stdout.split()
        for window in found:
            geometry = subprocess.run(["xdotool", "getwindowgeometry", window], env=self.env,
                                      capture_output=True, text=True).stdout
            if "%dx%d" % (WIDTH, HEIGHT) in geometry:
                return window
        return None

    def key(self, *names):
        for name in names:
            subprocess.run(["xdotool", "key", "--window", self.window, name], env=self.env, check=True)

    def hold(self, name, down=True):
        subprocess.run(["xdotool", "keydown" if down else "keyup", "--window", self.window, name],
                       env=self.env, check=True)

    def shot(self):
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", "rgb:-"],
                              env=self.env, check=True, capture_output=True).stdout
        if len(data) != WIDTH * HEIGHT * 3:
            raise Failure("screenshot of %d bytes, expected a %dx%d window" % (len(data), WIDTH, HEIGHT))
        return Picture(WIDTH, HEIGHT, data)

    def save(self, path):
        """Writes the window, scaled 2x, as a PNG."""
        subprocess.run(["import", "-window", self.window, "-depth", "8", "png:" + path],
                       env=self.env, check=True)
        subprocess.run(["convert", path, "-filter", "point", "-resize", "200%", path], check=True)

    def wait_for(self, condition, timeout=5.0, what="picture"):
        """Waits until condition(screenshot) is true and returns that screenshot."""
        found = []

        def attempt():
            found.append(self.shot())
            return condition(found[-1])
        wait_until(attempt, timeout, what)
        return found[-1]

    def quit(self, timeout=10):
        """Ctrl+C, then the exit status."""
        if self.process.poll() is not None:
            raise Failure("the game had already exited with status %d" % self.process.returncode)
        # The game may close its window before xdotool has sent the key releases, and
        # xdotool then fails on the vanished window: that is the quit working.
        subprocess.run(["xdotool", "key", "--window", self.window, "ctrl+c"], env=self.env,
                       stderr=subprocess.DEVNULL)
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the game did not exit within %ds of Ctrl+C" % timeout)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
