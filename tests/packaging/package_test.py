"""The release as a player gets it: the Debian package is made from the build, passes
Debian's and the desktop's checkers, and the game unpacked from it starts from an
unrelated folder with no VANDAL_DATA, in a window that fits a 1920x1080 screen with no
window manager, and shows the menu with sharp pixels there, in full screen (at the
largest whole scale, on black) and back in the window.

Usage: package_test.py BUILD_DIR. Exits 77 (skipped) when a tool it needs is missing."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import CAPTION, Failure, Picture, XServer, wait_until  # noqa: E402

TOOLS = ("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", "desktop-file-validate", "appstreamcli",
         "Xvfb", "xdotool", "xwininfo", "import", "convert")
SKIPPED = 77
SCREEN = (1920, 1080)


START = time.monotonic()


def stage(name):
    print("%5.1fs %s" % (time.monotonic() - START, name), flush=True)


def run(*args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed (%d):\n%s%s" % (" ".join(args), result.returncode,
                                                 result.stdout[-3000:], result.stderr[-3000:]))
    return result.stdout


def run_bytes(*args, **kwargs):
    result = subprocess.run(args, capture_output=True, **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed (%d): %s" % (" ".join(args), result.returncode,
                                              result.stderr[-3000:].decode(errors="replace")))
    return result.stdout


def player_env(display):
    """A player's environment: no data folder named, no window scale forced."""
    env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
    for name in ("VANDAL_DATA", "SDL_VIDEODRIVER", "SDL12COMPAT_WINDOW_SCALING"):
        env.pop(name, None)
    return env


def window_size(env, window):
    info = run("xwininfo", "-id", window, env=env)
    size = {line.split(":")[0].strip(): int(line.split(":")[1]) for line in info.splitlines()
            if line.strip().startswith(("Width:", "Height:"))}
    return size["Width"], size["Height"]


def window_shot(env, window):
    """The window as it is on the screen, at its full size; None while it changes size."""
    width, height = window_size(env, window)
    data = run_bytes("import", "-window", window, "-depth", "8", "rgb:-", env=env)
    return Picture(width, height, data) if len(data) == 3 * width * height else None


def black_outside(shot, left, top, width, height):
    row_bytes = 3 * shot.width
    for y in range(shot.height):
        row = shot.data[y * row_bytes:(y + 1) * row_bytes]
        if top <= y < top + height:
            row = row[:3 * left] + row[3 * (left + width):]
        if any(row):
            return False
    return True


