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

# The screen is 16 bits deep, so colours come back slightly rounded.
TOLERANCE = 12

GRASS = (0, 210, 0)
DESERT = (218, 200, 156)
WATER = (179, 220, 253)
GROUNDS = {"grass": GRASS, "desert": DESERT, "water": WATER}

MAP_AREA = (0, 0, 320, 212)  # above the HUD strip and the NOS gauge
HUD_RECT = (0, 216, 320, 24)
PANEL_RECT = (16, 14, 288, 176)

MENU_ENTRIES = {
    1: (165, 15, 143, 27),
    2: (165, 51, 143, 27),
    3: (165, 86, 143, 27),
    4: (165, 122, 143, 27),
    5: (165, 159, 143, 27),
    6: (165, 193, 143, 34),
}

FREERUN_LINE_Y = [32, 46, 60, 74, 86, 100, 114, 148, 162, 176, 202]
TEXT_RED = (128, 0, 0)
TEXT_GREY = (25, 25, 25)


class Failure(Exception):
    pass


def require_tools():
    missing = [t for t in ("Xvfb", "xdotool", "import", "convert") if shutil.which(t) is None]
    if missing:
        raise Failure("missing tools (install xvfb, xdotool, imagemagick): " + ", ".join(missing))


def close(a, b, tolerance=TOLERANCE):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def wait_until(condition, timeout=5.0, what="condition"):
    """Polls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = condition()
        if last:
            return last
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

    def dominant(self, rect):
        counts = {}
        for _, _, p in self.pixels(rect):
            counts[p] = counts.get(p, 0) + 1
        return max(counts, key=counts.get)

    def count(self, rect, colour, tolerance=TOLERANCE):
        return sum(1 for _, _, p in self.pixels(rect) if close(p, colour, tolerance))

    def same_fraction(self, other, rect, at=(0, 0), tolerance=TOLERANCE):
        """How much of rect matches other's pixels, other placed with its corner at `at`;
        pure green in other is transparent and not counted."""
        same = total = 0
        for x, y, p in self.pixels(rect):
            q = other.pixel(x - at[0], y - at[1])
            if q == (0, 255, 0):
                continue
            total += 1
            same += close(p, q, tolerance)
        return same / total if total else 0.0

    def crop_bytes(self, rect):
        return bytes(b for _, _, p in self.pixels(rect) for b in p)

    def find(self, sprite, area, threshold=0.85):
        """Best centre of sprite inside area (x0, y0, x1, y1) when it matches well enough."""
        opaque = [(sx, sy, sprite.pixel(sx, sy)) for sy in range(sprite.height)
                  for sx in range(sprite.width) if sprite.pixel(sx, sy) != (0, 255, 0)]
        allowed = int(len(opaque) * (1 - threshold))
        best, where = allowed + 1, None
        x0, y0, x1, y1 = area
        for cy in range(y0, y1 + 1):
            for cx in range(x0, x1 + 1):
                left, top = cx - sprite.width // 2, cy - sprite.height // 2
                if left < 0 or top < 0 or left + sprite.width > self.width or top + sprite.height > self.height:
                    continue
                misses = 0
                for sx, sy, q in opaque:
                    if not close(self.pixel(left + sx, top + sy), q):
                        misses += 1
                        if misses >= best:
                            break
                if misses < best:
                    best, where = misses, (cx, cy)
        return where


class XServer:
    def __init__(self):
        require_tools()
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 10
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.process.poll() is not None:
                self.stop()
                raise Failure("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

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

    def __init__(self, xserver, executable, shots_dir=None):
        self.env = dict(os.environ, DISPLAY=xserver.display, SDL_AUDIODRIVER="dummy")
        self.env.pop("SDL_VIDEODRIVER", None)
        self.env.pop("SDL12COMPAT_WINDOW_SCALING", None)
        self.shots_dir = shots_dir
        self.process = subprocess.Popen([executable], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        # Generous: a sanitizer build on a busy machine can take a while to open it.
        try:
            self.window = wait_until(self._find_window, 60, "the game window")
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

    def _xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def key(self, *names):
        for name in names:
            self._xdotool("key", "--window", self.window, name)

    def key_down(self, name):
        self._xdotool("keydown", "--window", self.window, name)

    def key_up(self, name):
        self._xdotool("keyup", "--window", self.window, name)

    def hold(self, name, seconds):
        self.key_down(name)
        try:
            time.sleep(seconds)
        finally:
            self.key_up(name)

    def shot(self):
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", "rgb:-"],
                              env=self.env, check=True, capture_output=True).stdout
        if len(data) != WIDTH * HEIGHT * 3:
            raise Failure("screenshot of %d bytes, expected a %dx%d window" % (len(data), WIDTH, HEIGHT))
        return Picture(WIDTH, HEIGHT, data)

    def save(self, path, scale=1):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        subprocess.run(["import", "-window", self.window, "-depth", "8", "png:" + path],
                       env=self.env, check=True)
        if scale != 1:
            subprocess.run(["convert", path, "-filter", "point", "-resize", "%d%%" % (100 * scale), path],
                           check=True)

    def wait_for(self, condition, timeout=5.0, what="picture"):
        """Waits until condition(screenshot) is true and returns that screenshot."""
        found = []

        def attempt():
            picture = self.shot()
            if condition(picture):
                found.append(picture)
                return True
            return False
        try:
            wait_until(attempt, timeout, what)
        except Failure:
            if self.shots_dir:
                os.makedirs(self.shots_dir, exist_ok=True)
                name = "".join(c if c.isalnum() else "_" for c in what)[:60]
                self.save(os.path.join(self.shots_dir, "failed_%s.png" % name))
            raise
        return found[0]

    def quit(self, timeout=10):
        """Ctrl+C, then the exit status."""
        if self.process.poll() is not None:
            raise Failure("the game had already exited with status %d: %s"
                          % (self.process.returncode, self.process.stderr.read().decode()[-2000:]))
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
