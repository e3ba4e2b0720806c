// Counts what the ARM code of the measured passes costs, from the trace that qemu-arm
// writes with -d in_asm,exec,nochain (read from a FIFO: a run's trace is many
// gigabytes). in_asm shows each code block once, when it is translated; exec names
// every block as it runs. Counted are the blocks the main thread runs from the entry
// of a measured function until it returns, less what runs from a paused function's
// entry until that returns (SDL_Flip). Calls and returns are told from the blocks'
// last instructions, so a call depth says when a function has returned.
//
//   vandal_trace_count FIFO main=OFFSET measure=OFFSET... pause=OFFSET...
//
// The offsets are link-time addresses in the executable; the block qemu labels with
// the anchor's name (main) shows where it was loaded. Prints one line per block run
// while counting: its address, runs, instructions, modelled cycles (see cycleCost)
// and how often its last branch was taken (two cycles more each).
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

enum class Exit { None, Jump, Call, Return };

constexpr uint32_t kKernelHelpers = 0xffff0000;

struct Block {
    uint32_t instructions = 0;
    uint32_t cycles = 0; // with its last branch not taken
    uint32_t fallThrough = 0;
    Exit exit = Exit::None;
    uint64_t runs = 0;
    uint64_t taken = 0;
};

struct Instruction {
    uint32_t address = 0;
    uint32_t size = 4;
    std::string base; // the mnemonic without its condition and flag-setting suffix
    std::string operands;
};

const std::unordered_set<std::string> kMnemonics = {
    "mov",   "mvn",  "add",  "adc",   "sub",   "sbc",   "rsb",   "rsc",   "and",    "orr",
    "eor",   "bic",  "cmp",  "cmn",   "tst",   "teq",   "lsl",   "lsr",   "asr",    "ror",
    "rrx",   "clz",  "mul",  "mla",   "umull", "umlal", "smull", "smlal", "smulbb", "smlabb",
    "ldr",   "ldrb", "ldrh", "ldrsb", "ldrsh", "ldrd",  "ldrt",  "ldrbt", "str",    "strb",
    "strh",  "strd", "ldm",  "ldmib", "ldmda", "ldmdb", "pop",   "stm",   "stmib",  "stmda",
    "stmdb", "push", "b",    "bl",    "blx",   "bx",    "svc",   "swp",   "swpb",   "mrs",
    "msr",   "mcr",  "mrc",  "pld",   "nop",   "neg",   "udf",   "bkpt"};

const std::unordered_set<std::string> kConditions = {"eq", "ne", "hs", "cs", "lo", "cc",
                                                     "mi", "pl", "vs", "vc", "hi", "ls",
                                                     "ge", "lt", "gt", "le", "al"};

bool known(const std::string& m) { return kMnemonics.count(m) > 0; }

bool knownWithFlags(const std::string& m) {
    return known(m) || (m.size() > 1 && m.back() == 's' && known(m.substr(0, m.size() - 1)));
}

// "subshs" is sub, setting flags, if higher or same; "bls" is b if lower or same.
std::string baseMnemonic(std::string m) {
    if (m.size() > 2 && kConditions.count(m.substr(m.size() - 2)) &&
        knownWithFlags(m.substr(0, m.size() - 2)))
        m.resize(m.size() - 2);
    if (!known(m) && knownWithFlags(m)) m.pop_back();
    return m;
}

bool isRegister(const std::string& t) {
    static const std::unordered_set<std::string> names = {
        "r0",  "r1",  "r2",  "r3", "r4", "r5", "r6", "r7", "r8", "r9",
        "r10", "r11", "r12", "sb", "sl", "fp", "ip", "sp", "lr", "pc"};
    return names.count(t) > 0;
}

std::vector<std::string> registersIn(const std::string& operands) {
    std::vector<std::string> found;
    std::string token;
    for (char c : operands + ' ') {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            token += c;
            continue;
        }
        if (isRegister(token)) found.push_back(token);
        token.clear();
    }
    return found;
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

bool isLoad(const std::string& b) { return startsWith(b, "ldr") && b != "ldrd"; }

bool isMultiple(const std::string& b) {
    return startsWith(b, "ldm") || startsWith(b, "stm") || b == "pop" || b == "push";
}

// Instructions that write no register named first: all they name, they read.
bool readsAll(const std::string& b) {
    return startsWith(b, "str") || startsWith(b, "stm") || b == "push" || b == "cmp" ||
           b == "cmn" || b == "tst" || b == "teq" || b == "bx" || b == "blx";
}

bool reads(const Instruction& next, const std::string& reg) {
    std::vector<std::string> regs = registersIn(next.operands);
    size_t first = readsAll(next.base) || regs.empty() ? 0 : 1;
    if (startsWith(next.base, "ldm") || next.base == "pop") regs.resize(regs.empty() ? 0 : 1);
    for (size_t i = first; i < regs.size(); ++i)
        if (regs[i] == reg) return true;
    return false;
}

int listedRegisters(const std::string& operands) {
    size_t open = operands.find('{');
    if (open == std::string::npos) return 1;
    return 1 + static_cast<int>(
                   std::count(operands.begin() + static_cast<long>(open), operands.end(), ','));
}

