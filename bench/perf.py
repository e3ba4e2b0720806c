"""What the game costs on the handheld's terms: instructions per frame and per level
switch (callgrind, main thread, SDL_Flip left out because the handheld's own SDL has
no conversion layer in it), files opened per switch, peak heap (massif), and the
desktop CPU the real game takes in a window.

    cmake --build build --target perf          # everything (a quarter of an hour)
    python3 bench/perf.py --game build/game --only level4 tint
    python3 bench/perf.py --game build/game --armel build-armel-bench   # ARM counts

Nothing here passes or fails: it prints a table to compare with docs/performance.md.
"""

import argparse
import glob
import os
import re
import subprocess
import sys
import tempfile
import time

import armcount

HERE = os.path.dirname(os.path.abspath(__file__))
# Passes per run of the ARM counts (N, then 2N): the trace of start-up is the same
# either way and far longer than a pass's.
ARM_PASSES = {"freerun": 10, "portal": 5}
# A window at its natural size: scaling it up is the desktop's business, not the game's.
HEADLESS = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
                SDL12COMPAT_WINDOW_SCALING="1")


def driver(game, *args):
    return [os.path.join(game, "vandal_perf"), *map(str, args)]


def find_seeds(game, seeds):
    out = subprocess.run(driver(game, "find", seeds), cwd=game, env=HEADLESS, check=True,
                         capture_output=True, text=True).stdout
    found = dict(line.split(None, 1) for line in out.splitlines())
    return int(found["largest"].split()[0]), int(found["busiest"].split()[0]), found


def callgrind_counts(path):
    """Total instructions and the number of calls into libm in one callgrind file."""
    total = 0
    libm_calls = 0
    objects = {}
    called_object = ""
    with open(path) as f:
        for line in f:
            if line.startswith(("summary:", "totals:")):
                total = int(line.split()[1])
            elif line.startswith("cob="):
                m = re.match(r"cob=\((\d+)\)(?: (.*))?", line.strip())
                if m:
                    if m.group(2):
                        objects[m.group(1)] = m.group(2)
                    called_object = objects.get(m.group(1), "")
                else:
                    called_object = line[4:].strip()
            elif line.startswith("ob="):
                m = re.match(r"ob=\((\d+)\)(?: (.*))?", line.strip())
                if m and m.group(2):
                    objects[m.group(1)] = m.group(2)
            elif line.startswith("calls="):
                if "libm" in called_object:
                    libm_calls += int(line[6:].split()[0])
                called_object = ""
    return total, libm_calls


def flip_outside(path):
    """The toggle on SDL_Flip turns counting off inside the measured passes, but on for
    the one flip that start-up's menu makes before them: that one is taken off again."""
    listing = subprocess.run(["callgrind_annotate", "--inclusive=yes", path], check=True,
                             capture_output=True, text=True).stdout
    for line in listing.splitlines():
        if ":SDL_Flip " in line:
            return int(line.split()[0].replace(",", ""))
    return 0


def run_callgrind(game, args):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "cg.out")
        result = subprocess.run(
            ["valgrind", "--tool=callgrind", "--separate-threads=yes", "--collect-atstart=no",
             "--toggle-collect=benchMeasured*", "--toggle-collect=SDL_Flip",
             "--callgrind-out-file=" + out, *driver(game, *args)],
            cwd=game, env=HEADLESS, check=True, capture_output=True, text=True)
        main_thread = sorted(glob.glob(out + "*-01"))[0]
        total, libm = callgrind_counts(main_thread)
        total -= flip_outside(main_thread)
        opened = re.search(r"files-opened (\d+)", result.stdout)
        return total, libm, int(opened.group(1)) if opened else None


def run_massif(game, args):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "massif.out")
        subprocess.run(["valgrind", "--tool=massif", "--massif-out-file=" + out,
                        *driver(game, *args)],
                       cwd=game, env=HEADLESS, check=True, capture_output=True)
        peak = heap = 0
        with open(out) as f:
            for line in f:
                if line.startswith("mem_heap_B="):
                    heap = int(line.split("=")[1])
                elif line.startswith("mem_heap_extra_B="):
                    peak = max(peak, heap + int(line.split("=")[1]))
        return peak


def pace(game, seconds, rate, mode):
    """Steps per second of the frame, walker and car timers on the fake clock: the loop
    passing every millisecond ("busy", as it was) or resting until the next is due."""
    out = subprocess.run(driver(game, "simpace", seconds, rate, mode), cwd=game, env=HEADLESS,
                         check=True, capture_output=True, text=True).stdout
    return ", ".join(line.split(None, 1)[1] for line in out.splitlines())


def cpu_share(pid, seconds):
    """Share of one core the process used over the given seconds, and its voluntary
    context switches in that time (a loop that rests blocks; a busy one never does)."""

    def sample():
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        with open("/proc/%d/status" % pid) as f:
            switches = int(re.search(r"voluntary_ctxt_switches:\s+(\d+)", f.read()).group(1))
        return int(fields[11]) + int(fields[12]), switches

    ticks_per_second = os.sysconf("SC_CLK_TCK")
    ticks0, switches0 = sample()
    time.sleep(seconds)
    ticks1, switches1 = sample()
    return 100.0 * (ticks1 - ticks0) / ticks_per_second / seconds, switches1 - switches0


