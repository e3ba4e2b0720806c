"""Starts the real game on copies of its folder broken the ways a player's install
breaks, and checks what it says and how it ends: never a hang, never an invisible
game, always the file and the reason.

Usage: install_test.py <path to vandal> <game folder>
"""

import os
import pwd
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback

sys.dont_write_bytecode = True  # keep the source folder clean

import harness
from harness import Failure, Game, XServer, wait_until

NO_DISPLAY = "Couldn't initialize SDL: no display (is DISPLAY set?)"
HEADLESS = {"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy"}


def expect(condition, message):
    if not condition:
        raise Failure(message)


def missing(path):
    os.remove(path)


def empty(path):
    open(path, "wb").close()


def truncated(path):
    with open(path, "rb") as f:
        head = f.read(100)
    with open(path, "wb") as f:
        f.write(head)


def png_named_bmp(path):
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bytes(64))


def lying_wav(path):
    """The data chunk claims 2 GB; the samples that follow stay as they were."""
    with open(path, "rb") as f:
        data = f.read()
    at = data.index(b"data") + 4
    with open(path, "wb") as f:
        f.write(data[:at] + struct.pack("<I", 0x7FFFFFFF) + data[at + 4:])


def unreadable(path):
    os.chmod(path, 0)


# (file, how it is broken, what the message must say about it)
BREAKAGES = [
    ("sprites/menu.bmp", missing, "No such file or directory"),
    ("sprites/yellowcar/n.bmp", empty, "the file is empty"),
    ("sprites/hud.bmp", truncated, "Error reading from datastream"),
    ("sprites/yellowcar/e.bmp", png_named_bmp, "File is not a Windows BMP file"),
    ("sounds/portal.wav", lying_wav, "claims 2147483647 bytes"),
    ("goudos.ttf", truncated, ""),
]
UNREADABLE = [
    ("sprites/particles", "sprites/particles/fire.bmp"),  # a folder
    ("sounds/chop.wav", "sounds/chop.wav"),  # a file
]


class Copy:
    """A private copy of the game folder, executable included, open to every user."""

    def __init__(self, game_dir, executable):
        self.root = tempfile.mkdtemp(prefix="vandal-install-")
        os.chmod(self.root, 0o755)
        self.folder = os.path.join(self.root, "game")
        shutil.copytree(game_dir, self.folder)
        self.executable = os.path.join(self.folder, os.path.basename(executable))

    def path(self, relative):
        return os.path.join(self.folder, relative)

    def remove(self):
        for here, dirs, _ in os.walk(self.root):
            for d in dirs:
                os.chmod(os.path.join(here, d), 0o755)
        shutil.rmtree(self.root)


def environment(changes):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"):
        env.pop(name, None)
    env.update(changes)
    return env


def run(executable, folder, changes, preexec=None):
    """Runs the game to its end; a game still running after 20 s is a failure."""
    # VANDAL_DATA names the folder for builds that look for their data elsewhere.
    env = environment(dict(changes, VANDAL_DATA=folder))
    try:
        done = subprocess.run([executable], cwd=folder, env=env, capture_output=True,
                              text=True, timeout=20, preexec_fn=preexec)
    except subprocess.TimeoutExpired:
        raise Failure("the game was still running after 20 s")
    return done.returncode, done.stderr


def reported(stderr):
    """The files named in the message, each with its reason."""
    return dict(line.strip().split(": ", 1) for line in stderr.splitlines()
                if line.startswith("  ") and ": " in line)


def test_every_broken_file_is_named_with_its_reason(copy):
    for relative, breaks, _ in BREAKAGES:
        breaks(copy.path(relative))
    status, stderr = run(copy.executable, copy.folder, HEADLESS)
    expect(status == 3, "status %d, expected 3: %s" % (status, stderr))
    expect(copy.folder in stderr, "the folder searched is not named: " + stderr)
    files = reported(stderr)
    expect(set(files) == {b[0] for b in BREAKAGES},
           "reported %s, expected the %d broken files" % (sorted(files), len(BREAKAGES)))
    for relative, _, reason in BREAKAGES:
        expect(reason in files[relative], "%s: %r lacks %r" % (relative, files[relative], reason))
    expect("start the game from its own folder" not in stderr, "wrong advice: " + stderr)


def nobody():
    for name in ("nobody", "nfsnobody"):
        try:
            return pwd.getpwnam(name)
        except KeyError:
            pass
    return None


def test_an_unreadable_file_or_folder_is_named(copy):
    preexec = None
    if os.geteuid() == 0:
        user = nobody()
        if user is None:
            print("SKIP unreadable files: running as root and no nobody-like user to become")
            return
        def preexec():
            os.setgroups([])
            os.setgid(user.pw_gid)
            os.setuid(user.pw_uid)
    for locked, _ in UNREADABLE:
        unreadable(copy.path(locked))
    status, stderr = run(copy.executable, copy.folder, HEADLESS, preexec)
    expect(status == 3, "status %d, expected 3: %s" % (status, stderr))
    files = reported(stderr)
    for _, relative in UNREADABLE:
        expect("Permission denied" in files.get(relative, ""),
               "%s not reported as unreadable: %s" % (relative, stderr))


def test_no_display_ends_at_once(copy):
    status, stderr = run(copy.executable, copy.folder, {"SDL_AUDIODRIVER": "dummy"})
    expect(status == 1, "status %d, expected 1: %s" % (status, stderr))
    expect(NO_DISPLAY in stderr.splitlines(), "no %r in %r" % (NO_DISPLAY, stderr))


def lit(picture):
    return sum(1 for _, _, p in picture.pixels((0, 0, 320, 240)) if min(p) > 200)


def test_the_message_shows_in_a_window_until_a_key(copy):
    missing(copy.path("sserife.fon"))  # the window must do with its built-in font
    try:
        xserver = XServer()
    except Failure as reason:
        print("SKIP the message window: %s" % reason)
        return
    os.environ["VANDAL_DATA"] = copy.folder
    os.environ["ASAN_OPTIONS"] = "detect_leaks=0"
    os.chdir(copy.folder)
    try:
        game = Game(xserver, copy.executable)
        try:
            # White text on black: a message of a few lines lights hundreds of pixels.
            game.wait_for(lambda picture: lit(picture) > 300, 5, "the message in the window")
            expect(game.process.poll() is None, "the window closed by itself at once")
            game.key("space")
            status = game.process.wait(5)
            stderr = game.process.stderr.read().decode()
            expect(status == 3, "status %d after the key, expected 3" % status)
            expect("sserife.fon" in stderr, "the message is not on stderr too: " + stderr)
        finally:
            game.kill()
    finally:
        xserver.stop()


TESTS = [
    test_every_broken_file_is_named_with_its_reason,
    test_an_unreadable_file_or_folder_is_named,
    test_no_display_ends_at_once,
    test_the_message_shows_in_a_window_until_a_key,
]


def main():
    executable, game_dir = sys.argv[1], sys.argv[2]
    failures = 0
    for test in TESTS:
        copy = Copy(game_dir, executable)
        started = time.monotonic()
        here = os.getcwd()
        try:
            test(copy)
            print("ok   %s (%.1fs)" % (test.__name__, time.monotonic() - started))
        except Exception:
            failures += 1
            print("FAIL %s" % test.__name__)
            traceback.print_exc()
        finally:
            os.chdir(here)
            copy.remove()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