// "add r0, r1, r2, lsl r3" or "lsl r0, r1, r2": a shift by a register costs a cycle.
bool shiftsByRegister(const Instruction& i) {
    static const std::unordered_set<std::string> shifts = {"lsl", "lsr", "asr", "ror"};
    if (shifts.count(i.base)) return registersIn(i.operands).size() == 3;
    size_t comma = i.operands.rfind(", ");
    if (comma == std::string::npos) return false;
    std::string tail = i.operands.substr(comma + 2);
    size_t space = tail.find(' ');
    return space != std::string::npos && shifts.count(tail.substr(0, space)) &&
           isRegister(tail.substr(space + 1));
}

// The ARM9TDMI's cost, from its timing tables with what the trace cannot show
// simplified: one cycle per data-processing instruction (two with a shift by a
// register), a load one more when the next instruction needs its result, a load or
// store multiple n + 1, multiplies 3 (long ones 4), the middle of what operand sizes
// give. A taken branch's two cycles are added where it runs. Conditional instructions
// are charged as if they ran; caches and memory are left out.
uint32_t cycleCost(const Instruction& i, const Instruction* next) {
    const std::string& b = i.base;
    if (b == "mul" || b == "mla" || startsWith(b, "smul") || startsWith(b, "smla")) return 3;
    if (b == "umull" || b == "umlal" || b == "smull" || b == "smlal") return 4;
    if (isMultiple(b)) return static_cast<uint32_t>(listedRegisters(i.operands)) + 1;
    if (b == "ldrd" || b == "strd" || b == "swp" || b == "swpb") return 2;
    if (isLoad(b)) {
        std::vector<std::string> regs = registersIn(i.operands);
        return next && !regs.empty() && reads(*next, regs[0]) ? 2 : 1;
    }
    return shiftsByRegister(i) ? 2 : 1;
}

bool writesPc(const Instruction& i) {
    if (isMultiple(i.base))
        return !startsWith(i.base, "stm") && i.operands.find("pc}") != std::string::npos;
    if (readsAll(i.base)) return false;
    return startsWith(i.operands, "pc,");
}

// ARMv4T calls through a register as `mov lr, pc` then a branch or a load into pc.
Exit exitOf(const Instruction& last, const Instruction* before) {
    const std::string& b = last.base;
    bool linked = before && before->base == "mov" && before->operands == "lr, pc";
    if (b == "b") return Exit::Jump;
    if (b == "bl" || b == "blx") return Exit::Call;
    if (b == "bx") return last.operands == "lr" ? Exit::Return : linked ? Exit::Call : Exit::Jump;
    if (!writesPc(last)) return Exit::None;
    if (b == "pop" || (startsWith(b, "ldm") && startsWith(last.operands, "sp")))
        return Exit::Return;
    if (last.operands == "pc, lr" || startsWith(last.operands, "pc, [sp], #4")) return Exit::Return;
    return linked ? Exit::Call : Exit::Jump;
}

// "0x3f7ee170:  e59f19c0  ldr      r1, [pc, #0x9c0]"
bool parseInstruction(const char* line, Instruction& out) {
    char* end = nullptr;
    out.address = static_cast<uint32_t>(std::strtoul(line, &end, 16));
    if (*end != ':') return false;
    const char* p = end + 1;
    while (*p == ' ')
        ++p;
    const char* word = p;
    while (std::isxdigit(static_cast<unsigned char>(*p)))
        ++p;
    out.size = static_cast<uint32_t>(p - word) / 2;
    while (*p == ' ')
        ++p;
    const char* mnemonic = p;
    while (*p && *p != ' ' && *p != '\n')
        ++p;
    out.base = baseMnemonic(std::string(mnemonic, p));
    while (*p == ' ')
        ++p;
    out.operands.assign(p, std::strcspn(p, "\n"));
    return true;
}

Block summarise(const std::vector<Instruction>& code) {
    Block block;
    block.instructions = static_cast<uint32_t>(code.size());
    for (size_t i = 0; i < code.size(); ++i)
        block.cycles += cycleCost(code[i], i + 1 < code.size() ? &code[i + 1] : nullptr);
    const Instruction& last = code.back();
    block.fallThrough = last.address + last.size;
    block.exit = exitOf(last, code.size() > 1 ? &code[code.size() - 2] : nullptr);
    return block;
}

class Counter {
  public:
    std::string anchorName;
    uint32_t anchorOffset = 0;
    std::vector<uint32_t> measureOffsets, pauseOffsets;

    void line(const char* text) {
        if (startsWith(text, "Trace ")) return executed(text);
        if (startsWith(text, "IN:")) return translating(text + 3);
        if (text[0] == '\n' || text[0] == '\0') return translated();
        Instruction instruction;
        if (inBlock && parseInstruction(text, instruction)) code.push_back(instruction);
    }

