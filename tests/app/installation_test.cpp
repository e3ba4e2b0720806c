#include "app/Installation.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string le32(Uint32 v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

std::string chunk(const char* id, Uint32 claimed, size_t actual) {
    return id + le32(claimed) + std::string(actual, '\0');
}

std::string riff(const std::string& body) {
    return "RIFF" + le32(static_cast<Uint32>(4 + body.size())) + "WAVE" + body;
}

std::string problemOf(const std::string& bytes) {
    SDL_RWops* file = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    std::string problem = wavHeaderProblem(file);
    SDL_RWclose(file);
    return problem;
}

TEST(InstallationCheck, TheGameAsBuiltHasNoBrokenFile) {
    for (const BrokenFile& file : findBrokenFiles())
        ADD_FAILURE() << file.path << ": " << file.reason;
}

TEST(InstallationCheck, AWavMayNotClaimMoreBytesThanItHolds) {
    const std::string fmt = chunk("fmt ", 16, 16);
    const struct {
        const char* what;
        std::string bytes;
        std::string problem;
    } cases[] = {
        {"a sound", riff(fmt + chunk("data", 100, 100)), ""},
        {"an odd length and its pad byte", riff(fmt + chunk("data", 3, 4)), ""},
        {"a list before the sound", riff(chunk("LIST", 6, 6) + fmt + chunk("data", 8, 8)), ""},
        {"a 2 GB data chunk", riff(fmt + chunk("data", 0x7FFFFFFF, 100)),
         "its \"data\" chunk claims 2147483647 bytes, but only 100 follow"},
        {"one byte short", riff(fmt + chunk("data", 101, 100)),
         "its \"data\" chunk claims 101 bytes, but only 100 follow"},
        {"a lying format", riff(chunk("fmt ", 17, 16)),
         "its \"fmt \" chunk claims 17 bytes, but only 16 follow"},
        {"no sound", riff(fmt), "no sound in it: it has no \"data\" chunk"},
        {"no format", riff(chunk("data", 8, 8)), "not a WAV file: it has no \"fmt \" chunk"},
        {"a picture", "BM" + std::string(60, 'x'), "not a WAV file"},
        {"a header cut short", std::string("RIFF\x10\0\0\0WAV", 11), "not a WAV file"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.problem, problemOf(c.bytes)) << c.what;
}

} // namespace
