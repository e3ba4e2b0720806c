// The page's rand() is the desktop's, the GNU C library's: the game draws everything
// from it, so with it a seed plays out the same game on the page as on the desktop
// (and the replay's record holds for both). Emscripten's own is a different generator.
// This is glibc's default one: 31 words of additive feedback, r[i] = r[i-3] + r[i-31],
// seeded by a multiplicative congruence and run 310 steps before the first draw,
// each draw dropping its lowest bit.
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kDegree = 31;
constexpr int kSeparation = 3;

std::int32_t state[kDegree];
int front, rear; // where the next sum is stored, and the word added to it
bool seeded;

std::int32_t step() {
    std::uint32_t sum =
        static_cast<std::uint32_t>(state[front]) + static_cast<std::uint32_t>(state[rear]);
    state[front] = static_cast<std::int32_t>(sum);
    front = (front + 1) % kDegree;
    rear = (rear + 1) % kDegree;
    return static_cast<std::int32_t>(sum >> 1);
}

} // namespace

extern "C" void srand(unsigned seed) {
    if (seed == 0) seed = 1;
    std::int32_t word = static_cast<std::int32_t>(seed);
    state[0] = word;
    for (int i = 1; i < kDegree; ++i) {
        // 16807 x word mod 2^31 - 1, without overflowing 31 bits
        long long hi = word / 127773, lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0) word += 2147483647;
        state[i] = word;
    }
    front = kSeparation;
    rear = 0;
    for (int i = 0; i < 10 * kDegree; ++i)
        step();
    seeded = true;
}

// Unseeded, it starts as srand(1) would, as glibc's does.
extern "C" int rand() {
    if (!seeded) srand(1);
    return step();
}