def desktop(game):
    sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
    import harness

    xserver = harness.XServer()
    rows = []
    try:
        cwd = os.getcwd()
        os.chdir(game)
        try:
            play = harness.Game(xserver, os.path.join(game, "vandal"))
        finally:
            os.chdir(cwd)
        try:
            time.sleep(1)
            share, switches = cpu_share(play.process.pid, 10)
            rows.append(("desktop CPU, idle menu (10 s)", "%.1f %% of a core" % share,
                         "%d voluntary switches" % switches))
            play.key("Down", "a")  # the first entry: a new game on level 1
            play.hold("space")
            time.sleep(1)
            share, switches = cpu_share(play.process.pid, 10)
            play.hold("space", down=False)
            rows.append(("desktop CPU, driving (10 s)", "%.1f %% of a core" % share,
                         "%d voluntary switches" % switches))
        finally:
            play.kill()
    finally:
        xserver.stop()
    return rows


def armel_sysroot():
    cache = os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache"))
    return os.environ.get("VANDAL_ARMEL_SYSROOT", os.path.join(cache, "vandal", "armel-sysroot"))


def armel_build(build, sysroot):
    """The armel driver, built as the handheld build would be (-O2 -g, ARMv4T code, no
    sanitizer) into its own folder the first time."""
    if not os.path.exists(os.path.join(sysroot, "usr", "include", "SDL", "SDL.h")):
        sys.exit("no armel sysroot at %s: scripts/arm-check.sh makes it" % sysroot)
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        subprocess.run(
            ["cmake", "-S", os.path.join(HERE, ".."), "-B", build,
             "-DCMAKE_TOOLCHAIN_FILE=" + os.path.join(HERE, "..", "cmake", "armel.cmake"),
             "-DVANDAL_ARMEL_SYSROOT=" + sysroot, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
             "-DVANDAL_HANDHELD=ON", "-DVANDAL_TESTS=OFF", "-DVANDAL_BENCH=ON",
             "-DCMAKE_CXX_FLAGS=-march=armv4t -mtune=arm920t -marm -Wno-psabi",
             "-DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-as-needed,-latomic,--as-needed"],
            check=True, stdout=subprocess.DEVNULL)
    # card_names lays the sounds out as the handheld's card keeps them.
    subprocess.run(["cmake", "--build", build, "-j2", "--target", "vandal_perf", "card_names"],
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(os.path.abspath(build), "game")


def arm_counts(game, build, frames, top):
    """ARM instructions and modelled cycles per frame of the armel build under qemu."""
    sysroot = armel_sysroot()
    armel_game = armel_build(build, sysroot)
    counter = os.path.join(game, "vandal_trace_count")
    for name, title, call, _ in frames:
        passes = ARM_PASSES.get(name, 20)
        functions = armcount.steady(armel_game, sysroot, counter, call[:-1], passes, HEADLESS)
        unit = "switch" if name == "portal" else "frame" if name != "menu" else "key"
        armcount.report(title, unit, functions, top)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--game", required=True, help="the game folder (build/game)")
    parser.add_argument("--seeds", type=int, default=500, help="level-4 seeds to search")
    parser.add_argument("--only", nargs="*", help="scenario names to run")
    parser.add_argument("--level4", nargs=2, type=int, metavar=("LARGEST", "BUSIEST"),
                        help="the level-4 seeds to use instead of searching for them")
    parser.add_argument("--armel", metavar="BUILD_DIR",
                        help="count ARM instructions of the armel build in this folder "
                             "(made if missing) under qemu")
    parser.add_argument("--top", type=int, default=12, help="functions listed (--armel)")
    args = parser.parse_args()
    game = os.path.abspath(args.game)

    if args.level4:
        largest, busiest = args.level4
    else:
        largest, busiest, found = find_seeds(game, args.seeds)
        print("level 4 over %d seeds: largest seed %s entities; busiest seed %s within 300 px"
              % (args.seeds, found["largest"], found["busiest"]))

    frames = [
        ("menu", "menu redraw after a key", ("menu", 20), 20),
        ("level1", "level 1, exit rings in view", ("level1", 1, 60), 60),
        ("level4", "busiest level 4, driving", ("level4", busiest, 60), 60),
        ("nuke", "that level with the fire ring", ("nuke", busiest, 60), 60),
        ("tint", "game-over tint on that level", ("tint", busiest, 10), 10),
        ("freerun", "freerun 6x1000 on 512x512", ("freerun", 6, 1000, 512, 20), 20),
        ("portal", "portal into the largest level 4", ("switch", largest, 1), 1),
    ]
    heaps = [
        ("heap4", "peak heap, largest level 4", ("switch", largest, 1)),
        ("heap100", "peak heap, 100 switches into it", ("switch", largest, 100)),
        ("heapfree", "peak heap, freerun 7x1000 on 4000x4000", ("freerun", 7, 1000, 4000, 1)),
    ]
    wanted = lambda name: not args.only or name in args.only

    if args.armel:
        arm_counts(game, args.armel, [f for f in frames if wanted(f[0])], args.top)
        return
    for name, title, call, divisor in frames:
        if not wanted(name):
            continue
        total, libm, opened = run_callgrind(game, call)
        unit = "switch" if name == "portal" else "frame" if name != "menu" else "key"
        line = "%-36s %12s instructions per %s, %d libm calls" % (
            title, "{:,}".format(total // divisor), unit, libm)
        if opened is not None:
            line += ", %d files opened" % opened
        print(line, flush=True)
    for name, title, call in heaps:
        if wanted(name):
            print("%-36s %12s MB" % (title, "%.1f" % (run_massif(game, call) / 1e6)), flush=True)
    if wanted("pace"):
        for rate, what in ((80, "car at 80/s"), (380, "NOS-boosted car at 380/s")):
            for mode in ("busy", "rest"):
                print("%-36s %s" % ("steps/s, %s, %s loop" % (what, mode),
                                    pace(game, 10, rate, mode)), flush=True)
    if wanted("desktop"):
        for row in desktop(game):
            print("%-36s %s, %s" % row, flush=True)


if __name__ == "__main__":
    main()