    void report() const {
        std::printf("regions %llu\nstray-returns %llu\nunknown-blocks %llu\n",
                    static_cast<unsigned long long>(regions),
                    static_cast<unsigned long long>(strayReturns),
                    static_cast<unsigned long long>(unknownBlocks));
        for (const auto& [pc, block] : blocks)
            if (block.runs)
                std::printf("block %x %llu %u %u %llu\n", pc,
                            static_cast<unsigned long long>(block.runs), block.instructions,
                            block.cycles, static_cast<unsigned long long>(block.taken));
    }

  private:
    std::unordered_map<uint32_t, Block> blocks;
    std::unordered_set<uint32_t> measureEntries, pauseEntries;
    bool inBlock = false;
    bool anchored = false;
    std::string label;
    std::vector<Instruction> code;

    Block* previous = nullptr;
    bool previousCounted = false;
    int depth = 0;
    bool measuring = false, paused = false;
    int measureDepth = 0, pauseDepth = 0;
    uint32_t expectedReturn = 0;
    uint64_t regions = 0, strayReturns = 0, unknownBlocks = 0;

    void translating(const char* name) {
        while (*name == ' ')
            ++name;
        label.assign(name, std::strcspn(name, "\n"));
        code.clear();
        inBlock = true;
    }

    void translated() {
        if (!inBlock || code.empty()) return;
        inBlock = false;
        uint32_t pc = code.front().address;
        if (!anchored && label == anchorName) anchor(pc - anchorOffset);
        Block& block = blocks[pc];
        uint64_t runs = block.runs, taken = block.taken;
        block = summarise(code);
        // The kernel's helpers (the thread pointer, atomics) are called with bl; qemu
        // runs them itself and goes straight back to lr.
        if (pc >= kKernelHelpers) block.exit = Exit::Return;
        block.runs = runs;
        block.taken = taken;
    }

    void anchor(uint32_t base) {
        anchored = true;
        for (uint32_t offset : measureOffsets)
            measureEntries.insert(base + offset);
        for (uint32_t offset : pauseOffsets)
            pauseEntries.insert(base + offset);
    }

    // "Trace 0: 0x7f52a40000c0 [00000480/3f7ed7e4/00000000/00000200] symbol"
    void executed(const char* text) {
        if (!startsWith(text, "Trace 0:")) return; // another thread
        const char* slash = std::strchr(text, '/');
        if (!slash) return;
        uint32_t pc = static_cast<uint32_t>(std::strtoul(slash + 1, nullptr, 16));
        auto found = blocks.find(pc);
        if (found == blocks.end()) {
            ++unknownBlocks;
            previous = nullptr;
            return;
        }
        if (previous) settle(pc);
        enter(pc);
        bool counting = measuring && !paused;
        if (counting) ++found->second.runs;
        previous = &found->second;
        previousCounted = counting;
    }

    // The previous block's last branch went to pc: a call or a return changes depth.
    void settle(uint32_t pc) {
        bool taken = previous->exit != Exit::None && pc != previous->fallThrough;
        if (!taken) return;
        if (previousCounted) ++previous->taken;
        if (previous->exit == Exit::Call) ++depth;
        if (previous->exit == Exit::Return) --depth;
        if (paused && depth < pauseDepth) paused = false;
        if (measuring && depth < measureDepth) {
            measuring = false;
            if (pc != expectedReturn) ++strayReturns;
        }
    }

    void enter(uint32_t pc) {
        if (!measuring && measureEntries.count(pc)) {
            measuring = true;
            measureDepth = depth;
            expectedReturn = previous ? previous->fallThrough : 0;
            ++regions;
        } else if (measuring && !paused && pauseEntries.count(pc)) {
            paused = true;
            pauseDepth = depth;
        }
    }
};

bool parseOption(Counter& counter, const char* arg) {
    const char* equals = std::strchr(arg, '=');
    if (!equals) return false;
    std::string name(arg, equals);
    uint32_t offset = static_cast<uint32_t>(std::strtoul(equals + 1, nullptr, 0));
    if (name == "measure")
        counter.measureOffsets.push_back(offset);
    else if (name == "pause")
        counter.pauseOffsets.push_back(offset);
    else {
        counter.anchorName = name;
        counter.anchorOffset = offset;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Counter counter;
    for (int i = 2; i < argc; ++i)
        if (!parseOption(counter, argv[i])) return 2;
    FILE* trace = argc > 2 ? std::fopen(argv[1], "r") : nullptr;
    if (!trace || counter.anchorName.empty()) {
        std::fprintf(stderr, "usage: vandal_trace_count FIFO main=OFFSET measure=OFFSET... "
                             "pause=OFFSET...\n");
        return 2;
    }
    // A pipe of the largest size an unprivileged reader may ask for: qemu writes the
    // trace line by line, and every full pipe is a switch between it and us.
    fcntl(fileno(trace), F_SETPIPE_SZ, 1 << 20);
    static char buffer[1 << 20];
    std::setvbuf(trace, buffer, _IOFBF, sizeof buffer);
    char* text = nullptr;
    size_t capacity = 0;
    while (getline(&text, &capacity, trace) > 0)
        counter.line(text);
    std::free(text);
    counter.report();
    return 0;
}
