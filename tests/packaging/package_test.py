"""The release as a player gets it: the Debian package is made from the build, passes
Debian's and the desktop's checkers, and the game unpacked from it (and installed with
cmake --install) starts from an unrelated folder with no VANDAL_DATA, in a window that
fits a 1920x1080 screen, and shows the menu.

Usage: package_test.py BUILD_DIR. Exits 77 (skipped) when a tool it needs is missing."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import CAPTION, Failure, Picture, wait_until  # noqa: E402

TOOLS = ("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", "desktop-file-validate", "appstreamcli",
         "Xvfb", "xdotool", "xwininfo", "import", "convert")
SKIPPED = 77


START = time.monotonic()


def stage(name):
    print("%5.1fs %s" % (time.monotonic() - START, name), flush=True)


def run(*args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed (%d):\n%s%s" % (" ".join(args), result.returncode,
                                                 result.stdout[-3000:], result.stderr[-3000:]))
    return result.stdout


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1080x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            server.kill()
            raise Failure("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def player_env(display, scaling=None):
    """A player's environment: no data folder named, the window scale only when given."""
    env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
    for name in ("VANDAL_DATA", "SDL_VIDEODRIVER", "SDL12COMPAT_WINDOW_SCALING"):
        env.pop(name, None)
    if scaling:
        env["SDL12COMPAT_WINDOW_SCALING"] = scaling
    return env


def window_size(env, window):
    info = run("xwininfo", "-id", window, env=env)
    size = {line.split(":")[0].strip(): int(line.split(":")[1]) for line in info.splitlines()
            if line.strip().startswith(("Width:", "Height:"))}
    return size["Width"], size["Height"]


def play_from_root(executable, env, expected_size, menu_picture):
    """Starts the game from /, checks its window and its menu, switches full screen on and
    off, and stops it."""
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

        def menu_shown():
            shot = subprocess.run(["import", "-window", window, "png:-"], env=env,
                                  capture_output=True).stdout
            data = subprocess.run(["convert", "png:-", "-sample", "320x240!", "-depth", "8", "rgb:-"],
                                  input=shot, capture_output=True).stdout
            if len(data) != 320 * 240 * 3:
                return False
            # The title half of the menu; the highlight lives on the other side.
            return Picture(320, 240, data).same_fraction(menu_picture, (0, 0, 150, 240)) > 0.9
        wait_until(menu_shown, 10, "the menu in the window")

        for keys in ("F11", "alt+Return", "F11", "F11"):
            subprocess.run(["xdotool", "key", "--window", window, keys], env=env, check=True)
            time.sleep(0.2)
        time.sleep(0.5)
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

        stage("cmake --install")
        prefix = os.path.join(tmp, "prefix")
        run("cmake", "--install", build, "--prefix", prefix)
        menu = Picture.load(os.path.join(prefix, "share/vandal-demo/sprites/menu.bmp"))

        stage("playing from / at 1920x1080")
        server, display = start_xvfb()
        try:
            play_from_root(os.path.join(root, "usr/games/vandal"), player_env(display), (960, 720),
                           menu)
            play_from_root(os.path.join(prefix, "bin/vandal"),
                           player_env(display, scaling="1"), (320, 240), menu)
        finally:
            server.terminate()
            server.wait(10)

        stage("no game files anywhere")
        # The executable on its own, nothing to find anywhere: one line and status 3.
        lone = os.path.join(tmp, "lone")
        os.makedirs(lone)
        shutil.copy(os.path.join(prefix, "bin/vandal"), lone)
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
