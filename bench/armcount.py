"""ARM instructions of the armel build's measured passes, counted in qemu's trace.

qemu-arm-static runs vandal_perf with -d in_asm,exec,nochain into a FIFO that
vandal_trace_count (bench/trace_count.cpp) reads: only the main thread, only inside
the benchMeasured* functions, SDL_Flip left out, as callgrind counts on x86. Each
scenario runs twice, N and 2N passes; the difference over N is the steady state, free
of start-up and of the first passes' one-off work. Blocks are named from the process
map the driver saves and the symbols of each object (nm), and priced with the ARM9TDMI
cycle model described in trace_count.cpp.
"""

import bisect
import collections
import os
import re
import subprocess
import tempfile

CROSS = "arm-linux-gnueabi-"
FRAME_CYCLES = 3_200_000  # one 16 ms frame of the 200 MHz ARM920T
MEASURED = ("_Z17benchMeasuredPassRb", "_Z19benchMeasuredSwitchij")

SOFT_FLOAT = re.compile(r"^__(aeabi_[fd]\w+|aeabi_[ui]2[fd]|aeabi_[fd]2\w+|"
                        r"(add|sub|mul|div|neg)[sdt]f3|(eq|ne|lt|le|gt|ge|unord|cmp)[sd]f2|"
                        r"(fix|fixuns)[sd]f[sd]i|float(un)?[sd]i[sd]f|extendsfdf2|truncdfsf2)$")
VERSION = re.compile(r"@@?[A-Z][\w.]*$")
PLT_ENTRY = re.compile(r"^([0-9a-f]+) <(.+)@plt>:", re.M)
KERNEL_HELPERS = 0xFFFF0000  # the atomics and thread pointer the kernel maps for v5
DIVISION = re.compile(r"^__(aeabi_u?idiv(mod)?|aeabi_u?ldivmod|u?(div|mod)[sd]i3|"
                      r"udivmoddi4|gnu_u?ldivmod_helper|divmod\w*)$")


def symbols_of(path):
    """(address, size, name) of the functions in an ELF file, sorted: the full symbol
    table where it has one, else the exported names (stripped libraries)."""
    found = []
    for flags in (["--defined-only"], ["-D", "--defined-only"]):
        out = subprocess.run([CROSS + "nm", "-S", "-C", *flags, path], capture_output=True,
                             text=True).stdout
        for line in out.splitlines():
            fields = line.split(None, 3)
            if len(fields) == 4 and fields[2] in "TtWwi" and not fields[3].startswith("$"):
                found.append((int(fields[0], 16), int(fields[1], 16), fields[3]))
            elif len(fields) == 3 and fields[1] in "TtWwi" and not fields[2].startswith("$"):
                found.append((int(fields[0], 16), 0, fields[2]))
        if found:
            break
    plt = subprocess.run([CROSS + "objdump", "-d", "-j", ".plt", path], capture_output=True,
                         text=True).stdout
    found += [(int(a, 16), 12, n + "@plt") for a, n in PLT_ENTRY.findall(plt)]
    # Exported names carry their version (random@@GLIBC_2.4).
    return sorted(set((a, size, VERSION.sub("", name)) for a, size, name in found))


def load_segments(path):
    """(file offset, size, address) of each PT_LOAD segment."""
    out = subprocess.run([CROSS + "readelf", "-lW", path], capture_output=True,
                         text=True).stdout
    return [(int(f[1], 16), int(f[4], 16), int(f[2], 16))
            for f in (line.split() for line in out.splitlines()) if f and f[0] == "LOAD"]


class Namer:
    """Names a run-time address as object:function from the process's saved map."""

    def __init__(self, maps_path):
        self.mappings = []  # (start, end, file offset, path)
        with open(maps_path) as f:
            for line in f:
                fields = line.split()
                if len(fields) >= 6 and "x" in fields[1]:
                    start, end = (int(v, 16) for v in fields[0].split("-"))
                    self.mappings.append((start, end, int(fields[2], 16), fields[5]))
        self.mappings.sort()
        self.objects = {}

    def _object(self, path):
        if path not in self.objects:
            table = symbols_of(path)
            self.objects[path] = (load_segments(path), [s[0] for s in table], table)
        return self.objects[path]

    def name(self, pc):
        """(object, function, whether pc is the function's first instruction)."""
        i = bisect.bisect_right(self.mappings, (pc, float("inf"))) - 1
        if pc >= KERNEL_HELPERS:
            return "kernel", "helper 0x%x" % pc, True
        if i < 0 or not self.mappings[i][0] <= pc < self.mappings[i][1]:
            return "?", "0x%x" % pc, False
        start, _, offset, path = self.mappings[i]
        segments, addresses, table = self._object(path)
        file_offset = pc - start + offset
        address = next((file_offset - o + a for o, size, a in segments if o <= file_offset < o + size),
                       file_offset)
        obj = os.path.basename(path)
        j = bisect.bisect_right(addresses, address) - 1
        if j < 0:
            return obj, "0x%x" % address, False
        symbol_address, size, symbol = table[j]
        if size and address >= symbol_address + size:
            return obj, "after " + symbol, False
        return obj, symbol, address == symbol_address


