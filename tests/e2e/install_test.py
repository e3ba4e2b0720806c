"""Starts the real game on copies of its folder broken the ways an install breaks, and
checks what it says and how it ends: never a hang, always the file and the reason.

Usage: install_test.py <path to vandal> <game folder>
"""

import os
import pwd
import shutil
import struct
import subprocess
import sys
import tempfile
import traceback

sys.dont_write_bytecode = True  # keep the source folder clean

from harness import Failure, Game, XServer

HEADLESS = {"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy"}


def expect(condition, message):
    if not condition:
        raise Failure(message)


def rewrite(path, change):
    with open(path, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(change(data))


def lying_wav(data):
    """The data chunk claims 2 GB; the samples that follow stay as they were."""
    at = data.index(b"data") + 4
    return data[:at] + struct.pack("<I", 0x7FFFFFFF) + data[at + 4:]


# (file, how it is broken, what the message must say about it)
BREAKAGES = [
    ("sprites/menu.bmp", os.remove, "No such file or directory"),
    ("sprites/yellowcar/n.bmp", lambda p: rewrite(p, lambda d: b""), "the file is empty"),
    ("sprites/hud.bmp", lambda p: rewrite(p, lambda d: d[:100]), "Error reading from datastream"),
    ("sprites/yellowcar/e.bmp", lambda p: rewrite(p, lambda d: b"\x89PNG\r\n\x1a\n" + d[8:]),
     "File is not a Windows BMP file"),
    ("sounds/portal.wav", lambda p: rewrite(p, lying_wav), "claims 2147483647 bytes"),
    ("goudos.ttf", lambda p: rewrite(p, lambda d: d[:100]), ""),
]
# (what is made unreadable, a file the message must then name)
UNREADABLE = [("sprites/particles", "sprites/particles/fire.bmp"),
              ("sounds/chop.wav", "sounds/chop.wav")]


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

    def run(self, changes, preexec=None):
        """Runs the game to its end; one still running after 20 s fails the test."""
        env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0", VANDAL_DATA=self.folder)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"):
            env.pop(name, None)
        env.update(changes)
        try:
            done = subprocess.run([self.executable], cwd=self.folder, env=env, text=True,
                                  capture_output=True, timeout=20, preexec_fn=preexec)
        except subprocess.TimeoutExpired:
            raise Failure("the game was still running after 20 s")
        return done.returncode, done.stderr

    def remove(self):
        for here, dirs, _ in os.walk(self.root):
            for d in dirs:
                os.chmod(os.path.join(here, d), 0o755)
        shutil.rmtree(self.root)


def reported(stderr):
    """The files the message names, each with its reason."""
    return dict(line.strip().split(": ", 1) for line in stderr.splitlines()
                if line.startswith("  ") and ": " in line)


def test_every_broken_file_is_named_with_its_reason(copy):
    for relative, breaks, _ in BREAKAGES:
        breaks(copy.path(relative))
    status, stderr = copy.run(HEADLESS)
    expect(status == 3, "status %d, expected 3: %s" % (status, stderr))
    expect(copy.folder in stderr, "the folder searched is not named: " + stderr)
    files = reported(stderr)
    expect(set(files) == {b[0] for b in BREAKAGES}, "reported %s" % sorted(files))
    for relative, _, reason in BREAKAGES:
        expect(reason in files[relative], "%s: %r lacks %r" % (relative, files[relative], reason))


def test_an_unreadable_file_or_folder_is_named(copy):
    preexec = None
    if os.geteuid() == 0:  # root reads everything: become nobody
        try:
            user = pwd.getpwnam("nobody")
        except KeyError:
            print("SKIP unreadable files: running as root, and there is no user nobody")
            return

        def preexec():
            os.setgroups([])
            os.setgid(user.pw_gid)
            os.setuid(user.pw_uid)
    for locked, _ in UNREADABLE:
        os.chmod(copy.path(locked), 0)
    status, stderr = copy.run(HEADLESS, preexec)
    expect(status == 3, "status %d, expected 3: %s" % (status, stderr))
    files = reported(stderr)
    for _, relative in UNREADABLE:
        expect("Permission denied" in files.get(relative, ""), "%s: %s" % (relative, stderr))


def test_no_display_ends_at_once_with_a_word_on_each_thing_missing(copy):
    # No display, no game files where VANDAL_DATA says, and (on a machine without a
    # sound card) no sound: one line on each of the first two, no noise about sound.
    status, stderr = copy.run({"VANDAL_DATA": "/no/such/folder"})
    expect(status == 1, "status %d, expected 1: %s" % (status, stderr))
    lines = stderr.splitlines()
    expect("Couldn't initialize SDL: no display (is DISPLAY set?)" in lines, stderr)
    expect("Vandal Demo: VANDAL_DATA=/no/such/folder does not hold the game's files; using %s"
           % copy.folder in lines, stderr)
    expect(not any(line.startswith("ALSA") for line in lines), stderr)


def lit(picture):
    return sum(1 for _, _, p in picture.pixels((0, 0, 320, 240)) if min(p) > 200)


def test_the_message_shows_in_a_window_until_a_key(copy):
    os.remove(copy.path("sserife.fon"))  # the window must do with its built-in font
    try:
        xserver = XServer()
    except Failure as reason:
        print("SKIP the message window: %s" % reason)
        return
    os.environ.update(VANDAL_DATA=copy.folder, ASAN_OPTIONS="detect_leaks=0")
    os.chdir(copy.folder)
    try:
        game = Game(xserver, copy.executable)
        try:
            # White text on black: a few lines light hundreds of pixels.
            game.wait_for(lambda picture: lit(picture) > 300, 5, "the message in the window")
            game.key("space")
            status = game.process.wait(5)
            expect(status == 3, "status %d after the key, expected 3" % status)
            expect("sserife.fon" in game.process.stderr.read().decode(), "not on stderr too")
        finally:
            game.kill()
    finally:
        xserver.stop()


TESTS = [
    test_every_broken_file_is_named_with_its_reason,
    test_an_unreadable_file_or_folder_is_named,
    test_no_display_ends_at_once_with_a_word_on_each_thing_missing,
    test_the_message_shows_in_a_window_until_a_key,
]


def main():
    executable, game_dir = sys.argv[1], sys.argv[2]
    here = os.getcwd()
    failures = 0
    for test in TESTS:
        copy = Copy(game_dir, executable)
        try:
            test(copy)
            print("ok   %s" % test.__name__)
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