def game_pixels(shot):
    """The 320x240 picture shown at the largest whole scale that fits, centred: the
    picture, how many of its pixels are blocks of one colour (none blended with its
    neighbours), and whether all round it is black."""
    scale = min(shot.width // 320, shot.height // 240)
    left, top = (shot.width - 320 * scale) // 2, (shot.height - 240 * scale) // 2
    row_bytes, width = 3 * shot.width, 3 * 320 * scale
    pixels, sharp = bytearray(), 0
    for y in range(240):
        at = (top + y * scale) * row_bytes + 3 * left
        rows = [shot.data[at + i * row_bytes:at + i * row_bytes + width] for i in range(scale)]
        row = [rows[0][3 * scale * x:3 * scale * x + 3] for x in range(320)]
        pixels += b"".join(row)
        if all(r == rows[0] for r in rows) and b"".join(p * scale for p in row) == rows[0]:
            sharp += 320
            continue
        for x in range(320):  # only where something is wrong: which pixels are blocks
            blocks = {r[3 * (x * scale + i):3 * (x * scale + i) + 3] for r in rows for i in range(scale)}
            sharp += len(blocks) == 1
    black = black_outside(shot, left, top, 320 * scale, 240 * scale)
    return Picture(320, 240, bytes(pixels)), sharp / (320 * 240), black


def shows_sharp_menu(env, window, menu, size=None):
    """The window (at `size`, when given) shows the whole menu with every game pixel a
    block of one colour and black round it; returns what it found when it does not."""
    shot = window_shot(env, window)
    if not shot:
        return "a window changing size"
    if size and (shot.width, shot.height) != size:
        return "a %dx%d window" % (shot.width, shot.height)
    picture, sharp, black = game_pixels(shot)
    same = picture.same_fraction(menu, (0, 0, 320, 240))
    if sharp == 1 and black and same > 0.99:
        return None
    return "%dx%d: %.1f %% of the game's pixels sharp, %.1f %% of the menu, %s round it" % (
        shot.width, shot.height, 100 * sharp, 100 * same, "black" if black else "not black")


def until_sharp_menu(env, window, menu, what, size=None):
    found = []

    def check():
        found.append(shows_sharp_menu(env, window, menu, size))
        return found[-1] is None
    try:
        wait_until(check, 10, what)
    except Failure:
        raise Failure("%s: %s" % (what, found[-1]))


def play_from_root(executable, env, expected_size, menu_picture):
    """Starts the game from /, checks its window and its sharp menu, switches full
    screen on and off, checking both, and stops it."""
    game = subprocess.Popen([executable], cwd="/", env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    try:
        def find_window():
            if game.poll() is not None:
                raise Failure("%s exited with status %d: %s"
                              % (executable, game.returncode, game.stderr.read().decode()))
            found = subprocess.run(["xdotool", "search", "--name", "^%s$" % CAPTION], env=env,
                                   capture_output=True, text=True).stdout.split()
            return found[0] if found else None
        window = wait_until(find_window, 30, "the game window")
        size = wait_until(lambda: window_size(env, window), 5, "the window size")
        if size != expected_size:
            raise Failure("%s: window %dx%d, expected %dx%d" % ((executable,) + size + expected_size))
        until_sharp_menu(env, window, menu_picture, "the sharp menu in the window", size)
        # Nothing else in a bare X server makes the window fill the screen, nor gives it
        # back its size afterwards.
        for keys in ("F11", "alt+Return"):
            subprocess.run(["xdotool", "key", "--window", window, keys], env=env, check=True)
            until_sharp_menu(env, window, menu_picture, keys + ": the sharp menu in full screen",
                             SCREEN)
            subprocess.run(["xdotool", "key", "--window", window, keys], env=env, check=True)
            until_sharp_menu(env, window, menu_picture, keys + " again: the menu back in the window",
                             size)
        if game.poll() is not None:
            raise Failure("the game ended after the full-screen keys: %d %s"
                          % (game.returncode, game.stderr.read().decode()))
    finally:
        if game.poll() is None:
            game.terminate()
        game.wait(10)


def main():
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print("skipped, missing: " + ", ".join(missing))
        return SKIPPED
    build = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory(prefix="vandal-package-") as tmp:
        stage("making the package")
        run("cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"),
            "-B", os.path.join(tmp, "deb"), cwd=build)
        debs = glob.glob(os.path.join(tmp, "deb", "vandal-demo_*_*.deb"))
        if len(debs) != 1:
            raise Failure("expected one vandal-demo_<version>_<arch>.deb, found %s" % debs)
        deb = debs[0]
        depends = run("dpkg-deb", "-f", deb, "Depends")
        for library in ("libsdl1.2", "libsdl-mixer1.2", "libsdl-ttf2.0"):
            if library not in depends:
                raise Failure("Depends lacks %s: %s" % (library, depends))
        for tool in ("gtest", "benchmark", "cmake", "g++", "-dev"):
            if tool in depends:
                raise Failure("Depends names a build tool (%s): %s" % (tool, depends))
        stage("lintian")
        run("lintian", "--fail-on", "error", deb)

        stage("unpacking, desktop entry and metainfo")
        root = os.path.join(tmp, "root")
        run("dpkg-deb", "-x", deb, root)
        for desktop in glob.glob(os.path.join(root, "usr/share/applications/*.desktop")):
            run("desktop-file-validate", desktop)
        for metainfo in glob.glob(os.path.join(root, "usr/share/metainfo/*.xml")):
            run("appstreamcli", "validate", "--no-net", metainfo)

        menu = Picture.load(os.path.join(root, "usr/share/vandal-demo/sprites/menu.bmp"))
        game = os.path.join(root, "usr/games/vandal")

        stage("playing from / at 1920x1080")
        xserver = XServer("%dx%dx24" % SCREEN)
        try:
            play_from_root(game, player_env(xserver.display), (960, 720), menu)
        finally:
            xserver.stop()

        stage("no game files anywhere")
        # The executable on its own, nothing to find anywhere: one line and status 3.
        lone = os.path.join(tmp, "lone")
        os.makedirs(lone)
        shutil.copy(game, lone)
        nowhere = os.path.join(tmp, "nowhere")
        result = subprocess.run([os.path.join(lone, "vandal")], cwd="/", capture_output=True,
                                text=True, timeout=30,
                                env=dict(os.environ, VANDAL_DATA=nowhere, SDL_VIDEODRIVER="dummy",
                                         SDL_AUDIODRIVER="dummy"))
        lines = result.stderr.splitlines()
        if result.returncode != 3 or len(lines) != 1 or nowhere not in lines[0] or lone not in lines[0]:
            raise Failure("without its files the game said %r with status %d"
                          % (result.stderr, result.returncode))
    stage("passed")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Failure as failure:
        print("FAILED: %s" % failure)
        sys.exit(1)