def offsets(perf):
    """Link-time addresses in vandal_perf of main, the measured functions and the
    SDL_Flip stub the game calls through."""
    out = subprocess.run([CROSS + "nm", perf], capture_output=True, text=True,
                         check=True).stdout
    table = {f[2]: int(f[0], 16) for f in (l.split() for l in out.splitlines()) if len(f) == 3}
    plt = subprocess.run([CROSS + "objdump", "-d", "-j", ".plt", perf], capture_output=True,
                         text=True, check=True).stdout
    flip = re.search(r"^([0-9a-f]+) <SDL_Flip@plt>:", plt, re.M).group(1)
    return ["main=0x%x" % table["main"]] + ["measure=0x%x" % table[m] for m in MEASURED] + \
        ["pause=0x" + flip]


def trace(game, sysroot, counter, call, env):
    """Per function: [instructions, cycles, calls] over the measured passes of one run."""
    perf = os.path.join(game, "vandal_perf")
    with tempfile.TemporaryDirectory() as tmp:
        fifo, maps = os.path.join(tmp, "trace"), os.path.join(tmp, "maps")
        os.mkfifo(fifo)
        reader = subprocess.Popen([counter, fifo, *offsets(perf)], stdout=subprocess.PIPE,
                                  text=True)
        # No audio device: the mixer's thread would fill most of the trace (the driver
        # turns the sound off in any case).
        subprocess.run(["qemu-arm-static", "-L", sysroot, "-d", "in_asm,exec,nochain", "-D",
                        fifo, perf, *map(str, call)], cwd=game,
                       env=dict(env, VANDAL_PERF_MAPS=maps, SDL_AUDIODRIVER="none"), check=True,
                       stdout=subprocess.DEVNULL)
        out = reader.communicate()[0]
        namer = Namer(maps)
    functions = collections.defaultdict(lambda: [0, 0, 0])
    for line in out.splitlines():
        fields = line.split()
        if (fields[0] == "stray-returns" and fields[1] != "0") or \
                (fields[0] == "regions" and fields[1] != str(call[-1])):
            raise RuntimeError("%s in %s: the call depth went astray"
                               % (line, " ".join(map(str, call))))
        if fields[0] != "block":
            continue
        pc, runs, instructions, cycles, taken = (int(fields[1], 16), *map(int, fields[2:]))
        obj, function, entry = namer.name(pc)
        totals = functions[(obj, function)]
        totals[0] += runs * instructions
        totals[1] += runs * cycles + 2 * taken
        totals[2] += runs if entry else 0
    return functions


def steady(game, sysroot, counter, call, n, env):
    """Per function, what one more pass costs: (2N run - N run) / N."""
    once = trace(game, sysroot, counter, [*call, n], env)
    twice = trace(game, sysroot, counter, [*call, 2 * n], env)
    return {key: [(b - a) / n for a, b in zip(once.get(key, [0, 0, 0]), value)]
            for key, value in twice.items()}


def report(title, unit, functions, top):
    instructions = sum(v[0] for v in functions.values())
    cycles = sum(v[1] for v in functions.values())
    division = sum(v[2] for (_, f), v in functions.items() if DIVISION.match(f))
    soft_float = sum(v[2] for (_, f), v in functions.items() if SOFT_FLOAT.match(f))
    print("%-36s %12s ARM instructions per %s, %s cycles = %.0f %% of a 3.2 M-cycle frame; "
          "%d division calls, %d soft-float calls"
          % (title, "{:,.0f}".format(instructions), unit, "{:,.0f}".format(cycles),
             100 * cycles / FRAME_CYCLES, division, soft_float), flush=True)
    ranked = sorted(functions.items(), key=lambda item: -item[1][0])[:top]
    for (obj, function), (count, _, calls) in ranked:
        print("    %5.1f %% %10s  %-14s %s%s" % (
            100 * count / instructions if instructions else 0, "{:,.0f}".format(count), obj,
            function, ", %s calls" % "{:,.0f}".format(calls) if calls else ""), flush=True)
